// The desktop shortcut against Wine's real shell link object.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "setup/setup.h"

static std::string FolderPath(int folderId) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, folderId, nullptr, 0, path);
    return path;
}

static std::string LinkFile(int folderId, const char* name) {
    return FolderPath(folderId) + "\\" + name + ".lnk";
}

static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct LinkContents {
    bool loaded = false;
    std::string target, workingDirectory, description;
};

static LinkContents ReadLink(const std::string& path) {
    LinkContents contents;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return contents;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            char text[MAX_PATH];
            contents.loaded = true;
            text[0] = '\0';
            link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
            contents.target = text;
            text[0] = '\0';
            link->GetWorkingDirectory(text, MAX_PATH);
            contents.workingDirectory = text;
            text[0] = '\0';
            link->GetDescription(text, MAX_PATH);
            contents.description = text;
        }
        file->Release();
    }
    link->Release();
    return contents;
}

// Reading links back needs COM on this thread; the operations under test
// must then see S_FALSE and give up, so each reading is wrapped on its own.
static LinkContents ReadLinkWithCom(const std::string& path) {
    CoInitialize(nullptr);
    LinkContents contents = ReadLink(path);
    CoUninitialize();
    return contents;
}

class Shortcuts : public testing::Test {
  protected:
    void SetUp() override {
        Clean();
    }
    void TearDown() override {
        Clean();
    }
    static void Clean() {
        for (int folder : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY}) {
            DeleteFileA(LinkFile(folder, "Tallywhirl").c_str());
            DeleteFileA(LinkFile(folder, "TallywhirlLinkTest").c_str());
        }
    }
};

TEST_F(Shortcuts, ALinkCarriesTargetWorkingDirectoryAndDescription) {
    const char* target = "C:\\Program Files\\Tallywhirl\\TW.exe";
    ASSERT_EQ(1, CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest", target));
    std::string file = LinkFile(CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest");
    LinkContents link = ReadLinkWithCom(file);
    ASSERT_TRUE(link.loaded) << "no readable link at " << file;
    EXPECT_EQ(target, link.target);
    EXPECT_EQ("C:\\Program Files\\Tallywhirl", link.workingDirectory);
    EXPECT_EQ("TallywhirlLinkTest", link.description);
}

TEST_F(Shortcuts, ATargetWithoutBackslashGivesAnEmptyWorkingDirectory) {
    ASSERT_EQ(1, CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest", "TW.exe"));
    LinkContents link = ReadLinkWithCom(LinkFile(CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest"));
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ("", link.workingDirectory);
}

TEST_F(Shortcuts, MissingNamesAndBusyComAreRefused) {
    EXPECT_EQ(0, CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, "C:\\TW.exe"));
    EXPECT_EQ(0, CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest", nullptr));
    EXPECT_EQ(0, DeleteShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr));

    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(0,
              CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest", "C:\\TW.exe"))
        << "COM already set up on this thread (S_FALSE) ends the call";
    CoUninitialize();
    EXPECT_FALSE(Exists(LinkFile(CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest")));
    EXPECT_EQ(1,
              CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest", "C:\\TW.exe"))
        << "a refused call leaves the thread's COM count as it was";
}

TEST_F(Shortcuts, DeleteReportsWhetherTheFileWent) {
    ASSERT_EQ(1, CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest", "C:\\x"));
    EXPECT_NE(0, DeleteShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest"));
    EXPECT_FALSE(Exists(LinkFile(CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest")));
    EXPECT_EQ(0, DeleteShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "TallywhirlLinkTest"));
}

TEST_F(Shortcuts, TheDesktopShortcutGoesToAllUsersFirst) {
    EXPECT_EQ(1, CreateDesktopShortcut("C:\\Program Files\\Tallywhirl\\TW.exe"));
    EXPECT_TRUE(Exists(LinkFile(CSIDL_COMMON_DESKTOPDIRECTORY, "Tallywhirl")));
    EXPECT_FALSE(Exists(LinkFile(CSIDL_DESKTOPDIRECTORY, "Tallywhirl")))
        << "the user's desktop is only the fallback";
    LinkContents link = ReadLinkWithCom(LinkFile(CSIDL_COMMON_DESKTOPDIRECTORY, "Tallywhirl"));
    EXPECT_EQ("Tallywhirl", link.description);
}

TEST_F(Shortcuts, DeletingTheDesktopShortcutTriesAllUsersThenTheUser) {
    ASSERT_EQ(1, CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "Tallywhirl", "C:\\x"));
    EXPECT_EQ(1, DeleteDesktopShortcut());
    EXPECT_FALSE(Exists(LinkFile(CSIDL_DESKTOPDIRECTORY, "Tallywhirl")))
        << "only the user's desktop held it";

    ASSERT_EQ(1, CreateShortcut(nullptr, CSIDL_DESKTOPDIRECTORY, "Tallywhirl", "C:\\x"));
    ASSERT_EQ(1, CreateShortcut(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, "Tallywhirl", "C:\\x"));
    EXPECT_EQ(1, DeleteDesktopShortcut());
    EXPECT_FALSE(Exists(LinkFile(CSIDL_COMMON_DESKTOPDIRECTORY, "Tallywhirl")));
    EXPECT_TRUE(Exists(LinkFile(CSIDL_DESKTOPDIRECTORY, "Tallywhirl")))
        << "the user's desktop is not touched when all users' held it";
}
