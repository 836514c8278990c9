// The sheet placed in the middle of the screen when it first shows.
#include "sheet_parts.h"
#include "placement.h"

static void CenterWindowOnScreen(HWND window, int dx, int dy) {
    RECT box;
    GetWindowRect(window, &box);
    HDC screen = GetDC(nullptr);
    if (!screen)
        return;
    int screenWidth = GetDeviceCaps(screen, HORZRES);
    int screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    WindowBox at = CenteredOnScreen(screenWidth, screenHeight, box.right - box.left,
                                    box.bottom - box.top, dx, dy);
    SetWindowPos(window, nullptr, at.Left, at.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterSheetOnce(HWND* slot) {
    if (!*slot)
        return;
    CenterWindowOnScreen(*slot, 0, 0);
    *slot = nullptr;
}
