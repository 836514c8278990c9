// The about page: the picture at the display's scale and the web link.
#include "sheet_parts.h"
#include "../base/program.h"

// The size of bitmap IDB_PICTURE (scripts/make_pictures.py draws it).
enum { PictureWidth = 131, PictureHeight = 87 };

// The picture's frame holds the picture at the display's scale, inside its
// border, as the bitmap static it once was sized itself at 100 %.
static void SizePictureFrame(HWND page) {
    HWND frame = GetDlgItem(page, IDC_ABOUT_PICTURE);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT outside, inside;
    GetWindowRect(frame, &outside);
    GetClientRect(frame, &inside);
    SetWindowPos(frame, nullptr, 0, 0,
                 outside.right - outside.left - inside.right + MulDiv(PictureWidth, dpi, 96),
                 outside.bottom - outside.top - inside.bottom + MulDiv(PictureHeight, dpi, 96),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Halftone stretching averages the picture's pixels where a plain stretch
// would repeat them; at 100 % it copies them.
static void DrawPicture(const DRAWITEMSTRUCT* item) {
    HBITMAP picture = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(IDB_PICTURE));
    HDC source = CreateCompatibleDC(item->hDC);
    HGDIOBJ before = SelectObject(source, picture);
    SetStretchBltMode(item->hDC, HALFTONE);
    SetBrushOrgEx(item->hDC, 0, 0, nullptr); // which HALFTONE leaves undefined
    StretchBlt(item->hDC, 0, 0, item->rcItem.right, item->rcItem.bottom, source, 0, 0, PictureWidth,
               PictureHeight, SRCCOPY);
    SelectObject(source, before);
    DeleteDC(source);
    DeleteObject(picture);
}

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CenterSheetOnce(&SheetToCenter);
        SizePictureFrame(page);
        return 1;
    case WM_NOTIFY:
        return AnswerSheetNotify(page, lParam);
    case WM_DRAWITEM:
        DrawPicture(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_LINK)
            OpenLinkPage(page, IDS_ABOUT_URL);
        return 0;
    }
    return 0;
}
