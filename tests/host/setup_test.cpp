// The setup's rules: installation paths, what an uninstallation may delete,
// and the Program Manager commands. The fuzz target paths checks each path
// rule, the six-character rule among them, on any text in buffers of any
// size, and its corpus holds each bound's edges (corpus/paths/edge-*); here
// are missing texts and the longest path's command line.
#include "host_test.h"

TEST(InstallPaths, JoinedCutAndJudgedWithinTheirBounds) {
    std::string longest = "C:\\" + std::string(PathBufferSize - 1 - 8, 'd') + " .exe";
    std::string longestCommand = "\"" + longest + "\" -Auto";
    ExpectBounded("the longest command", CommandLineSize, longestCommand.c_str(), JoinCommand,
                  longest.c_str(), "-Auto");
    ExpectBounded("a program missing", PathBufferSize, nullptr, JoinCommand, nullptr, "-Auto");
    ExpectBounded("a folder missing", PathBufferSize, nullptr, JoinPath, nullptr, "TW.exe");
    ExpectFitsExactly("no stored folder", "C:\\Program Files", ProgramFilesFolder, nullptr);
    EXPECT_STREQ("", FileNamePart(nullptr));
    EXPECT_TRUE(NeedsInstall(nullptr, "TW.exe"));
}

TEST(UninstallRules, OnlyLongFoldersAndTheProgramsOwnFiles) {
    EXPECT_TRUE(FolderWorthClearing("C:\\abcdef"));
    for (const char* folder : {"C:\\abcde", "C:\\", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(FolderWorthClearing(folder)) << folder;
    const char* const Names[] = {"TW.exe",  "Tallywhirl.dll", "Readme.txt",
                                 "Day.txt", "Month.txt",      "Year.txt"};
    std::tuple<const char*, int, int> files[] = {
        {"Tallywhirl.dll", 6, 1}, {"tw.EXE", 6, 1}, {"README.TXT", 6, 1}, {"notes.txt", 6, 0},
        {"TW.exe.bak", 6, 0},     {"TW.ex", 6, 0},  {"", 6, 0},           {"Year.txt", 5, 0}};
    for (auto [name, count, ours] : files)
        EXPECT_EQ(ours, IsProgramFile(name, Names, count)) << name << " of " << count;
}

TEST(ProgmanCommands, AFormatFilledAsFarAsItsArgumentsGo) {
    std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"no first argument: as it is", "[Reload(%s)]", nullptr, "x", "[Reload(%s)]"},
        {"no second argument", "[A(%s)]", "g", nullptr, "[A(g)]"},
        {"no format", nullptr, "a", nullptr, nullptr},
        {"the group's removal", DeleteGroupFormat, "Tallywhirl", nullptr,
         "[DeleteGroup(Tallywhirl)]"},
    };
    for (auto [why, format, a1, a2, text] : cases)
        ExpectBounded(why, ProgmanCommandSize, text, FormatProgmanCommand, format, a1, a2, "y");
}

// The group's items: each AddItem takes the item's path, quoted when it
// holds a blank, then its name, never quoted.
TEST(ProgmanCommands, TheGroupAddsItsItemsQuoted) {
    QuotedItems items;
    ASSERT_TRUE(QuoteGroupItems(&items, "C:\\Program Files\\Tallywhirl\\TW.exe",
                                "C:\\Tallywhirl\\Readme.txt", "D:\\My Windows\\TWUninst.exe",
                                "\"D:\\My Windows\\TWUninst.exe\" -Uninst"));
    GroupFields fields = {{nullptr, "Tallywhirl", "Tallywhirl", items.programPath, "Readme",
                           items.readmePath, "Uninstall Tallywhirl", items.uninstallCommand,
                           items.uninstallIcon}};
    std::string added;
    for (int i = 0; i < GroupCommandCount; i++) {
        const char* args[3];
        GroupCommandArgs(&fields, i, args);
        char out[ProgmanCommandSize];
        ASSERT_TRUE(FormatProgmanCommand(out, sizeof out, GroupCommands[i].format, args[0], args[1],
                                         args[2]));
        added += strncmp(out, "[AddItem(", 9) ? "" : std::string(out) + "\n";
    }
    EXPECT_EQ("[AddItem(\"C:\\Program Files\\Tallywhirl\\TW.exe\",Tallywhirl)]\n"
              "[AddItem(C:\\Tallywhirl\\Readme.txt,Readme)]\n"
              "[AddItem(\"D:\\My Windows\\TWUninst.exe\" -Uninst,Uninstall Tallywhirl,"
              "\"D:\\My Windows\\TWUninst.exe\",1)]\n",
              added);
}
