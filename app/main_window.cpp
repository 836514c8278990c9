#include "app.h"

#include "main_window.h"
#include "tick.h"
#include "../capture/capture.h"
#include "../store/counters.h"
#include "../ui/ui.h"

const char MainClassName[] = "Larkspoon-Tallywhirl";

enum { WM_TRAYNOTIFY = WM_APP + 1, TickTimerId = 1 };

HWND MainWindow;
DWORD SessionSeconds;
LONG TerminateConfirmed;

static TickState Ticks;

int RegisterMainClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = AppInstance;
    windowClass.hIcon = AppIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = MainClassName;
    return RegisterClassA(&windowClass) != 0;
}

int CreateMainWindow() {
    MainWindow = CreateWindowExA(WS_EX_APPWINDOW, MainClassName, LoadResString(IDS_TITLE),
                                 WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_MAXIMIZE, -512, -512,
                                 64, 64, nullptr, nullptr, AppInstance, nullptr);
    if (!MainWindow)
        return 0;
    Ticks.HookMissing = !StartClickCapture();
    return 1;
}

void DestroyMainWindow() {
    TallywhirlReset();
    ShowWindow(MainWindow, SW_HIDE);
    DestroyWindow(MainWindow);
}

static void UpdateSessionClock() {
    SessionSeconds = SessionSecondsAt(GetTickCount(), StartTick);
}

static void ShowClock() {
    if (CurrentStatsPage())
        RefreshStatistics(1);
}

static int Rehook() {
    TallywhirlReset();
    Sleep(5);
    return TallywhirlInit(HookLibrary) != FALSE;
}

static const TickSteps TickWork = {
    CheckDate, UpdateSessionClock, ShowClock, SaveCounters, ReadClicksSinceStart, Rehook,
};

static int Ask(HWND owner, int textId, UINT flags) {
    return MessageBoxA(owner, LoadResString(textId), LoadResString(IDS_TITLE), flags) == IDYES;
}

static void OnTerminate(HWND window) {
    if (!TerminateConfirmed) {
        if (!Ask(window, IDS_ASK_TERMINATE, MB_YESNO | MB_ICONHAND))
            return;
        if (!Ask(window, IDS_REALLY, MB_YESNO | MB_ICONQUESTION))
            return;
        TerminateConfirmed = 1;
    }
    PostMessageA(MainWindow, WM_CLOSE, 0, 0);
}

static void OnCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDM_OPEN:
        ShowStatisticsSheet(window);
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
        if (wParam == TickTimerId)
            RunTick(&Ticks, &TickWork);
        return 0;
    case WM_TRAYNOTIFY:
        OnTrayNotify(lParam);
        return 0;
    case WM_CLICKREFRESH:
        RefreshAfterClicks();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
