// The sheet's OK and Cancel turned into its one Hide button.
#include "sheet_parts.h"
#include "placement.h"
#include "../base/program.h"

void MakeHideButton(HWND sheet) {
    // The sheet's first two children are its OK and Cancel buttons.
    HWND ok = FindWindowExA(sheet, nullptr, nullptr, nullptr);
    HWND cancel = ok ? FindWindowExA(sheet, ok, nullptr, nullptr) : nullptr;
    if (!cancel)
        return;
    SendMessageA(cancel, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(LoadResString(IDS_HIDE)));
    RECT box;
    GetWindowRect(cancel, &box);
    POINT corner = {box.left, box.top};
    ScreenToClient(GetParent(cancel), &corner);
    WindowBox hide =
        HideButtonBox({corner.x, corner.y, box.right - box.left, box.bottom - box.top});
    SetWindowPos(cancel, nullptr, hide.Left, hide.Top, hide.Width, hide.Height, SWP_NOZORDER);
    ShowWindow(ok, SW_HIDE);
}
