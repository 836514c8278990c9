// Shortcuts against Wine's real shell link object and desktop folders. What
// the links hold, where the installation puts them, and the program group are
// read back by the installation's end-to-end test.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "setup/shortcuts.h"

static std::string InFolder(int folderId, const std::string& name) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, folderId, nullptr, 0, path);
    return std::string(path) + "\\" + name;
}

static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(Shortcuts, ComAlreadySetUpRefusesAndDeletingTriesAllUsersFirst) {
    const std::string CommonLink = InFolder(CSIDL_COMMON_DESKTOPDIRECTORY, "Tallywhirl.lnk");
    const std::string UserLink = InFolder(CSIDL_DESKTOPDIRECTORY, "Tallywhirl.lnk");
    DeleteFileA(CommonLink.c_str());
    DeleteFileA(UserLink.c_str());
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(0, CreateShortcut(CSIDL_DESKTOPDIRECTORY, "Tallywhirl", "C:\\TW.exe"))
        << "COM already set up on this thread (S_FALSE) ends the call";
    CoUninitialize();
    EXPECT_FALSE(Exists(UserLink)) << "nor writes the link";
    EXPECT_EQ(1, CreateShortcut(CSIDL_DESKTOPDIRECTORY, "Tallywhirl", "C:\\TW.exe"))
        << "a refused call leaves the thread's COM count as it was";
    EXPECT_TRUE(Exists(UserLink));

    EXPECT_EQ(1, DeleteDesktopShortcut());
    EXPECT_FALSE(Exists(UserLink)) << "only the user's desktop held it";
    EXPECT_EQ(1, DeleteDesktopShortcut()) << "nothing to delete is nothing left";

    ASSERT_EQ(1, CreateShortcut(CSIDL_DESKTOPDIRECTORY, "Tallywhirl", "C:\\TW.exe"));
    ASSERT_EQ(1, CreateShortcut(CSIDL_COMMON_DESKTOPDIRECTORY, "Tallywhirl", "C:\\x"));
    EXPECT_EQ(1, DeleteDesktopShortcut());
    EXPECT_FALSE(Exists(CommonLink));
    EXPECT_TRUE(Exists(UserLink)) << "the user's desktop is not touched when all users' held it";
    // A link that refuses to go is reported, and stays.
    SetFileAttributesA(UserLink.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, DeleteDesktopShortcut()) << "a link that stays is no deletion";
    EXPECT_TRUE(Exists(UserLink));
    SetFileAttributesA(UserLink.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(UserLink.c_str());
}
