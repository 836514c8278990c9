// The hook as installed by the real Tallywhirl.dll, met by real input: a
// synthesized click on a window of this process goes through the platform's
// hook chain. Counting is watched through the named click event.
#include <gtest/gtest.h>

#include <windows.h>

typedef void(WINAPI* InitProc)(HMODULE module);
typedef void(WINAPI* ResetProc)();

static const char EventName[] = "TallywhirlEvent";

struct Fixture {
    HMODULE Library;
    InitProc Init;
    ResetProc Reset;
    HANDLE Event;
    HWND Window;
};

static Fixture Hook;
static LONG WindowPresses;
static LONG WindowReleases;
static LONG ChainPresses; // seen by a hook installed before ours

static LRESULT CALLBACK TargetWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN)
        WindowPresses++;
    if (message == WM_LBUTTONUP)
        WindowReleases++;
    return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT CALLBACK LaterInChain(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == WM_LBUTTONDOWN)
        ChainPresses++;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static bool Signalled() {
    return WaitForSingleObject(Hook.Event, 0) == WAIT_OBJECT_0;
}

static void SendButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// A left click in the middle of the test window.
static void SendClick() {
    SetCursorPos(200, 200);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
}

// Dispatches messages until the window has seen one more release.
static bool PumpUntilReleased(LONG releasesBefore) {
    DWORD start = GetTickCount();
    while (WindowReleases == releasesBefore && GetTickCount() - start < 3000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(5);
    }
    return WindowReleases > releasesBefore;
}

// One real click, fully dispatched; true when it signalled the event.
static bool ClickSignals() {
    Signalled();
    LONG presses = WindowPresses;
    SendClick();
    EXPECT_TRUE(PumpUntilReleased(WindowReleases)) << "the click never reached the window";
    EXPECT_EQ(presses + 1, WindowPresses) << "the window did not get exactly one press";
    bool signalled = Signalled();
    EXPECT_FALSE(Signalled()) << "one click signalled more than once";
    return signalled;
}

class InstalledHook : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        Hook.Event = CreateEventA(nullptr, FALSE, FALSE, EventName);
        Hook.Library = LoadLibraryA("Tallywhirl.dll");
        Hook.Init = reinterpret_cast<InitProc>(
            reinterpret_cast<void*>(GetProcAddress(Hook.Library, "TallywhirlInit")));
        Hook.Reset = reinterpret_cast<ResetProc>(
            reinterpret_cast<void*>(GetProcAddress(Hook.Library, "TallywhirlReset")));
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = TargetWndProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TallywhirlHookTarget";
        RegisterClassA(&windowClass);
        Hook.Window =
            CreateWindowExA(WS_EX_TOPMOST, "TallywhirlHookTarget", "target", WS_POPUP | WS_VISIBLE,
                            100, 100, 200, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetForegroundWindow(Hook.Window);
        UpdateWindow(Hook.Window);
    }

    void SetUp() override {
        ASSERT_NE(nullptr, Hook.Event);
        ASSERT_NE(nullptr, Hook.Init) << "Tallywhirl.dll or TallywhirlInit missing";
        ASSERT_NE(nullptr, Hook.Reset);
        ASSERT_NE(nullptr, Hook.Window);
    }

    void TearDown() override {
        Hook.Reset();
    }
};

TEST_F(InstalledHook, ARealClickSignalsOnceAndStillReachesTheWindow) {
    EXPECT_FALSE(ClickSignals()) << "a click signalled before the hook was installed";
    Hook.Init(Hook.Library);
    EXPECT_TRUE(ClickSignals()) << "an installed hook did not signal a click";
}

TEST_F(InstalledHook, AfterResetNothingIsCountedAndInitResumes) {
    Hook.Init(Hook.Library);
    EXPECT_TRUE(ClickSignals()) << "installed: no signal";
    Hook.Reset();
    EXPECT_FALSE(ClickSignals()) << "after TallywhirlReset a click still signalled";
    EXPECT_FALSE(ClickSignals()) << "after TallywhirlReset a second click still signalled";
    Hook.Init(Hook.Library);
    EXPECT_TRUE(ClickSignals()) << "after TallywhirlInit again no signal";
    Hook.Reset();
    Hook.Reset(); // a second reset finds no hook and does nothing
    EXPECT_FALSE(ClickSignals());
}

TEST_F(InstalledHook, APeekedPressSignalsOnlyWhenRemoved) {
    Hook.Init(Hook.Library);
    Signalled();
    LONG releases = WindowReleases;
    SetCursorPos(200, 200);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    MSG message;
    DWORD start = GetTickCount();
    bool queued = false;
    while (!queued && GetTickCount() - start < 3000) {
        queued = PeekMessageA(&message, Hook.Window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE);
        if (!queued)
            Sleep(5);
    }
    ASSERT_TRUE(queued) << "the press never arrived";
    EXPECT_FALSE(Signalled()) << "a press only looked at (HC_NOREMOVE) signalled";
    PeekMessageA(&message, Hook.Window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE);
    EXPECT_FALSE(Signalled()) << "a second look signalled";
    ASSERT_TRUE(PeekMessageA(&message, Hook.Window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    DispatchMessageA(&message);
    EXPECT_TRUE(Signalled()) << "the press did not signal when it was removed";
    SendButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntilReleased(releases));
    EXPECT_FALSE(Signalled()) << "the release signalled";
}

TEST_F(InstalledHook, MessagesArePassedOnThroughTheChain) {
    HHOOK later = SetWindowsHookExA(WH_MOUSE, LaterInChain, GetModuleHandleA(nullptr), 0);
    ASSERT_NE(nullptr, later);
    Hook.Init(Hook.Library);
    LONG before = ChainPresses;
    EXPECT_TRUE(ClickSignals());
    EXPECT_EQ(before + 1, ChainPresses) << "the hook installed earlier never saw the press";
    UnhookWindowsHookEx(later);
}
