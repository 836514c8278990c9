#include "app.h"

HICON AppIcon;
HICON TrayIconImage;
HMENU TrayMenu;
HMENU TrayPopup;

void LoadTrayResources(HINSTANCE instance) {
    AppIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    TrayIconImage = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TRAY));
    TrayMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_TRAY));
    TrayPopup = GetSubMenu(TrayMenu, 0);
    SetMenuDefaultItem(TrayPopup, IDM_OPEN, FALSE);
}
