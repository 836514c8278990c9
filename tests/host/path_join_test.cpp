#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/path_join.h"
#include "ui/startup_command.h"

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
    char out[PathBufferSize];
    ASSERT_TRUE(JoinPath(out, sizeof out, "C:\\Program Files\\Tallywhirl", "TW.exe"));
    EXPECT_STREQ("C:\\Program Files\\Tallywhirl\\TW.exe", out);
    ASSERT_TRUE(JoinPath(out, sizeof out, "C:", "TWUninst.exe"));
    EXPECT_STREQ("C:\\TWUninst.exe", out);
}

TEST(JoinPath, ATextThatDoesNotFitIsAFailureWithAnEmptyResult) {
    char out[16];
    EXPECT_TRUE(JoinPath(out, sizeof out, "C:\\abcdef", "x.exe")) << "15 characters fit in 16";
    EXPECT_STREQ("C:\\abcdef\\x.exe", out);
    EXPECT_FALSE(JoinPath(out, sizeof out, "C:\\abcdef", "xy.exe")) << "16 characters do not";
    EXPECT_STREQ("", out);

    std::string folder(250, 'a');
    char path[PathBufferSize];
    EXPECT_FALSE(JoinPath(path, sizeof path, folder.c_str(), "Tallywhirl"));
    EXPECT_FALSE(JoinPath(path, sizeof path, nullptr, "TW.exe"));
    EXPECT_FALSE(JoinPath(path, sizeof path, "C:", nullptr));
}

TEST(JoinCommand, QuotesAPathWithABlankAndRefusesWhatDoesNotFit) {
    // The longest paths the program can read, with and without a blank.
    const std::string plain = "C:\\" + std::string(ModulePathSize - 1 - 3 - 4, 'd') + ".exe";
    const std::string blank = "C:\\" + std::string(ModulePathSize - 1 - 3 - 5, 'd') + " .exe";
    struct {
        std::string path;
        int size;
        bool fits;
        std::string expected;
    } rows[] = {
        {"C:\\Program Files\\Tallywhirl\\TW.exe", 64, true,
         "\"C:\\Program Files\\Tallywhirl\\TW.exe\" -Auto"},
        {"C:\\Tallywhirl\\TW.exe", 64, true, "C:\\Tallywhirl\\TW.exe -Auto"},
        {"C:\\a b", 15, true, "\"C:\\a b\" -Auto"},
        {"C:\\a b", 14, false, ""},
        {"C:\\ab", 12, true, "C:\\ab -Auto"},
        {"C:\\ab", 11, false, ""},
        {plain, StartupCommandSize, true, plain + " -Auto"},
        {blank, StartupCommandSize, true, "\"" + blank + "\" -Auto"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path + " in " + std::to_string(row.size));
        std::vector<char> out(row.size, 'x');
        EXPECT_EQ(row.fits, JoinCommand(out.data(), row.size, row.path.c_str(), "-Auto") == 1);
        EXPECT_EQ(row.expected, std::string(out.data()));
    }
    char out[8] = "old";
    EXPECT_FALSE(JoinCommand(out, sizeof out, nullptr, "-Auto"));
    EXPECT_STREQ("", out);
}

TEST(DropTrailingBackslash, RemovesExactlyOneAtTheEnd) {
    char root[] = "C:\\";
    DropTrailingBackslash(root);
    EXPECT_STREQ("C:", root);
    char twice[] = "D:\\Apps\\\\";
    DropTrailingBackslash(twice);
    EXPECT_STREQ("D:\\Apps\\", twice);
    char plain[] = "C:\\windows";
    DropTrailingBackslash(plain);
    EXPECT_STREQ("C:\\windows", plain);
    char empty[] = "";
    DropTrailingBackslash(empty);
    EXPECT_STREQ("", empty);
}

TEST(FileNamePart, IsWhatFollowsTheLastBackslashButNeverLooksAtTheFirstCharacter) {
    EXPECT_STREQ("Tallywhirl.exe", FileNamePart("C:\\my files\\Tallywhirl.exe"));
    EXPECT_STREQ("TW.exe", FileNamePart("C:\\TW.exe"));
    EXPECT_STREQ("", FileNamePart("C:\\dir\\"));
    EXPECT_STREQ("", FileNamePart("TW.exe")) << "no backslash: empty";
    EXPECT_STREQ("", FileNamePart("\\TW.exe")) << "a backslash at the first character is not seen";
    EXPECT_STREQ("TW.exe", FileNamePart("x\\TW.exe"));
    EXPECT_STREQ("", FileNamePart(""));
    EXPECT_STREQ("", FileNamePart(nullptr));
}

TEST(ParentFolder, CutsAtTheLastBackslashOrGivesTheEmptyText) {
    char out[PathBufferSize];
    ASSERT_TRUE(ParentFolder(out, sizeof out, "C:\\Program Files\\Tallywhirl\\TW.exe"));
    EXPECT_STREQ("C:\\Program Files\\Tallywhirl", out);
    ASSERT_TRUE(ParentFolder(out, sizeof out, "TW.exe"));
    EXPECT_STREQ("", out) << "no backslash: an empty working directory";
    ASSERT_TRUE(ParentFolder(out, sizeof out, "\\TW.exe"));
    EXPECT_STREQ("", out);

    char small[8];
    EXPECT_TRUE(ParentFolder(small, sizeof small, "C:\\abcd\\x"));
    EXPECT_STREQ("C:\\abcd", small);
    EXPECT_FALSE(ParentFolder(small, sizeof small, "C:\\abcde\\x"));
    EXPECT_STREQ("", small);
}
