// The icon in the notification area: added, found again after a shell
// restart or a failed add, and removed at the end.
#include "app.h"
#include "../base/bounded_format.h"

#include <shellapi.h>

#include <cstring>

enum { TrayIconId = 1 };

// Held in its first form, which every shell understands.
static NOTIFYICONDATAA TrayIconData;

int AddTrayIcon(HWND window) {
    memset(&TrayIconData, 0, sizeof TrayIconData);
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TrayIconId;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYNOTIFY;
    TrayIconData.hIcon = TrayIconImage;
    FormatBounded(TrayIconData.szTip, sizeof TrayIconData.szTip, "%s", LoadResString(IDS_TITLE));
    // At logon the shell may report a failed add and show the icon all the
    // same: a change to it that succeeds finds it there.
    if (Shell_NotifyIconA(NIM_ADD, &TrayIconData) || Shell_NotifyIconA(NIM_MODIFY, &TrayIconData))
        return 1;
    memset(&TrayIconData, 0, sizeof TrayIconData);
    return 0;
}

int TrayIconShown() {
    return TrayIconData.hWnd != nullptr;
}

// A shell that starts anew has none of the icons of the one before, whether
// or not this icon was shown there: it is removed, if it is still there, and
// added again.
int AddTrayIconAgain(HWND window) {
    RemoveTrayIcon();
    return AddTrayIcon(window);
}

// Whatever the program believes: an add reported failed may have shown the
// icon, which would stay behind as a ghost.
int RemoveTrayIcon() {
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayIconData.hWnd = MainWindow;
    TrayIconData.uID = TrayIconId;
    BOOL removed = Shell_NotifyIconA(NIM_DELETE, &TrayIconData);
    memset(&TrayIconData, 0, sizeof TrayIconData);
    return removed != FALSE;
}

BOOL ShowTrayMenu(int x, int y) {
    SetForegroundWindow(MainWindow);
    BOOL chosen = TrackPopupMenu(TrayPopup, 0, x, y, 0, MainWindow, nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageA(MainWindow, WM_USER, 0, 0);
    return chosen;
}
