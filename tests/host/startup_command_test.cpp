#include <gtest/gtest.h>

#include <string>

#include "ui/startup_command.h"

TEST(StartupCommand, PathBlankAndSwitchWithoutQuotes) {
    char command[StartupCommandSize];
    ASSERT_TRUE(FormatStartupCommand(command, sizeof command,
                                     "C:\\Program Files\\Tallywhirl\\TW.exe", "-Auto"));
    EXPECT_STREQ("C:\\Program Files\\Tallywhirl\\TW.exe -Auto", command);
}

TEST(StartupCommand, TheLongestPathTheProgramCanReadStillFits) {
    std::string path = "C:\\" + std::string(ModulePathSize - 1 - 3 - 4, 'd') + ".exe";
    ASSERT_EQ(ModulePathSize - 1, static_cast<int>(path.size()));
    char command[StartupCommandSize];
    ASSERT_TRUE(FormatStartupCommand(command, sizeof command, path.c_str(), "-Auto"));
    EXPECT_EQ(path + " -Auto", std::string(command));
}

TEST(StartupCommand, ACommandLongerThanItsBufferIsRefusedAndLeftEmpty) {
    std::string path(250, 'p');
    char command[256];
    EXPECT_FALSE(FormatStartupCommand(command, sizeof command, path.c_str(), "-Auto"))
        << "250 + 1 + 5 characters and a terminator need 257 bytes";
    EXPECT_STREQ("", command);
    std::string fits(249, 'p');
    EXPECT_TRUE(FormatStartupCommand(command, sizeof command, fits.c_str(), "-Auto"));
    EXPECT_EQ(255u, std::string(command).size());
}

TEST(StartupCommand, AMissingTextIsRefused) {
    char command[16] = "old";
    EXPECT_FALSE(FormatStartupCommand(command, sizeof command, nullptr, "-Auto"));
    EXPECT_STREQ("", command);
}

TEST(StartupCommand, OnlyAPathShorterThanItsBufferIsComplete) {
    EXPECT_FALSE(ModulePathComplete(0, 256)) << "0 is the platform's failure";
    EXPECT_TRUE(ModulePathComplete(1, 256));
    EXPECT_TRUE(ModulePathComplete(255, 256));
    EXPECT_FALSE(ModulePathComplete(256, 256)) << "a cut path comes back as long as the buffer";
    EXPECT_FALSE(ModulePathComplete(300, 256));
    EXPECT_FALSE(ModulePathComplete(5, 0));
}
