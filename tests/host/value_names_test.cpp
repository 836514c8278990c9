#include <gtest/gtest.h>

#include <string>

#include "app/bounded_format.h"
#include "store/value_names.h"

TEST(ValueNames, JoinTheFigureAndThePeriod) {
    char name[NameBufferSize];
    ASSERT_TRUE(BuildValueName(name, sizeof name, "Current", "Session"));
    EXPECT_STREQ("CounterCurrentSession", name);
    ASSERT_TRUE(BuildValueName(name, sizeof name, "Last", "Year"));
    EXPECT_STREQ("CounterLastYear", name);
}

TEST(ValueNames, ANameThatDoesNotFitIsRefusedAndLeavesNothingBehind) {
    std::string longName(300, 'P');
    char name[NameBufferSize + 8];
    memset(name, '#', sizeof name);
    EXPECT_FALSE(BuildValueName(name, NameBufferSize, "Current", longName.c_str()));
    EXPECT_STREQ("", name);
    EXPECT_EQ('#', name[NameBufferSize]) << "nothing is written past the buffer";

    char exact[8];
    EXPECT_TRUE(FormatBounded(exact, sizeof exact, "%s", "1234567"));
    EXPECT_FALSE(FormatBounded(exact, sizeof exact, "%s", "12345678"));
    EXPECT_FALSE(FormatBounded(exact, 0, "%s", ""));
}

TEST(ValueNames, TheProgramFolderIsTheFileNameCutAtItsLastBackslash) {
    char path[NameBufferSize] = "C:\\Program Files\\Tallywhirl\\TW.exe";
    ASSERT_TRUE(CutToFolder(path));
    EXPECT_STREQ("C:\\Program Files\\Tallywhirl", path);

    char root[NameBufferSize] = "C:\\TW.exe";
    ASSERT_TRUE(CutToFolder(root));
    EXPECT_STREQ("C:", root) << "a program in a drive's root gives the drive alone";

    char early[NameBufferSize] = "\\\\x";
    EXPECT_FALSE(CutToFolder(early)) << "backslashes before index 2 are not looked at";
    EXPECT_STREQ("\\\\x", early);

    char bare[NameBufferSize] = "TW.exe";
    EXPECT_FALSE(CutToFolder(bare));
    EXPECT_FALSE(CutToFolder(nullptr));
}

TEST(ValueNames, StoredValuesOfTheWrongTypeOrSizeAreNotUsed) {
    const int Text = 1, Number = 4, Binary = 3;
    char bytes[8] = {};
    EXPECT_TRUE(StoredValueUsable(Number, Number, 4, bytes, 4));
    EXPECT_FALSE(StoredValueUsable(Number, Number, 3, bytes, 4));
    EXPECT_FALSE(StoredValueUsable(Number, Number, 1, bytes, 4));
    EXPECT_FALSE(StoredValueUsable(Number, Number, 0, bytes, 4));
    EXPECT_FALSE(StoredValueUsable(Number, Number, 300, bytes, 4));
    EXPECT_FALSE(StoredValueUsable(Number, Text, 4, bytes, 4));
    EXPECT_FALSE(StoredValueUsable(Number, Binary, 4, bytes, 4));

    char text[4] = {'a', 'b', 'c', 0};
    EXPECT_TRUE(StoredValueUsable(Text, Text, 4, text, 4));
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(StoredValueUsable(Text, Text, 4, unterminated, 4));
    EXPECT_FALSE(StoredValueUsable(Text, Number, 4, text, 4));
}
