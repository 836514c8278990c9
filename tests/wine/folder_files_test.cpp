// Clearing the program folder on Wine's real file system.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "setup/setup.h"

static const char Folder[] = "C:\\TallywhirlFolderTest";

static std::string In(const char* name) {
    return std::string(Folder) + "\\" + name;
}

static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

static void Touch(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "cannot create " << path;
    DWORD written;
    WriteFile(file, "x", 1, &written, nullptr);
    CloseHandle(file);
}

static const char* const ProgramFiles[] = {"TW.exe",  "Tallywhirl.dll", "Readme.txt",
                                           "Day.txt", "Month.txt",      "Year.txt"};

class FolderFiles : public testing::Test {
  protected:
    void SetUp() override {
        Clean();
        ASSERT_TRUE(CreateDirectoryA(Folder, nullptr));
        for (const char* name : ProgramFiles)
            Touch(In(name));
    }
    void TearDown() override {
        Clean();
    }
    static void Clean() {
        for (const char* name : ProgramFiles)
            DeleteFileA(In(name).c_str());
        for (const char* name : {"notes.txt", ".keep", "sub\\inner.txt"})
            DeleteFileA(In(name).c_str());
        RemoveDirectoryA(In("sub").c_str());
        RemoveDirectoryA(Folder);
    }
};

TEST_F(FolderFiles, TheProgramsFilesGoAndThenTheEmptyFolder) {
    EXPECT_EQ(1, DeleteFolderFiles(Folder));
    for (const char* name : ProgramFiles)
        EXPECT_FALSE(Exists(In(name))) << name << " is still there";
    EXPECT_FALSE(Exists(Folder)) << "the emptied folder stays";
}

TEST_F(FolderFiles, AUsersFileStaysAndSoDoesTheFolder) {
    Touch(In("notes.txt"));
    EXPECT_EQ(1, DeleteFolderFiles(Folder));
    for (const char* name : ProgramFiles)
        EXPECT_FALSE(Exists(In(name))) << name << " is still there";
    EXPECT_TRUE(Exists(In("notes.txt")));
    EXPECT_TRUE(Exists(Folder));
}

TEST_F(FolderFiles, SubfoldersAndDotFilesAreLeftAlone) {
    ASSERT_TRUE(CreateDirectoryA(In("sub").c_str(), nullptr));
    Touch(In("sub\\inner.txt"));
    Touch(In(".keep"));
    EXPECT_EQ(1, DeleteFolderFiles(Folder));
    EXPECT_FALSE(Exists(In("TW.exe")));
    EXPECT_TRUE(Exists(In("sub\\inner.txt")));
    EXPECT_TRUE(Exists(In(".keep")));
    EXPECT_TRUE(Exists(Folder));
}

TEST_F(FolderFiles, NamesDifferingOnlyInCaseAreTheProgramsToo) {
    DeleteFileA(In("Readme.txt").c_str());
    Touch(In("README.TXT"));
    EXPECT_EQ(1, DeleteFolderFiles(Folder));
    EXPECT_FALSE(Exists(In("README.TXT")));
    EXPECT_FALSE(Exists(Folder));
}

TEST_F(FolderFiles, NoFolderNameIsRefusedAndAMissingFolderIsNoFailure) {
    EXPECT_EQ(0, DeleteFolderFiles(nullptr));
    EXPECT_EQ(0, DeleteFolderFiles(""));
    EXPECT_EQ(1, DeleteFolderFiles("C:\\TallywhirlNoSuchFolder"));
    EXPECT_TRUE(Exists(In("TW.exe"))) << "another folder is not touched";
}
