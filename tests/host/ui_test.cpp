// The statistics window's rules: the cell texts and colours, placement and
// the counter commands.
#include "host_test.h"
#include "res/resource_ids.h"

TEST(PercentChange, TheDifferenceCellReadsAndIsColouredByTheQuotient) {
    // Which colour, not its value: the page's screenshot checks the value.
    const uint32_t Green = RiseColour, Red = FallColour, Default = 0xFFFFFFFF;
    std::tuple<const char*, int32_t, int32_t, const char*, uint32_t> cases[] = {
        {"a rise of a quarter", 150, 120, "+25%", Green},
        {"11,900 / 120 is 99", 119, 120, "-1%", Red},
        {"no change is a rise", 77, 77, "0%", Green},
        {"no last figure", 12, 0, "n/a", Default},
        {"-100 / 3 truncates toward zero", -1, 3, "-133%", Red},
        {"the largest rise", INT32_MIN, -1, "+214748364700%", Green},
        {"the largest fall", INT32_MIN, 1, "-214748364900%", Red},
    };
    for (auto [name, current, last, text, colour] : cases) {
        int64_t percent = PercentChangeOf(current, last);
        ExpectFitsExactly(name, text, FormatDifferenceText, percent);
        uint32_t drawn = Default;
        EXPECT_EQ(colour != Default, DifferenceColour(percent, &drawn)) << name;
        EXPECT_EQ(colour, drawn) << name;
    }
}

TEST(DisplayTexts, CountsAndTheClockFitTheirCellOrStayEmpty) {
    // The row's name, a clock or a count, its value, the text.
    std::tuple<const char*, int, int64_t, const char*> cases[] = {
        {"the longest count", 0, INT32_MIN, "-2147483648"},
        {"a clock", 1, 3725, "01:02:05"},
        {"the longest clock", 1, UINT32_MAX, "1193046:28:15"}};
    for (auto [name, clock, value, text] : cases)
        ExpectFitsExactly(name, text, [&](char* out, int n) {
            return clock ? FormatClockText(out, n, static_cast<uint32_t>(value))
                         : FormatCountText(out, n, static_cast<int32_t>(value));
        });
}

static auto Box(const WindowBox& b) {
    return std::tuple(b.Left, b.Top, b.Width, b.Height);
}

TEST(Placement, TheSheetIsCenteredAndTheHideButtonWidenedToTheLeft) {
    const int32_t Max = INT32_MAX, Min = INT32_MIN;
    // The row's name; screen width and height, window width and height, shift, left and top.
    std::tuple<const char*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>
        cases[] = {{"shifted, an odd size halved down", 1024, 768, 641, 400, -10, 25, 182, 209},
                   {"larger than the screen", 1024, 768, 1300, 900, 0, 0, 0, 0},
                   {"odd screen, negative size toward zero", 1023, 767, -7, 9, 0, 0, 514, 379},
                   {"beyond 32 bits above", Max, Max, Min, Min, Max, Max, Max, Max},
                   {"beyond 32 bits below", 0, 0, Max, Max, Min, Min, 0, 0}};
    for (auto [name, screenWidth, screenHeight, width, height, dx, dy, left, top] : cases)
        EXPECT_EQ(Box({left, top, width, height}),
                  Box(CenteredOnScreen(screenWidth, screenHeight, width, height, dx, dy)))
            << name;
    std::tuple<const char*, WindowBox, WindowBox> buttons[] = {
        {"widened", {300, 410, 75, 23}, {260, 410, 115, 23}},
        {"the last that can widen", {Min + 40, 5, Max - 40, 23}, {Min, 5, Max, 23}},
        {"no room on the left", {Min + 39, 5, 75, 23}, {Min + 39, 5, 75, 23}},
        {"too wide to widen", {300, 5, Max - 39, 23}, {300, 5, Max - 39, 23}},
    };
    for (auto [name, cancel, hide] : buttons)
        EXPECT_EQ(Box(hide), Box(HideButtonBox(cancel))) << name;
}

// Each reset button of the options page by its control id, and the sheet's
// New session and Reset all, as the pages run them.
TEST(CounterResets, EachCommandClearsItsCountsAndNothingElse) {
    std::tuple<const char*, int, const char*> cases[] = {
        {"New session", IDC_NEW_SESSION, "0 101 102 103 104 105 / 100 11 12 13 14 / 2002-5-1-20 1"},
        {"Session", IDC_RESET_SESSION, "0 101 102 103 104 105 / 0 11 12 13 14 / 2002-5-1-20 1"},
        {"Day", IDC_RESET_DAY, "100 0 102 103 104 105 / 10 0 12 13 14 / 2002-5-1-20 1"},
        {"Week", IDC_RESET_WEEK, "100 101 0 103 104 105 / 10 11 0 13 14 / 2002-5-1-20 1"},
        {"Month", IDC_RESET_MONTH, "100 101 102 0 104 105 / 10 11 12 0 14 / 2002-5-1-20 1"},
        {"Year", IDC_RESET_YEAR, "100 101 102 103 0 105 / 10 11 12 13 0 / 2002-5-1-20 1"},
        {"Total, which has no Last", IDC_RESET_TOTAL,
         "100 101 102 103 104 0 / 10 11 12 13 14 / 2002-5-1-20 1"},
        {"no reset button", IDC_AUTOSTART,
         "100 101 102 103 104 105 / 10 11 12 13 14 / 2002-5-1-20 1"},
        {"Reset all", IDC_RESET_ALL, "0 0 0 0 0 0 / 0 0 0 0 0 / 2002-5-1-20 1"},
    };
    for (auto [name, command, counts] : cases) {
        ClickCounts set = {{100, 101, 102, 103, 104, 105}, {10, 11, 12, 13, 14}, 2002, 5, 1, 20, 1};
        if (command == IDC_NEW_SESSION)
            BeginNewSession(&set);
        else if (command == IDC_RESET_ALL)
            ResetAllCounters(&set);
        else
            ResetCounter(&set, PeriodOfResetCommand(command));
        EXPECT_EQ(counts, SetText(set)) << name;
    }
}
