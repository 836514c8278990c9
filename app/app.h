#pragma once
// The application shell: the main window, its tray icon and menu, and the
// state the entry point shares with them. Win32.

#include "../base/program.h"

extern HICON AppIcon;
extern HICON TrayIconImage;
extern HMENU TrayPopup;

// The tray icon's notifications to the main window.
enum { WM_TRAYNOTIFY = WM_APP + 1 };

extern HWND MainWindow;

// Asks a copy that runs already to open its sheet: 1 when there is one, and
// this process has handed over to it.
int HandOverToRunningCopy();
void LoadTrayResources(HINSTANCE instance);

int RegisterMainClass();
int CreateMainWindow();
void DestroyMainWindow();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The tray icon: added, added again after the shell has started anew,
// shown now, removed. Each gives 1 when it did what it says.
int AddTrayIcon(HWND window);
int AddTrayIconAgain(HWND window);
int TrayIconShown();
int RemoveTrayIcon();
BOOL ShowTrayMenu(int x, int y);
