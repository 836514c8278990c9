#include <gtest/gtest.h>

#include "ui/startup_command.h"

TEST(StartupCommand, OnlyAPathShorterThanItsBufferIsComplete) {
    EXPECT_FALSE(ModulePathComplete(0, 256)) << "0 is the platform's failure";
    EXPECT_TRUE(ModulePathComplete(1, 256));
    EXPECT_TRUE(ModulePathComplete(255, 256));
    EXPECT_FALSE(ModulePathComplete(256, 256)) << "a cut path comes back as long as the buffer";
    EXPECT_FALSE(ModulePathComplete(300, 256));
    EXPECT_FALSE(ModulePathComplete(5, 0));
}
