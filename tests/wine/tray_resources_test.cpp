// The tray icon as the program loads it from its resources.
#include <gtest/gtest.h>

#include "app/app.h"

TEST(TrayResources, TheTrayIconIsLoadedAtTheSizeTheNotificationAreaDraws) {
    LoadTrayResources(AppInstance);
    ICONINFO icon = {};
    BITMAP image = {};
    ASSERT_TRUE(GetIconInfo(TrayIconImage, &icon));
    ASSERT_TRUE(GetObjectA(icon.hbmColor, sizeof image, &image));
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), image.bmWidth) << "not scaled from a large icon";
    EXPECT_EQ(GetSystemMetrics(SM_CYSMICON), image.bmHeight);
    EXPECT_EQ(IDM_OPEN, static_cast<int>(GetMenuDefaultItem(TrayPopup, FALSE, 0)));
}
