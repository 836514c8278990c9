// The real Tallywhirl.dll: its hook procedure called where the link put it,
// with the hook not installed and an event that lets it only signal, and
// then the hook installed and met by real input on a window of this
// process. Counting shows in the named event.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "hook_layout.h"

typedef LRESULT(CALLBACK* HookProc)(int code, WPARAM wParam, LPARAM lParam);
typedef void(WINAPI* InitProc)(HMODULE module);
typedef void(WINAPI* ResetProc)();

static const char EventName[] = "TallywhirlEvent";

// An lParam that faults if the procedure ever looked at the MOUSEHOOKSTRUCT.
static const LPARAM PoisonedLParam = 0x10;

// Presses and double-clicks of the three buttons, client area and frame.
static const WPARAM SignallingIds[] = {
    WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK,
    WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK, WM_LBUTTONDOWN,   WM_LBUTTONDBLCLK,
    WM_RBUTTONDOWN,   WM_RBUTTONDBLCLK,   WM_MBUTTONDOWN,   WM_MBUTTONDBLCLK,
};

// The library exports only its two entry points, not its hook procedure, so
// the test finds the procedure where the link put it: the build reads its
// offset from the library's link map into hook_layout.h
// (hooklib/hook_layout.cmake). A test of a copy compiled on its own could pass
// while the shipped bytes did not.
static HookProc ShippedProcedure() {
    HMODULE library = LoadLibraryA("Tallywhirl.dll");
    if (!library)
        return nullptr;
    return reinterpret_cast<HookProc>(reinterpret_cast<char*>(library) + TW_MOUSE_HOOK_PROC_RVA);
}

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

// Runs first, in a process where the event has never existed: every counted
// message then only tries the open, and a later message finds the event.
// Then every mouse message id and some beside their two ranges, under each
// code: only HC_ACTION with a press or double-click signals, once.
TEST(HookProcedure, SignalsOncePerPressOrDoubleClickOnceTheEventIsThere) {
    HookProc proc = ShippedProcedure();
    ASSERT_NE(nullptr, proc) << "Tallywhirl.dll does not load";
    ASSERT_EQ(nullptr, OpenEventA(SYNCHRONIZE, FALSE, EventName)) << "the event exists already";
    for (WPARAM id : SignallingIds)
        EXPECT_EQ(0, proc(HC_ACTION, id, PoisonedLParam)) << "message " << std::hex << id;
    HANDLE event = SignalOnlyEvent();
    ASSERT_NE(nullptr, event);
    ASSERT_EQ(nullptr, OpenEventA(EVENT_ALL_ACCESS, FALSE, EventName))
        << "the event's access list is not enforced";
    EXPECT_EQ(0, proc(HC_ACTION, WM_LBUTTONDOWN, PoisonedLParam));
    EXPECT_TRUE(Signalled(event))
        << "the first press after the event appeared did not signal an event that lets it only "
           "signal";

    std::vector<WPARAM> ids = {0,      0x009F, 0x00AA,  0x01FF,  0x020F,    0x0211,
                               0x02A1, 0x0301, 0x10201, 0x100A1, 0xFFFFFFFF};
    for (WPARAM id = 0x00A0; id <= 0x00A9; id++)
        ids.push_back(id);
    for (WPARAM id = 0x0200; id <= 0x020E; id++)
        ids.push_back(id);
    int signals = 0;
    for (int code : {HC_ACTION, HC_NOREMOVE, -1, 1000}) {
        for (WPARAM id : ids) {
            bool counted = false;
            for (WPARAM s : SignallingIds)
                counted |= code == HC_ACTION && s == id;
            EXPECT_EQ(0, proc(code, id, PoisonedLParam));
            bool signalled = Signalled(event);
            signals += signalled;
            EXPECT_EQ(counted, signalled) << "code " << code << ", message " << std::hex << id;
        }
    }
    EXPECT_EQ(12, signals) << "presses and double-clicks: 12 ids";
}

static LONG WindowPresses, WindowReleases, ChainPresses;

static LRESULT CALLBACK TargetWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowPresses += message == WM_LBUTTONDOWN;
    WindowReleases += message == WM_LBUTTONUP;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A hook installed before ours, so called after it.
static LRESULT CALLBACK LaterInChain(int code, WPARAM wParam, LPARAM lParam) {
    ChainPresses += code == HC_ACTION && wParam == WM_LBUTTONDOWN;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static void SendButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// One real left click in the middle of the window, dispatched until the
// window has its release; true when it signalled the event.
static bool ClickSignals(HANDLE event) {
    Signalled(event);
    LONG presses = WindowPresses, releases = WindowReleases, chained = ChainPresses;
    SetCursorPos(200, 200);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
    for (DWORD start = GetTickCount(); WindowReleases == releases && GetTickCount() - start < 3000;
         Sleep(5)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    EXPECT_EQ(releases + 1, WindowReleases) << "the click never reached the window";
    EXPECT_EQ(presses + 1, WindowPresses) << "the window did not get exactly one press";
    EXPECT_EQ(chained + 1, ChainPresses) << "the hook installed earlier never saw the press";
    return Signalled(event);
}

TEST(InstalledHook, ARealClickSignalsOnlyBetweenInitAndResetAndGoesOnDownTheChain) {
    HANDLE event = SignalOnlyEvent();
    HMODULE library = LoadLibraryA("Tallywhirl.dll");
    auto init = reinterpret_cast<InitProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "TallywhirlInit")));
    auto reset = reinterpret_cast<ResetProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "TallywhirlReset")));
    ASSERT_TRUE(event && init && reset) << "no event, or Tallywhirl.dll or its exports missing";
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TallywhirlHookTarget";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, "TallywhirlHookTarget", "target", WS_POPUP | WS_VISIBLE, 100,
                        100, 200, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    SetForegroundWindow(window);
    UpdateWindow(window);
    HHOOK later = SetWindowsHookExA(WH_MOUSE, LaterInChain, GetModuleHandleA(nullptr), 0);
    ASSERT_NE(nullptr, later);

    EXPECT_FALSE(ClickSignals(event)) << "a click signalled before the hook was installed";
    init(library);
    EXPECT_TRUE(ClickSignals(event)) << "an installed hook did not signal a click";
    reset();
    EXPECT_FALSE(ClickSignals(event)) << "after TallywhirlReset a click still signalled";
    reset(); // a second reset finds no hook and does nothing
    EXPECT_FALSE(ClickSignals(event));
    UnhookWindowsHookEx(later);
    DestroyWindow(window);
}
