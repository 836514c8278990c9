// The baseline the running program is measured against: a window class, one
// hidden window and a message loop, nothing else.
//
//   minimal_window        class "TallywhirlBenchMinimal"
//   minimal_window tick   class "TallywhirlBenchTicking", with a one-second
//                         timer that does nothing: what a timer tick alone
//                         costs under Wine
//   minimal_window tray   class "TallywhirlBenchTray", with an icon in the
//                         notification area: the floor of any tray program,
//                         which loads the shell library for it
//   minimal_window thread class "TallywhirlBenchThread", the tray program
//                         with a second thread that waits on an event, as
//                         the counting thread does: what one thread alone
//                         holds under Wine
#include <windows.h>
#include <shellapi.h>

#include <cstring>

static LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_TIMER)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

static DWORD WINAPI WaitingThread(void* event) {
    WaitForSingleObject(event, INFINITE);
    return 0;
}

int main(int argc, char** argv) {
    bool ticking = argc > 1 && !strcmp(argv[1], "tick");
    bool thread = argc > 1 && !strcmp(argv[1], "thread");
    bool tray = thread || (argc > 1 && !strcmp(argv[1], "tray"));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MinimalProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ticking  ? "TallywhirlBenchTicking"
                                : thread ? "TallywhirlBenchThread"
                                : tray   ? "TallywhirlBenchTray"
                                         : "TallywhirlBenchMinimal";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowA(windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;
    if (ticking)
        SetTimer(window, 1, 1000, nullptr);
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    lstrcpynA(icon.szTip, "Tray baseline", sizeof icon.szTip);
    if (tray && !Shell_NotifyIconA(NIM_ADD, &icon))
        return 1;
    if (thread) {
        HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        HANDLE waiting =
            event ? CreateThread(nullptr, 0, WaitingThread, event, 0, nullptr) : nullptr;
        if (!waiting)
            return 1;
        CloseHandle(waiting);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    if (tray)
        Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}
