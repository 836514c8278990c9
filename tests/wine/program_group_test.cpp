// The program group against Wine's real Program Manager DDE service.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "setup/setup.h"

static std::string ProgramsFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, path);
    return path;
}

static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

static std::string GroupFolder(const char* name) {
    return ProgramsFolder() + "\\" + name;
}

// Real files without blanks in their paths: Wine adds items only for those.
static const char ProgramPath[] = "C:\\windows\\notepad.exe";
static const char ReadmePath[] = "C:\\windows\\win.ini";
static const char UninstallerPath[] = "C:\\windows\\regedit.exe";
static const char UninstallCommand[] = "C:\\windows\\regedit.exe -Uninst";

class ProgramGroup : public testing::Test {
  protected:
    void SetUp() override {
        Clean();
    }
    void TearDown() override {
        EndProgmanConversation();
        Clean();
    }
    static void Clean() {
        // Wine's service shows a new group in an explorer window of its own.
        for (const char* title : {"Tallywhirl", "TallywhirlDdeTest"}) {
            while (HWND shown = FindWindowA("ExplorerWClass", title)) {
                SendMessageA(shown, WM_CLOSE, 0, 0);
                if (FindWindowA("ExplorerWClass", title) == shown)
                    break;
            }
        }
        for (const char* group : {"Tallywhirl", "TallywhirlDdeTest"}) {
            std::string folder = GroupFolder(group);
            for (const char* item : {"Tallywhirl", "Readme", "Uninstall Tallywhirl", "Item"})
                DeleteFileA((folder + "\\" + item + ".lnk").c_str());
            RemoveDirectoryA(folder.c_str());
        }
    }
};

TEST_F(ProgramGroup, WhatTheServiceProcessesCommandByCommand) {
    ASSERT_EQ(1, OpenProgmanConversation()) << "no conversation with PROGMAN";
    std::string folder = GroupFolder("TallywhirlDdeTest");

    EXPECT_EQ(1, ProgmanExecute("[CreateGroup(%s)]", "TallywhirlDdeTest", nullptr, nullptr));
    EXPECT_TRUE(Exists(folder));
    // Wine marks these as not processed.
    EXPECT_EQ(0, ProgmanExecute("[ShowGroup(%s)]", "TallywhirlDdeTest", nullptr, nullptr));
    EXPECT_EQ(0, ProgmanExecute("[ReplaceItem(%s)]", "Item", nullptr, nullptr));
    EXPECT_EQ(0, ProgmanExecute("[Reload(%s)]", "TallywhirlDdeTest", nullptr, nullptr));

    EXPECT_EQ(1, ProgmanExecute("[AddItem(%s,%s)]", ProgramPath, "Item", nullptr));
    EXPECT_TRUE(Exists(folder + "\\Item.lnk"));

    EXPECT_EQ(1, ProgmanExecute("[DeleteGroup(%s)]", "TallywhirlDdeTest", nullptr, nullptr));
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(0, ProgmanExecute(nullptr, "x", nullptr, nullptr));
}

TEST_F(ProgramGroup, AllNineCommandsAreSentWhateverBecameOfTheOneBefore) {
    ASSERT_EQ(1, CreateProgramGroup(ProgramPath, ReadmePath, UninstallerPath, UninstallCommand));
    std::string folder = GroupFolder("Tallywhirl");
    EXPECT_TRUE(Exists(folder));
    // Each AddItem follows a ReplaceItem that the service did not process.
    EXPECT_TRUE(Exists(folder + "\\Tallywhirl.lnk"));
    EXPECT_TRUE(Exists(folder + "\\Readme.lnk"));

    EXPECT_EQ(1, DeleteProgramGroup());
    EXPECT_FALSE(Exists(folder)) << "the group and its items are gone";
}

TEST_F(ProgramGroup, AnItemFieldTooLongToQuoteMakesNoGroup) {
    std::string program = "C:\\Program Files\\" + std::string(240, 'p');
    EXPECT_EQ(0,
              CreateProgramGroup(program.c_str(), ReadmePath, UninstallerPath, UninstallCommand));
    EXPECT_FALSE(Exists(GroupFolder("Tallywhirl")));
}
