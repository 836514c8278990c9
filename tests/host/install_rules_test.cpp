#include <gtest/gtest.h>

#include <string>

#include "app/module_path.h"
#include "setup/install_rules.h"
#include "setup/path_join.h"

static bool Installs(const char* programPath) {
    return NeedsInstall(FileNamePart(programPath), "TW.exe");
}

TEST(InstallDecision, OnlyTheLengthOfTheFileNameCounts) {
    EXPECT_FALSE(Installs("C:\\Program Files\\Tallywhirl\\TW.exe"));
    EXPECT_FALSE(Installs("C:\\users\\me\\Downloads\\ab.exe")) << "any six characters, anywhere";
    EXPECT_FALSE(Installs("C:\\tw.EXE"));
    EXPECT_TRUE(Installs("C:\\my files\\Tallywhirl.exe"));
    EXPECT_TRUE(Installs("C:\\windows\\TWUninst.exe"));
    EXPECT_TRUE(Installs("C:\\a\\TW.ex"));
    EXPECT_TRUE(Installs("C:\\a\\TW.exe1"));
    EXPECT_TRUE(Installs("TW.exe")) << "without a backslash the name is empty";
}

TEST(ProgramFilesFolder, FallsBackToTheDefaultAndDropsATrailingBackslash) {
    char out[PathBufferSize];
    ASSERT_TRUE(ProgramFilesFolder(out, sizeof out, ""));
    EXPECT_STREQ("C:\\Program Files", out);
    ASSERT_TRUE(ProgramFilesFolder(out, sizeof out, nullptr));
    EXPECT_STREQ("C:\\Program Files", out);
    ASSERT_TRUE(ProgramFilesFolder(out, sizeof out, "D:\\Apps\\"));
    EXPECT_STREQ("D:\\Apps", out);
    ASSERT_TRUE(ProgramFilesFolder(out, sizeof out, "D:\\"));
    EXPECT_STREQ("D:", out);

    char install[PathBufferSize];
    ASSERT_TRUE(JoinPath(install, sizeof install, out, "Tallywhirl"));
    EXPECT_STREQ("D:\\Tallywhirl", install) << "never a doubled backslash";
}

TEST(ProgramFilesFolder, AValueThatDoesNotFitFails) {
    std::string stored(PathBufferSize, 'x');
    char out[PathBufferSize];
    EXPECT_FALSE(ProgramFilesFolder(out, sizeof out, stored.c_str()));
    stored.resize(PathBufferSize - 1);
    EXPECT_TRUE(ProgramFilesFolder(out, sizeof out, stored.c_str()));
}

TEST(ProgramFilesFolder, AFolderThatFitsOnlyWithoutItsTrailingBackslashFits) {
    std::string stored(PathBufferSize - 1, 'x');
    stored += '\\';
    char out[PathBufferSize];
    ASSERT_TRUE(ProgramFilesFolder(out, sizeof out, stored.c_str()))
        << "256 characters with the backslash, 255 without it";
    EXPECT_EQ(stored.substr(0, PathBufferSize - 1), out);
    char small[3];
    EXPECT_TRUE(ProgramFilesFolder(small, sizeof small, "ab\\"));
    EXPECT_STREQ("ab", small);
    EXPECT_FALSE(ProgramFilesFolder(small, sizeof small, "abc\\"));
    EXPECT_STREQ("", small);
}

TEST(ModulePathComplete, ALengthThatFillsTheBufferIsACutName) {
    EXPECT_TRUE(ModulePathComplete(255, 256));
    EXPECT_FALSE(ModulePathComplete(256, 256));
    EXPECT_FALSE(ModulePathComplete(0, 256)) << "0 is the call's failure";
}
