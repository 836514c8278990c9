// The tray's menu and icons as the program loads them from its resources.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/app.h"
#include "res/resource_ids.h"

static std::string ItemText(HMENU menu, int position) {
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(TrayMenu, OpenInBoldThenASeparatorThenTerminate) {
    LoadTrayResources(AppInstance);
    ASSERT_NE(nullptr, TrayPopup);
    ASSERT_EQ(3, GetMenuItemCount(TrayPopup));
    EXPECT_EQ(static_cast<UINT>(IDM_OPEN), GetMenuDefaultItem(TrayPopup, FALSE, 0))
        << "the default item is the one drawn in bold";
    EXPECT_EQ("Open", ItemText(TrayPopup, 0));
    EXPECT_EQ(static_cast<UINT>(IDM_OPEN), GetMenuItemID(TrayPopup, 0));
    EXPECT_TRUE(GetMenuState(TrayPopup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ("Terminate", ItemText(TrayPopup, 2));
    EXPECT_EQ(static_cast<UINT>(IDM_TERMINATE), GetMenuItemID(TrayPopup, 2));
}

static void ExpectIcon(HICON icon, int size) {
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(size, colour.bmWidth);
    EXPECT_EQ(size, colour.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// Each icon resource holds one image of the size it is shown at, 16 colours.
static void ExpectIconResource(int id, int size) {
    HRSRC group = FindResourceA(AppInstance, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    const BYTE* directory =
        static_cast<const BYTE*>(LockResource(LoadResource(AppInstance, group)));
    const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    ASSERT_EQ(1, count);
    const BYTE* entry = directory + 6;
    EXPECT_EQ(size, entry[0]);
    EXPECT_EQ(size, entry[1]);
    EXPECT_EQ(16, entry[2]) << "colours";
}

TEST(TrayMenu, ApplicationAndTrayIcons) {
    LoadTrayResources(AppInstance);
    ExpectIcon(AppIcon, 32);
    // Loaded at the system's icon size; the shell scales it for the tray.
    ExpectIcon(TrayIconImage, GetSystemMetrics(SM_CXICON));
    ExpectIconResource(IDI_APP, 32);
    ExpectIconResource(IDI_TRAY, 16);
}
