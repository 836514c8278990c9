// The shipped hook procedure, called where the link put it inside the real
// Tallywhirl.dll, with the hook not installed (HookHandle 0): which messages
// signal the named click event, and what it does while that event is missing.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "hook_layout.h"

typedef LRESULT(CALLBACK* HookProc)(int code, WPARAM wParam, LPARAM lParam);

static const char EventName[] = "TallywhirlEvent";

// An lParam that faults if the procedure ever looked at the MOUSEHOOKSTRUCT.
static const LPARAM PoisonedLParam = 0x10;

// Presses and double-clicks of the three buttons, client area and frame.
static const WPARAM SignallingIds[] = {
    WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK,
    WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK, WM_LBUTTONDOWN,   WM_LBUTTONDBLCLK,
    WM_RBUTTONDOWN,   WM_RBUTTONDBLCLK,   WM_MBUTTONDOWN,   WM_MBUTTONDBLCLK,
};

static HookProc ShippedProcedure() {
    HMODULE library = LoadLibraryA("Tallywhirl.dll");
    if (!library)
        return nullptr;
    return reinterpret_cast<HookProc>(reinterpret_cast<char*>(library) + TW_MOUSE_HOOK_PROC_RVA);
}

static bool Signalled(HANDLE event) {
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

static std::vector<WPARAM> MouseIds() {
    std::vector<WPARAM> ids;
    for (WPARAM id = 0x00A0; id <= 0x00A9; id++)
        ids.push_back(id);
    for (WPARAM id = 0x0200; id <= 0x020E; id++)
        ids.push_back(id);
    return ids;
}

static bool IsSignallingId(WPARAM id) {
    for (WPARAM s : SignallingIds)
        if (s == id)
            return true;
    return false;
}

// Runs first, in a process where the event has never existed: every counted
// message then only tries the open, and a later message finds the event.
TEST(HookProcedure, WithoutTheEventNothingHappensAndTheOpenIsRetried) {
    HookProc proc = ShippedProcedure();
    ASSERT_NE(nullptr, proc) << "Tallywhirl.dll does not load";
    HANDLE stray = OpenEventA(SYNCHRONIZE, FALSE, EventName);
    ASSERT_EQ(nullptr, stray) << "the event exists before the test made it";

    for (WPARAM id : SignallingIds)
        EXPECT_EQ(0, proc(HC_ACTION, id, PoisonedLParam)) << "message " << std::hex << id;

    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, EventName);
    ASSERT_NE(nullptr, event);
    EXPECT_EQ(0, proc(HC_ACTION, WM_LBUTTONDOWN, PoisonedLParam));
    EXPECT_TRUE(Signalled(event)) << "the first press after the event appeared did not signal";
    CloseHandle(event);
}

TEST(HookProcedure, HcActionSignalsOncePerPressAndDoubleClickOnly) {
    HookProc proc = ShippedProcedure();
    ASSERT_NE(nullptr, proc);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, EventName);
    ASSERT_NE(nullptr, event);
    Signalled(event);

    std::vector<WPARAM> signalled;
    for (WPARAM id : MouseIds()) {
        EXPECT_EQ(0, proc(HC_ACTION, id, PoisonedLParam)) << "message " << std::hex << id;
        if (Signalled(event))
            signalled.push_back(id);
        EXPECT_FALSE(Signalled(event)) << "message " << std::hex << id << " signalled twice";
    }
    std::vector<WPARAM> expected;
    for (WPARAM id : MouseIds())
        if (IsSignallingId(id))
            expected.push_back(id);
    EXPECT_EQ(expected, signalled) << "the ids that signalled (decimal) are not the table's";
    EXPECT_EQ(12u, signalled.size()) << "presses and double-clicks: 12 ids";
    CloseHandle(event);
}

TEST(HookProcedure, OtherCodesSignalNothing) {
    HookProc proc = ShippedProcedure();
    ASSERT_NE(nullptr, proc);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, EventName);
    ASSERT_NE(nullptr, event);
    Signalled(event);

    const int codes[] = {HC_NOREMOVE, -1, 1000};
    for (int code : codes) {
        for (WPARAM id : MouseIds()) {
            EXPECT_EQ(0, proc(code, id, PoisonedLParam));
            EXPECT_FALSE(Signalled(event)) << "code " << code << ", message " << std::hex << id;
        }
    }
    CloseHandle(event);
}

TEST(HookProcedure, IdsBesideTheRangesSignalNothing) {
    HookProc proc = ShippedProcedure();
    ASSERT_NE(nullptr, proc);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, EventName);
    ASSERT_NE(nullptr, event);
    Signalled(event);

    const WPARAM ids[] = {0,      0x009F, 0x00AA,  0x01FF,  0x020F,    0x0211,
                          0x02A1, 0x0301, 0x10201, 0x100A1, 0xFFFFFFFF};
    for (WPARAM id : ids) {
        proc(HC_ACTION, id, PoisonedLParam);
        EXPECT_FALSE(Signalled(event)) << "message " << std::hex << id;
    }
    CloseHandle(event);
}
