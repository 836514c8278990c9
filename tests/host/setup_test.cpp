// The setup's rules: installation paths and the six-character rule, what an
// uninstallation may delete, and the Program Manager commands.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bounded_text.h"
#include "setup/install_rules.h"
#include "setup/path_join.h"
#include "setup/progman_commands.h"
#include "setup/uninstall_rules.h"

namespace {

enum Op { Join, Command, Drop, Name, Parent, ProgramFiles, Installs };

// One path operation on a and b in size bytes: its text, or "refused" when
// it fails and leaves the empty text, or "installs" / "counts" for the rule.
std::string PathOp(Op op, const char* a, const char* b, int size) {
    std::vector<char> out(size + 1, '#');
    int ok = op == Join           ? JoinPath(out.data(), size, a, b)
             : op == Command      ? JoinCommand(out.data(), size, a, b)
             : op == Parent       ? ParentFolder(out.data(), size, a)
             : op == ProgramFiles ? ProgramFilesFolder(out.data(), size, a)
                                  : 1;
    EXPECT_EQ('#', out[size]) << "written past the buffer";
    if (op == Drop) {
        std::string path = a;
        DropTrailingBackslash(&path[0]);
        return path.c_str();
    }
    if (op == Name)
        return FileNamePart(a);
    if (op == Installs)
        return NeedsInstall(FileNamePart(a), "TW.exe") ? "installs" : "counts";
    return ok ? out.data() : out[0] ? "refused, but left " + std::string(out.data()) : "refused";
}

} // namespace

TEST(InstallPaths, JoinedCutAndJudgedWithinTheirBounds) {
    std::string a250(250, 'a'), x255(255, 'x'), x256 = x255 + "x", x255b = x255 + "\\";
    std::string longest = "C:\\" + std::string(PathBufferSize - 1 - 8, 'd') + " .exe";
    std::string longestCommand = "\"" + longest + "\" -Auto";
    const int Size = PathBufferSize;
    struct Case {
        const char* why;
        Op op;
        const char *a, *b;
        int size;
        const char* text;
    } cases[] = {
        {"folder and name", Join, "C:\\Program Files", "TW.exe", Size, "C:\\Program Files\\TW.exe"},
        {"a drive root", Join, "C:", "TWUninst.exe", Size, "C:\\TWUninst.exe"},
        {"15 characters fit in 16", Join, "C:\\abcdef", "x.exe", 16, "C:\\abcdef\\x.exe"},
        {"16 do not", Join, "C:\\abcdef", "xy.exe", 16, "refused"},
        {"no folder", Join, nullptr, "TW.exe", Size, "refused"},
        {"no name", Join, "C:", nullptr, Size, "refused"},
        {"a path with a blank is quoted", Command, "C:\\My Apps\\TW.exe", "-Auto", Size,
         "\"C:\\My Apps\\TW.exe\" -Auto"},
        {"one without stays as it is", Command, "C:\\Apps\\TW.exe", "-Auto", Size,
         "C:\\Apps\\TW.exe -Auto"},
        {"14 characters fit in 15", Command, "C:\\a b", "-Auto", 15, "\"C:\\a b\" -Auto"},
        {"15 do not", Command, "C:\\a b", "-Auto", 14, "refused"},
        {"the longest path read, quoted", Command, longest.c_str(), "-Auto", CommandLineSize,
         longestCommand.c_str()},
        {"too long a command", Command, a250.c_str(), "-Uninst", Size, "refused"},
        {"no path", Command, nullptr, "-Auto", Size, "refused"},
        {"a drive root loses its backslash", Drop, "C:\\", nullptr, 0, "C:"},
        {"only one backslash goes", Drop, "D:\\Apps\\\\", nullptr, 0, "D:\\Apps\\"},
        {"none to drop", Drop, "C:\\windows", nullptr, 0, "C:\\windows"},
        {"nothing to drop", Drop, "", nullptr, 0, ""},
        {"after the last backslash", Name, "C:\\my files\\Tallywhirl.exe", nullptr, 0,
         "Tallywhirl.exe"},
        {"a folder has no name", Name, "C:\\dir\\", nullptr, 0, ""},
        {"no backslash, no name", Name, "TW.exe", nullptr, 0, ""},
        {"the first character is never examined", Name, "\\TW.exe", nullptr, 0, ""},
        {"the second character is", Name, "x\\TW.exe", nullptr, 0, "TW.exe"},
        {"the parent folder", Parent, "C:\\Apps\\TW.exe", nullptr, Size, "C:\\Apps"},
        {"no backslash: an empty folder", Parent, "TW.exe", nullptr, Size, ""},
        {"7 characters fit in 8", Parent, "C:\\abcd\\x", nullptr, 8, "C:\\abcd"},
        {"8 do not", Parent, "C:\\abcde\\x", nullptr, 8, "refused"},
        {"empty: the default", ProgramFiles, "", nullptr, Size, "C:\\Program Files"},
        {"missing: the default", ProgramFiles, nullptr, nullptr, Size, "C:\\Program Files"},
        {"a trailing backslash goes", ProgramFiles, "D:\\Apps\\", nullptr, Size, "D:\\Apps"},
        {"a drive root", ProgramFiles, "D:\\", nullptr, Size, "D:"},
        {"256 characters do not fit", ProgramFiles, x256.c_str(), nullptr, Size, "refused"},
        {"fits only without its backslash", ProgramFiles, x255b.c_str(), nullptr, Size,
         x255.c_str()},
        {"the installed copy", Installs, "C:\\Program Files\\Tallywhirl\\TW.exe", nullptr, 0,
         "counts"},
        {"any six characters, anywhere", Installs, "C:\\Downloads\\ab.exe", nullptr, 0, "counts"},
        {"other letter case", Installs, "C:\\tw.EXE", nullptr, 0, "counts"},
        {"the uninstaller copy", Installs, "C:\\windows\\TWUninst.exe", nullptr, 0, "installs"},
        {"five characters", Installs, "C:\\a\\TW.ex", nullptr, 0, "installs"},
        {"seven characters", Installs, "C:\\a\\TW.exe1", nullptr, 0, "installs"},
        {"no backslash: the name is empty", Installs, "TW.exe", nullptr, 0, "installs"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, PathOp(c.op, c.a, c.b, c.size)) << c.why;
    EXPECT_STREQ("", FileNamePart(nullptr));
}

TEST(UninstallRules, OnlyLongFoldersAndTheProgramsOwnFiles) {
    struct FolderCase {
        const char* folder;
        int clears;
    } folders[] = {{"C:\\abcde", 0}, {"C:\\abcdef", 1}, {"C:\\", 0}, {"", 0}, {nullptr, 0}};
    for (const FolderCase& c : folders)
        EXPECT_EQ(c.clears, FolderWorthClearing(c.folder)) << (c.folder ? c.folder : "(none)");

    static const char* const Names[] = {"TW.exe",  "Tallywhirl.dll", "Readme.txt",
                                        "Day.txt", "Month.txt",      "Year.txt"};
    struct FileCase {
        const char* name;
        int count, ours;
    } files[] = {
        {"TW.exe", 6, 1},     {"Tallywhirl.dll", 6, 1}, {"Year.txt", 6, 1},
        {"tw.EXE", 6, 1},     {"README.TXT", 6, 1},     {"notes.txt", 6, 0},
        {"TW.exe.bak", 6, 0}, {"TW.ex", 6, 0},          {"Week.txt", 6, 0},
        {"", 6, 0},           {"Year.txt", 5, 0},
    };
    for (const FileCase& c : files)
        EXPECT_EQ(c.ours, IsProgramFile(c.name, Names, c.count))
            << c.name << " among " << c.count << " names";
}

TEST(ProgmanCommands, QuotedFieldsAndCommandsWithinTheirBounds) {
    std::string quotable(ItemFieldSize - 3, 'a'), tooLong = quotable + "a", plain(255, 'a');
    quotable[5] = tooLong[5] = ' ';
    std::string wanted = "\"" + quotable + "\"", huge(ProgmanCommandSize, 'n');
    enum Kind { Quote, Format };
    struct Case {
        const char* why;
        Kind kind;
        const char* a[4];
        const char* text; // nullptr: refused with the empty text
    } cases[] = {
        {"a blank in a path",
         Quote,
         {"C:\\Program Files\\Tallywhirl\\TW.exe"},
         "\"C:\\Program Files\\Tallywhirl\\TW.exe\""},
        {"a blank at the end", Quote, {"C:\\Apps\\TW.exe "}, "\"C:\\Apps\\TW.exe \""},
        {"no blank, no quotes", Quote, {"C:\\Apps\\TW.exe"}, "C:\\Apps\\TW.exe"},
        {"253 characters and two quotes fit", Quote, {quotable.c_str()}, wanted.c_str()},
        {"254 and two quotes do not", Quote, {tooLong.c_str()}, nullptr},
        {"255 without quotes fit", Quote, {plain.c_str()}, plain.c_str()},
        {"no argument: the format itself",
         Format,
         {"[Reload(%s)]", nullptr, "x", "y"},
         "[Reload(%s)]"},
        {"one argument", Format, {"[A(%s)]", "g", nullptr, "y"}, "[A(g)]"},
        {"two arguments", Format, {"[A(%s,%s)]", "p", "n"}, "[A(p,n)]"},
        {"three arguments", Format, {"[A(%s,%s,%s,1)]", "c", "n", "i"}, "[A(c,n,i,1)]"},
        {"no format", Format, {nullptr, "a"}, nullptr},
        {"too long", Format, {"[A(%s)]", huge.c_str()}, nullptr},
        {"deleting the group",
         Format,
         {DeleteGroupFormat, "Tallywhirl"},
         "[DeleteGroup(Tallywhirl)]"},
    };
    for (const Case& c : cases)
        ExpectBounded(c.why, c.kind == Format ? ProgmanCommandSize : ItemFieldSize, c.text,
                      [&](char* out, int size) {
                          return c.kind == Quote ? QuoteIfBlank(out, size, c.a[0])
                                                 : FormatProgmanCommand(out, size, c.a[0], c.a[1],
                                                                        c.a[2], c.a[3]);
                      });
}

TEST(ProgmanCommands, TheGroupIsNineCommandsInOrder) {
    struct Case {
        const char* why;
        const char* program;
        const char* readme;
        const char* uninstaller;
        const char* want[GroupCommandCount]; // nullptr: not looked at
    } cases[] = {
        {"under Program Files",
         "C:\\Program Files\\Tallywhirl\\TW.exe",
         "C:\\Program Files\\Tallywhirl\\Readme.txt",
         "C:\\windows\\TWUninst.exe",
         {"[CreateGroup(Tallywhirl)]", "[ShowGroup(Tallywhirl)]", "[ReplaceItem(Tallywhirl)]",
          "[AddItem(\"C:\\Program Files\\Tallywhirl\\TW.exe\",Tallywhirl)]",
          "[ReplaceItem(Readme)]",
          "[AddItem(\"C:\\Program Files\\Tallywhirl\\Readme.txt\",Readme)]",
          "[ReplaceItem(Uninstall Tallywhirl)]",
          "[AddItem(C:\\windows\\TWUninst.exe -Uninst,Uninstall Tallywhirl,"
          "C:\\windows\\TWUninst.exe,1)]",
          "[Reload(Tallywhirl)]"}},
        {"an uninstaller with a blank",
         "D:\\Apps\\Tallywhirl\\TW.exe",
         "D:\\Apps\\Tallywhirl\\Readme.txt",
         "D:\\My Windows\\TWUninst.exe",
         {nullptr, nullptr, nullptr, "[AddItem(D:\\Apps\\Tallywhirl\\TW.exe,Tallywhirl)]", nullptr,
          "[AddItem(D:\\Apps\\Tallywhirl\\Readme.txt,Readme)]", nullptr,
          "[AddItem(\"D:\\My Windows\\TWUninst.exe\" -Uninst,Uninstall Tallywhirl,"
          "\"D:\\My Windows\\TWUninst.exe\",1)]",
          nullptr}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        // The uninstall command as the installation makes it.
        char command[CommandLineSize];
        ASSERT_TRUE(JoinCommand(command, sizeof command, c.uninstaller, "-Uninst"));
        QuotedItems items;
        ASSERT_TRUE(QuoteGroupItems(&items, c.program, c.readme, c.uninstaller, command));
        GroupFields fields = {{nullptr, "Tallywhirl", "Tallywhirl", items.programPath, "Readme",
                               items.readmePath, "Uninstall Tallywhirl", items.uninstallCommand,
                               items.uninstallIcon}};
        for (int i = 0; i < GroupCommandCount; i++) {
            const char* args[3];
            GroupCommandArgs(&fields, i, args);
            char out[ProgmanCommandSize];
            ASSERT_TRUE(FormatProgmanCommand(out, sizeof out, GroupCommands[i].format, args[0],
                                             args[1], args[2]));
            if (c.want[i]) {
                EXPECT_STREQ(c.want[i], out) << "command " << i + 1;
            }
        }
    }
    QuotedItems items;
    std::string program = "C:\\Program Files\\" + std::string(ItemFieldSize - 19, 'p');
    EXPECT_FALSE(
        QuoteGroupItems(&items, program.c_str(), "C:\\r.txt", "C:\\u.exe", "C:\\u.exe -Uninst"))
        << "a path that fits only without its quotes stops the group";
}
