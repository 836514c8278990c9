#include <gtest/gtest.h>

#include "ui/sheet_flags.h"

TEST(SheetFlags, TheStatisticsSheetUsesExactly0x18C) {
    EXPECT_EQ(0x18Cu, SheetFlags(0, 0, 0));
}

TEST(SheetFlags, EachRequestAddsItsOwnFlag) {
    EXPECT_EQ(0x18Du, SheetFlags(1, 0, 0));
    EXPECT_EQ(0x38Cu, SheetFlags(0, 1, 0));
    EXPECT_EQ(0x58Cu, SheetFlags(0, 0, 1));
    EXPECT_EQ(0x78Du, SheetFlags(1, 1, 1));
}

TEST(SheetFlags, PageFlagsFollowTitleIconAndHelp) {
    EXPECT_EQ(0u, PageFlags(0, 0, 0)) << "the statistics window's pages";
    EXPECT_EQ(0x8u, PageFlags(12, 0, 0));
    EXPECT_EQ(0x4u, PageFlags(0, 101, 0));
    EXPECT_EQ(0x20u, PageFlags(0, 0, 1));
    EXPECT_EQ(0x2Cu, PageFlags(12, 101, 1));
}
