// The setup's rules: installation paths, what an uninstallation may delete,
// and the Program Manager commands. The fuzz target paths checks each path
// rule, the six-character rule among them, on any text in buffers of any
// size, and its corpus holds each bound's edges (corpus/paths/edge-*); here
// are missing texts and the longest path's command line.
#include "host_test.h"

enum Op { Join, Command, ProgramFiles };

TEST(InstallPaths, JoinedCutAndJudgedWithinTheirBounds) {
    std::string longest = "C:\\" + std::string(PathBufferSize - 1 - 8, 'd') + " .exe";
    std::string longestCommand = "\"" + longest + "\" -Auto";
    const int Size = PathBufferSize;
    // The operation, its texts, the buffer's size, the result (null: refused).
    std::tuple<const char*, Op, const char*, const char*, int, const char*> cases[] = {
        {"a folder missing", Join, nullptr, "TW.exe", Size, nullptr},
        {"the longest command", Command, longest.c_str(), "-Auto", CommandLineSize,
         longestCommand.c_str()},
        {"a program missing", Command, nullptr, "-Auto", Size, nullptr},
        {"no stored folder", ProgramFiles, nullptr, nullptr, Size, "C:\\Program Files"},
    };
    for (auto [why, op, a, b, size, text] : cases)
        ExpectBounded(why, size, text, [&](char* out, int n) {
            return op == Join      ? JoinPath(out, n, a, b)
                   : op == Command ? JoinCommand(out, n, a, b)
                                   : ProgramFilesFolder(out, n, a);
        });
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
    std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"[Reload(%s)]", nullptr, "x", "[Reload(%s)]"}, // no first argument: as it is
        {"[A(%s)]", "g", nullptr, "[A(g)]"},
        {nullptr, "a", nullptr, nullptr},
        {DeleteGroupFormat, "Tallywhirl", nullptr, "[DeleteGroup(Tallywhirl)]"},
    };
    for (auto [format, a1, a2, text] : cases)
        ExpectBounded(format, ProgmanCommandSize, text, [&](char* out, int size) {
            return FormatProgmanCommand(out, size, format, a1, a2, "y");
        });
}

// The group's items: paths quoted when they hold a blank, names never.
TEST(ProgmanCommands, TheGroupAddsItsItemsQuoted) {
    const char* uninstaller = "D:\\My Windows\\TWUninst.exe";
    char command[CommandLineSize];
    ASSERT_TRUE(JoinCommand(command, sizeof command, uninstaller, "-Uninst"));
    QuotedItems items;
    ASSERT_TRUE(QuoteGroupItems(&items, "C:\\Program Files\\Tallywhirl\\TW.exe",
                                "C:\\Tallywhirl\\Readme.txt", uninstaller, command));
    GroupFields fields = {{nullptr, "Tallywhirl", "Tallywhirl", items.programPath, "Readme",
                           items.readmePath, "Uninstall Tallywhirl", items.uninstallCommand,
                           items.uninstallIcon}};
    std::string commands[GroupCommandCount];
    for (int i = 0; i < GroupCommandCount; i++) {
        const char* args[3];
        GroupCommandArgs(&fields, i, args);
        char out[ProgmanCommandSize];
        ASSERT_TRUE(FormatProgmanCommand(out, sizeof out, GroupCommands[i].format, args[0], args[1],
                                         args[2]));
        commands[i] = out;
    }
    EXPECT_EQ("[AddItem(\"C:\\Program Files\\Tallywhirl\\TW.exe\",Tallywhirl)]", commands[3]);
    EXPECT_EQ("[AddItem(C:\\Tallywhirl\\Readme.txt,Readme)]", commands[5]);
    EXPECT_EQ("[AddItem(\"D:\\My Windows\\TWUninst.exe\" -Uninst,Uninstall Tallywhirl,"
              "\"D:\\My Windows\\TWUninst.exe\",1)]",
              commands[7]);
}
