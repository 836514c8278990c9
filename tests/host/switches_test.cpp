#include <gtest/gtest.h>

#include "app/switches.h"

TEST(Switches, MatchTheWholeCommandLineOrAllButItsFirstCharacter) {
    EXPECT_TRUE(SwitchPresent("-Auto", "-Auto"));
    EXPECT_TRUE(SwitchPresent("/-Auto", "-Auto"));
    EXPECT_TRUE(SwitchPresent("x-Auto", "-Auto"));
    EXPECT_TRUE(SwitchPresent(" -Uninst", "-Uninst"));

    EXPECT_FALSE(SwitchPresent("-auto", "-Auto")) << "matching is case-sensitive";
    EXPECT_FALSE(SwitchPresent("-AUTO", "-Auto"));
    EXPECT_FALSE(SwitchPresent("-Auto ", "-Auto")) << "a trailing blank makes it absent";
    EXPECT_FALSE(SwitchPresent("  -Auto", "-Auto")) << "only one leading character is skipped";
    EXPECT_FALSE(SwitchPresent("-Auto -Uninst", "-Uninst"));
    EXPECT_FALSE(SwitchPresent("-Uninst", "-Auto"));
    EXPECT_FALSE(SwitchPresent("", "-Auto"));
    EXPECT_FALSE(SwitchPresent("A", "-Auto"));
    EXPECT_FALSE(SwitchPresent(nullptr, "-Auto"));
}

TEST(Switches, AnEmptySwitchTextMatchesOnlyAnEmptyOrOneCharacterLine) {
    EXPECT_TRUE(SwitchPresent("", ""));
    EXPECT_TRUE(SwitchPresent("x", ""));
    EXPECT_FALSE(SwitchPresent("xy", ""));
}
