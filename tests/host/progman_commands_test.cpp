#include <gtest/gtest.h>

#include <string>

#include "setup/progman_commands.h"

TEST(QuoteIfBlank, QuotesAPathWithABlankAnywhere) {
    char out[ItemFieldSize];
    ASSERT_TRUE(QuoteIfBlank(out, sizeof out, "C:\\Program Files\\Tallywhirl\\TW.exe"));
    EXPECT_STREQ("\"C:\\Program Files\\Tallywhirl\\TW.exe\"", out);
    ASSERT_TRUE(QuoteIfBlank(out, sizeof out, "C:\\Apps\\TW.exe "));
    EXPECT_STREQ("\"C:\\Apps\\TW.exe \"", out);
    ASSERT_TRUE(QuoteIfBlank(out, sizeof out, "C:\\Apps\\Tallywhirl\\TW.exe"));
    EXPECT_STREQ("C:\\Apps\\Tallywhirl\\TW.exe", out) << "no blank, no quotes";
}

TEST(QuoteIfBlank, TheQuotesCountAgainstTheBound) {
    char out[ItemFieldSize];
    std::string path(ItemFieldSize - 3, 'a');
    path[5] = ' ';
    EXPECT_TRUE(QuoteIfBlank(out, sizeof out, path.c_str())) << "253 + 2 quotes fit";
    path += 'a';
    EXPECT_FALSE(QuoteIfBlank(out, sizeof out, path.c_str()));
    EXPECT_STREQ("", out);
    std::string plain(ItemFieldSize - 1, 'a');
    EXPECT_TRUE(QuoteIfBlank(out, sizeof out, plain.c_str()));
}

TEST(UninstallItemCommand, DependsOnlyOnBlanksInTheUninstallerPath) {
    char out[ItemFieldSize];
    ASSERT_TRUE(UninstallItemCommand(out, sizeof out, "C:\\windows\\TWUninst.exe",
                                     "C:\\windows\\TWUninst.exe -Uninst", "-Uninst"));
    EXPECT_STREQ("C:\\windows\\TWUninst.exe -Uninst", out);
    ASSERT_TRUE(UninstallItemCommand(out, sizeof out, "C:\\my windows\\TWUninst.exe",
                                     "C:\\my windows\\TWUninst.exe -Uninst", "-Uninst"));
    EXPECT_STREQ("\"C:\\my windows\\TWUninst.exe\" -Uninst", out);
}

TEST(FormatProgmanCommand, UsesAsManyArgumentsAsAreGiven) {
    char out[ProgmanCommandSize];
    ASSERT_TRUE(FormatProgmanCommand(out, sizeof out, "[Reload(%s)]", nullptr, "x", "y"));
    EXPECT_STREQ("[Reload(%s)]", out) << "no first argument: the format itself";
    ASSERT_TRUE(FormatProgmanCommand(out, sizeof out, "[A(%s)]", "g", nullptr, "y"));
    EXPECT_STREQ("[A(g)]", out);
    ASSERT_TRUE(FormatProgmanCommand(out, sizeof out, "[A(%s,%s)]", "p", "n", nullptr));
    EXPECT_STREQ("[A(p,n)]", out);
    ASSERT_TRUE(FormatProgmanCommand(out, sizeof out, "[A(%s,%s,%s,1)]", "c", "n", "i"));
    EXPECT_STREQ("[A(c,n,i,1)]", out);
    EXPECT_FALSE(FormatProgmanCommand(out, sizeof out, nullptr, "a", nullptr, nullptr));

    std::string name(ProgmanCommandSize, 'n');
    EXPECT_FALSE(FormatProgmanCommand(out, sizeof out, "[A(%s)]", name.c_str(), nullptr, nullptr));
    EXPECT_STREQ("", out);
}

struct GroupTexts {
    QuotedItems items;
    GroupFields fields;
};

static bool Prepare(GroupTexts* texts, const char* program, const char* readme,
                    const char* uninstaller, const char* command) {
    if (!QuoteGroupItems(&texts->items, program, readme, uninstaller, command, "-Uninst"))
        return false;
    texts->fields = {};
    texts->fields.text[FieldGroupName] = "Tallywhirl";
    texts->fields.text[FieldProgramName] = "Tallywhirl";
    texts->fields.text[FieldReadmeName] = "Readme";
    texts->fields.text[FieldUninstallName] = "Uninstall Tallywhirl";
    texts->fields.text[FieldProgramPath] = texts->items.programPath;
    texts->fields.text[FieldReadmePath] = texts->items.readmePath;
    texts->fields.text[FieldUninstallCommand] = texts->items.uninstallCommand;
    texts->fields.text[FieldUninstallIcon] = texts->items.uninstallIcon;
    return true;
}

static std::string Command(const GroupTexts& texts, int index) {
    const char* args[3];
    GroupCommandArgs(&texts.fields, index, args);
    char out[ProgmanCommandSize];
    if (!FormatProgmanCommand(out, sizeof out, GroupCommands[index].format, args[0], args[1],
                              args[2]))
        return "(did not fit)";
    return out;
}

TEST(GroupCommands, TheNineCommandsInOrderWithQuotedPaths) {
    GroupTexts texts;
    ASSERT_TRUE(Prepare(&texts, "C:\\Program Files\\Tallywhirl\\TW.exe",
                        "C:\\Program Files\\Tallywhirl\\Readme.txt", "C:\\windows\\TWUninst.exe",
                        "C:\\windows\\TWUninst.exe -Uninst"));
    const char* want[GroupCommandCount] = {
        "[CreateGroup(Tallywhirl)]",
        "[ShowGroup(Tallywhirl)]",
        "[ReplaceItem(Tallywhirl)]",
        "[AddItem(\"C:\\Program Files\\Tallywhirl\\TW.exe\",Tallywhirl)]",
        "[ReplaceItem(Readme)]",
        "[AddItem(\"C:\\Program Files\\Tallywhirl\\Readme.txt\",Readme)]",
        "[ReplaceItem(Uninstall Tallywhirl)]",
        "[AddItem(C:\\windows\\TWUninst.exe -Uninst,Uninstall Tallywhirl,"
        "C:\\windows\\TWUninst.exe,1)]",
        "[Reload(Tallywhirl)]",
    };
    for (int i = 0; i < GroupCommandCount; i++)
        EXPECT_EQ(want[i], Command(texts, i)) << "command " << i + 1;
}

TEST(GroupCommands, AnUninstallerPathWithABlankIsQuotedInCommandAndIcon) {
    GroupTexts texts;
    ASSERT_TRUE(Prepare(&texts, "D:\\Apps\\Tallywhirl\\TW.exe", "D:\\Apps\\Tallywhirl\\Readme.txt",
                        "D:\\My Windows\\TWUninst.exe", "D:\\My Windows\\TWUninst.exe -Uninst"));
    EXPECT_EQ("[AddItem(D:\\Apps\\Tallywhirl\\TW.exe,Tallywhirl)]", Command(texts, 3));
    EXPECT_EQ("[AddItem(D:\\Apps\\Tallywhirl\\Readme.txt,Readme)]", Command(texts, 5));
    EXPECT_EQ("[AddItem(\"D:\\My Windows\\TWUninst.exe\" -Uninst,Uninstall Tallywhirl,"
              "\"D:\\My Windows\\TWUninst.exe\",1)]",
              Command(texts, 7));
}

TEST(GroupCommands, AFieldThatCannotBeQuotedWithinItsBufferStopsTheGroup) {
    GroupTexts texts;
    std::string program = "C:\\Program Files\\" + std::string(ItemFieldSize - 19, 'p');
    EXPECT_TRUE(program.size() < ItemFieldSize);
    EXPECT_FALSE(Prepare(&texts, program.c_str(), "C:\\r.txt", "C:\\u.exe", "C:\\u.exe -Uninst"));
}

TEST(GroupCommands, DeletionIsOneCommand) {
    char out[ProgmanCommandSize];
    ASSERT_TRUE(
        FormatProgmanCommand(out, sizeof out, DeleteGroupFormat, "Tallywhirl", nullptr, nullptr));
    EXPECT_STREQ("[DeleteGroup(Tallywhirl)]", out);
}
