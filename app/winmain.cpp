// The start sequence: the switches, the installation, the hand-over to a
// running copy, then the counting run and its end.
#include "app.h"
#include "switches.h"
#include "../capture/capture.h"
#include "../setup/install.h"
#include "../setup/startup_entry.h"
#include "../setup/uninstall.h"
#include "../store/check_date.h"
#include "../store/counters.h"
#include "../store/session_clock.h"
#include "../ui/ui.h"

static void RunMessageLoop(MSG* message) {
    // GetMessageA returns -1 on an invalid call; that ends the loop too.
    while (GetMessageA(message, nullptr, 0, 0) > 0) {
        TranslateMessage(message);
        DispatchMessageA(message);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    AppInstance = instance;
    int autoStart = SwitchPresent(commandLine, LoadResString(IDS_AUTO_SWITCH));
    int uninstall = SwitchPresent(commandLine, LoadResString(IDS_UNINST_SWITCH));

    // Exit codes other than 0 are reports to a copy that waits: what an
    // elevated installation or uninstallation leaves it to do, and whether
    // the Run value was changed.
    if (uninstall)
        return Uninstall(commandLine);
    // The elevated copy the options page starts changes the Run value, and
    // nothing else: no installation, no hand-over, no tray.
    int autostartOn = SwitchPresent(commandLine, LoadResString(IDS_AUTOSTART_ON_SWITCH));
    if (autostartOn || SwitchPresent(commandLine, LoadResString(IDS_AUTOSTART_OFF_SWITCH)))
        return SetStartupEntry(autostartOn);
    int installed;
    if (InstallIfNeeded(commandLine, &installed))
        return installed;
    if (HandOverToRunningCopy())
        return 0;
    if (!LoadHookLibrary())
        return 0;

    RestartSessionClock(GetTickCount());
    LoadTrayResources(AppInstance);
    LoadCounters();
    if (!RegisterMainClass())
        return 0;
    if (!CreateMainWindow())
        return 0;
    CheckDate(RefreshStatistics);
    if (!autoStart)
        PostMessageA(MainWindow, WM_COMMAND, IDM_OPEN, 0);

    MSG message = {};
    RunMessageLoop(&message);

    RemoveTrayIcon();
    DestroyMainWindow();
    SaveCounters();
    // WM_CLOSE is the only source of WM_QUIT, and it posts 0.
    return 0;
}
