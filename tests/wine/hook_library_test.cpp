// The real Tallywhirl.dll: its hook procedure called where the link put it,
// with the hook not installed and an event that lets it only signal, and
// then the hook installed and met by real input on a window of this
// process. Counting shows in the named event.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "base/program.h"
#include "hook_layout.h"
#include "hooklib/hook_library.h"

static const char EventName[] = "TallywhirlEvent";

// An lParam that faults if the procedure ever looked at the MOUSEHOOKSTRUCT.
static const LPARAM PoisonedLParam = 0x10;

// Presses and double-clicks of the three buttons, frame and client area.
// clang-format off
static const struct { const char* name; WPARAM id; } Counted[] = {
    {"left press on a frame", WM_NCLBUTTONDOWN},   {"left double on a frame", WM_NCLBUTTONDBLCLK},
    {"right press on a frame", WM_NCRBUTTONDOWN},  {"right double on a frame", WM_NCRBUTTONDBLCLK},
    {"middle press on a frame", WM_NCMBUTTONDOWN}, {"middle double on a frame", WM_NCMBUTTONDBLCLK},
    {"left press", WM_LBUTTONDOWN},                {"left double", WM_LBUTTONDBLCLK},
    {"right press", WM_RBUTTONDOWN},               {"right double", WM_RBUTTONDBLCLK},
    {"middle press", WM_MBUTTONDOWN},              {"middle double", WM_MBUTTONDBLCLK},
};
// clang-format on

// The event as the program makes it, in the one respect the hook meets:
// everyone may only signal it, and an open for any more fails. Made once:
// the hook keeps the handle it opened for the rest of the process.
static HANDLE SignalOnlyEvent() {
    static HANDLE event;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (event || !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                     "D:(A;;0x2;;;WD)", SDDL_REVISION_1, &security, nullptr))
        return event;
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, security, FALSE};
    event = CreateEventA(&attributes, FALSE, FALSE, EventName);
    LocalFree(security);
    return event;
}

static bool Signalled(HANDLE event) {
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

// Runs first, in a process where the event has never existed: a press then
// only tries the open, and the presses after it find the event, which lets
// them only signal. Every mouse message id and some beside their two
// ranges, under each code: only HC_ACTION with a press or double-click
// signals, once.
TEST(HookProcedure, SignalsOncePerPressOrDoubleClickOnceTheEventIsThere) {
    // The library exports only its two entry points, not its hook procedure,
    // so the test finds the procedure where the link put it: the build reads
    // its offset from the library's link map into hook_layout.h
    // (hooklib/hook_layout.cmake). A test of a copy compiled on its own could
    // pass while the shipped bytes did not.
    char* library = reinterpret_cast<char*>(LoadLibraryA("Tallywhirl.dll"));
    ASSERT_NE(nullptr, library) << "Tallywhirl.dll does not load, error " << GetLastError();
    auto proc = reinterpret_cast<HOOKPROC>(library + TW_MOUSE_HOOK_PROC_RVA);
    ASSERT_EQ(nullptr, OpenEventA(SYNCHRONIZE, FALSE, EventName)) << "the event exists already";
    EXPECT_EQ(0, proc(HC_ACTION, WM_LBUTTONDOWN, PoisonedLParam)) << "a press without the event";
    HANDLE event = SignalOnlyEvent();
    ASSERT_NE(nullptr, event) << "error " << GetLastError();
    ASSERT_EQ(nullptr, OpenEventA(EVENT_ALL_ACCESS, FALSE, EventName))
        << "the event's access list is not enforced";

    // Both ranges with a message beside each end, and ids that match them
    // only in their low bits.
    std::vector<WPARAM> ids = {0, 0x02A1, 0x0301, 0x10201, 0x100A1, 0xFFFFFFFF};
    for (WPARAM id = 0x009F; id <= 0x00AA; id++)
        ids.push_back(id);
    for (WPARAM id = 0x01FF; id <= 0x0211; id++)
        ids.push_back(id);
    for (int code : {HC_ACTION, HC_NOREMOVE, -1, 1000}) {
        for (WPARAM id : ids) {
            const char* counted = nullptr; // the message's name when it counts
            for (const auto& message : Counted)
                counted = code == HC_ACTION && message.id == id ? message.name : counted;
            EXPECT_EQ(0, proc(code, id, PoisonedLParam))
                << "code " << code << ", message 0x" << std::hex << id;
            EXPECT_EQ(counted != nullptr, Signalled(event))
                << "code " << code << ", message 0x" << std::hex << id << ": "
                << (counted ? counted : "not counted");
        }
    }
}

static LONG Presses, Releases;

// A hook installed before ours, so called after it. A click soon after the
// last one on the button, whose class takes double-clicks, comes as one.
static LRESULT CALLBACK LaterInChain(int code, WPARAM wParam, LPARAM lParam) {
    Presses += code == HC_ACTION && (wParam == WM_LBUTTONDOWN || wParam == WM_LBUTTONDBLCLK);
    Releases += code == HC_ACTION && wParam == WM_LBUTTONUP;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One real left click in the middle of the window, dispatched until the
// hook after ours has seen its release; true when it signalled the event.
static bool ClickSignals(HANDLE event) {
    Signalled(event);
    LONG presses = Presses, releases = Releases;
    SetCursorPos(200, 200);
    INPUT click[2] = {{INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}},
                      {INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}}};
    SendInput(2, click, sizeof *click);
    for (DWORD start = GetTickCount(); Releases == releases && GetTickCount() - start < 3000;
         Sleep(5)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    EXPECT_EQ(releases + 1, Releases) << "the hook installed earlier never saw the release";
    EXPECT_EQ(presses + 1, Presses) << "the hook installed earlier did not see exactly one press";
    return Signalled(event);
}

TEST(InstalledHook, ARealClickSignalsOnlyBetweenInitAndResetAndGoesOnDownTheChain) {
    HANDLE event = SignalOnlyEvent();
    HMODULE library = LoadLibraryA("Tallywhirl.dll");
    auto init = LateProc<TallywhirlInitProc>(library, "TallywhirlInit");
    auto reset = LateProc<TallywhirlResetProc>(library, "TallywhirlReset");
    ASSERT_TRUE(event && init && reset)
        << "event " << event << ", library " << library << ", TallywhirlInit " << init
        << ", TallywhirlReset " << reset;
    // A button, as any window of this process under the cursor takes the
    // click and so meets the hooks.
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "target", WS_POPUP | WS_VISIBLE, 100,
                                  100, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window) << "error " << GetLastError();
    SetForegroundWindow(window);
    UpdateWindow(window);
    HHOOK later = SetWindowsHookExA(WH_MOUSE, LaterInChain, GetModuleHandleA(nullptr), 0);
    ASSERT_NE(nullptr, later) << "error " << GetLastError();

    EXPECT_FALSE(ClickSignals(event)) << "a click signalled before the hook was installed";
    init(library);
    EXPECT_TRUE(ClickSignals(event)) << "an installed hook did not signal a click";
    reset();
    EXPECT_FALSE(ClickSignals(event)) << "after TallywhirlReset a click still signalled";
    UnhookWindowsHookEx(later);
    DestroyWindow(window);
}
