// The hidden main window: it owns the tray icon, takes the tray's and the
// sheet's commands, and runs the one-second tick.
#include "app.h"
#include "tick.h"
#include "../capture/capture.h"
#include "../store/check_date.h"
#include "../store/counters.h"
#include "../store/session_clock.h"
#include "../ui/ui.h"

#include <atomic>

// Posted by the counting thread when the statistics page is to be redrawn.
enum { TickTimerId = 1, WM_CLICKREFRESH = WM_APP + 2 };

HWND MainWindow;
// Terminate's two questions were answered Yes: a later Terminate asks
// nothing until the sheet has been opened again.
static LONG TerminateConfirmed;

static TickState Ticks;
static LONG RefreshPending;
// Broadcast by the shell when it has started (anew, after a crash or an
// update), with a notification area that holds none of the old icons.
static UINT TaskbarCreated;

// Told by the counting thread of each click. The page belongs to the main
// thread, which may be busy for seconds (a window being destroyed waits on
// the display): a click that waited for it would let the clicks behind it
// merge in the auto-reset event. So the thread only asks for a redraw, at
// most one outstanding.
static void AskRedrawAfterClick() {
    if (!CurrentStatsPage())
        return;
    std::atomic_ref<LONG> pending(RefreshPending);
    if (!pending.exchange(1) && !PostMessageA(MainWindow, WM_CLICKREFRESH, 0, 0))
        pending.store(0);
}

// One redraw for all the clicks the pending request covers.
static void OnClickRefresh() {
    std::atomic_ref<LONG>(RefreshPending).store(0);
    RefreshStatistics();
}

int RegisterMainClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = AppInstance;
    windowClass.hIcon = AppIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = MainClassName;
    return RegisterClassA(&windowClass) != 0;
}

// Intended: the window is never shown as a window of its own. It lies off
// screen, and is shown minimised only while the sheet is open, so that the
// sheet has a button on the taskbar.
int CreateMainWindow() {
    MainWindow = CreateWindowExA(WS_EX_APPWINDOW, MainClassName, LoadResString(IDS_TITLE),
                                 WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_MAXIMIZE, -512, -512,
                                 64, 64, nullptr, nullptr, AppInstance, nullptr);
    if (!MainWindow)
        return 0;
    int capture = StartClickCapture(AskRedrawAfterClick);
    if (capture == CaptureFailed) {
        // Nothing could ever be counted: said, as a missing hook library is.
        ShowMessage(nullptr, IDS_CAPTURE_FAILED, MB_OK | MB_ICONHAND);
        RemoveTrayIcon();
        DestroyWindow(MainWindow);
        return 0;
    }
    Ticks.HookMissing = capture == CaptureUnhooked;
    return 1;
}

void DestroyMainWindow() {
    LoadedTallywhirlReset();
    ShowWindow(MainWindow, SW_HIDE);
    DestroyWindow(MainWindow);
}

static void CheckDateAndShow() {
    CheckDate(RefreshStatistics);
}

static void UpdateSessionClock() {
    SessionSeconds = SessionSecondsAt(GetTickCount(), StartTick);
}

// Intended: the pause between removing the hook and setting it again, as
// the watchdog has always made it.
static int Rehook() {
    LoadedTallywhirlReset();
    Sleep(5);
    return LoadedTallywhirlInit(HookLibrary) != FALSE;
}

static const TickSteps TickWork = {
    CheckDateAndShow, UpdateSessionClock, RefreshClock, SaveCounters, ReadClicksSinceStart, Rehook,
};

static void OnTerminate(HWND window) {
    if (!TerminateConfirmed) {
        if (ShowMessage(window, IDS_ASK_TERMINATE, MB_YESNO | MB_ICONHAND) != IDYES)
            return;
        if (ShowMessage(window, IDS_REALLY, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        TerminateConfirmed = 1;
    }
    PostMessageA(MainWindow, WM_CLOSE, 0, 0);
}

static void OnCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDM_OPEN:
        // Terminate asks again once the sheet has been opened.
        if (!StatisticsSheetOpen()) {
            TerminateConfirmed = 0;
            ShowStatisticsSheet(window);
        }
        break;
    case IDM_TERMINATE:
        OnTerminate(window);
        break;
    }
}

static void OnTrayNotify(LPARAM lParam) {
    switch (lParam) {
    case WM_LBUTTONDOWN:
        PostMessageA(MainWindow, WM_COMMAND, IDM_OPEN, 0);
        break;
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU: {
        POINT cursor = {};
        GetCursorPos(&cursor);
        ShowTrayMenu(cursor.x, cursor.y);
        break;
    }
    }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        TaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
        AddTrayIcon(window);
        SetTimer(window, TickTimerId, 1000, nullptr);
        return 0;
    case WM_CLOSE:
        // The shutdown itself runs after the message loop.
        PostQuitMessage(0);
        return 0;
    case WM_QUERYENDSESSION:
        SaveCounters();
        return 1;
    case WM_ENDSESSION:
        SaveCounters();
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam);
        return 0;
    case WM_TIMER:
        if (wParam == TickTimerId) {
            RunTick(&Ticks, &TickWork);
            // The shell may not be ready yet at logon: the icon is tried
            // again on every tick until it is there.
            if (!TrayIconShown())
                AddTrayIcon(window);
        }
        return 0;
    case WM_TRAYNOTIFY:
        OnTrayNotify(lParam);
        return 0;
    case WM_CLICKREFRESH:
        OnClickRefresh();
        return 0;
    }
    if (message == TaskbarCreated && TaskbarCreated) {
        AddTrayIconAgain(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
