// The tray's icons and menu, loaded once at start.
#include "app.h"

HICON AppIcon;
HICON TrayIconImage;
HMENU TrayPopup;
// The menu resource, of which the tray's menu is the first submenu.
static HMENU TrayMenu;

void LoadTrayResources(HINSTANCE instance) {
    AppIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    // At the size the notification area draws it, not scaled down from a
    // large icon.
    TrayIconImage = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), 0));
    TrayMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_TRAY));
    TrayPopup = GetSubMenu(TrayMenu, 0);
    SetMenuDefaultItem(TrayPopup, IDM_OPEN, FALSE);
}
