#include <gtest/gtest.h>

#include "setup/uninstall_rules.h"

TEST(FolderWorthClearing, NeedsMoreThanEightCharacters) {
    EXPECT_FALSE(FolderWorthClearing("C:\\abcde")) << "8 characters";
    EXPECT_TRUE(FolderWorthClearing("C:\\abcdef")) << "9 characters";
    EXPECT_FALSE(FolderWorthClearing("C:\\"));
    EXPECT_FALSE(FolderWorthClearing(""));
    EXPECT_FALSE(FolderWorthClearing(nullptr));
}

static const char* const Names[] = {"TW.exe",  "Tallywhirl.dll", "Readme.txt",
                                    "Day.txt", "Month.txt",      "Year.txt"};

TEST(IsProgramFile, KnowsOnlyTheProgramsOwnFilesWhateverTheirCase) {
    for (const char* name : Names)
        EXPECT_TRUE(IsProgramFile(name, Names, 6)) << name;
    EXPECT_TRUE(IsProgramFile("tw.EXE", Names, 6));
    EXPECT_TRUE(IsProgramFile("README.TXT", Names, 6));

    EXPECT_FALSE(IsProgramFile("notes.txt", Names, 6));
    EXPECT_FALSE(IsProgramFile("TW.exe.bak", Names, 6));
    EXPECT_FALSE(IsProgramFile("TW.ex", Names, 6));
    EXPECT_FALSE(IsProgramFile("Week.txt", Names, 6)) << "weeks have no file";
    EXPECT_FALSE(IsProgramFile("", Names, 6));
    EXPECT_FALSE(IsProgramFile("Year.txt", Names, 5)) << "only the first count names";
}
