#include <gtest/gtest.h>

#include <climits>

#include "ui/placement.h"

TEST(Placement, ASheetIsCentredOnTheScreen) {
    WindowBox at = CenteredOnScreen(1024, 768, 641, 400, 0, 0);
    EXPECT_EQ(192, at.Left) << "512 - 320";
    EXPECT_EQ(184, at.Top) << "384 - 200";
    EXPECT_EQ(641, at.Width);
    EXPECT_EQ(400, at.Height);
}

TEST(Placement, TheShiftMovesTheCentredWindow) {
    WindowBox at = CenteredOnScreen(1024, 768, 641, 400, -10, 25);
    EXPECT_EQ(182, at.Left);
    EXPECT_EQ(209, at.Top);
}

TEST(Placement, AWindowLargerThanTheScreenStartsAtZeroNeverBelow) {
    WindowBox wide = CenteredOnScreen(1024, 768, 1300, 400, 0, 0);
    EXPECT_EQ(0, wide.Left);
    EXPECT_EQ(184, wide.Top);
    WindowBox tall = CenteredOnScreen(1024, 768, 641, 900, 0, 0);
    EXPECT_EQ(192, tall.Left);
    EXPECT_EQ(0, tall.Top);
    WindowBox shifted = CenteredOnScreen(1024, 768, 641, 400, -500, -500);
    EXPECT_EQ(0, shifted.Left);
    EXPECT_EQ(0, shifted.Top);
}

TEST(Placement, ExtremeSizesNeitherOverflowNorGoNegative) {
    WindowBox huge =
        CenteredOnScreen(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(INT32_MAX, huge.Left);
    WindowBox tiny = CenteredOnScreen(0, 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    EXPECT_EQ(0, tiny.Left);
    EXPECT_EQ(0, tiny.Top);
}

TEST(Placement, OddSizesHalveTowardZero) {
    WindowBox at = CenteredOnScreen(1023, 767, 7, 9, 0, 0);
    EXPECT_EQ(511 - 3, at.Left);
    EXPECT_EQ(383 - 4, at.Top);
}

TEST(Placement, TheHideButtonIsFortyPixelsWiderWithTheSameRightEdge) {
    WindowBox cancel = {300, 410, 75, 23};
    WindowBox hide = HideButtonBox(cancel);
    EXPECT_EQ(260, hide.Left);
    EXPECT_EQ(410, hide.Top);
    EXPECT_EQ(115, hide.Width);
    EXPECT_EQ(23, hide.Height);
    EXPECT_EQ(cancel.Left + cancel.Width, hide.Left + hide.Width) << "right edge moved";
}

TEST(Placement, AHideButtonAtTheEndsOfTheRangeStaysAsItIsWithoutOverflow) {
    WindowBox farLeft = {INT32_MIN, 5, 75, 23};
    WindowBox hide = HideButtonBox(farLeft);
    EXPECT_EQ(INT32_MIN, hide.Left) << "40 further left does not exist";
    EXPECT_EQ(75, hide.Width);
    WindowBox tooWide = {300, 5, INT32_MAX - 39, 23};
    hide = HideButtonBox(tooWide);
    EXPECT_EQ(300, hide.Left);
    EXPECT_EQ(INT32_MAX - 39, hide.Width);

    WindowBox lastToWiden = {INT32_MIN + 40, 5, INT32_MAX - 40, 23};
    hide = HideButtonBox(lastToWiden);
    EXPECT_EQ(INT32_MIN, hide.Left);
    EXPECT_EQ(INT32_MAX, hide.Width);
}
