// The statistics window's rules: the cell texts and colours, placement and
// the counter commands.
#include "host_test.h"

TEST(PercentChange, TheDifferenceCellReadsAndIsColouredByTheQuotient) {
    // Which colour, not its value: the page's screenshot checks the value.
    const uint32_t Green = RiseColour, Red = FallColour, Default = 0xFFFFFFFF;
    std::tuple<int32_t, int32_t, const char*, uint32_t> cases[] = {
        {150, 120, "+25%", Green},
        {119, 120, "-1%", Red}, // 11,900 / 120 = 99
        {77, 77, "0%", Green},
        {12, 0, "n/a", Default},
        {-1, 3, "-133%", Red}, // -100 / 3 truncates toward zero
        {INT32_MIN, -1, "+214748364700%", Green},
        {INT32_MIN, 1, "-214748364900%", Red},
    };
    for (auto [current, last, text, colour] : cases) {
        int64_t percent = PercentChangeOf(current, last);
        ExpectBounded(text, 16, text, [&](char* out, int size) {
            return FormatDifferenceText(out, size, percent);
        });
        uint32_t drawn = Default;
        EXPECT_EQ(colour != Default, DifferenceColour(percent, &drawn)) << text;
        EXPECT_EQ(colour, drawn) << text;
    }
}

TEST(DisplayTexts, CountsAndTheClockFitTheirCellOrStayEmpty) {
    // A clock or a count, its value, the buffer's size, the text.
    const int64_t Max = UINT32_MAX;
    std::tuple<int, int64_t, int, const char*> cases[] = {
        {0, INT32_MIN, 12, "-2147483648"}, {0, INT32_MIN, 11, nullptr},
        {1, 3725, 9, "01:02:05"},          {1, 3725, 8, nullptr},
        {1, Max, 14, "1193046:28:15"},     {0, 150, 4, "150"}};
    for (auto [clock, value, size, text] : cases)
        ExpectBounded(std::to_string(value).c_str(), size, text, [&](char* out, int n) {
            return clock ? FormatClockText(out, n, static_cast<uint32_t>(value))
                         : FormatCountText(out, n, static_cast<int32_t>(value));
        });
}

static auto Box(const WindowBox& b) {
    return std::tuple(b.Left, b.Top, b.Width, b.Height);
}

TEST(Placement, TheSheetIsCenteredAndTheHideButtonWidenedToTheLeft) {
    const int32_t Max = INT32_MAX, Min = INT32_MIN;
    // Screen width and height, window width and height, shift, left and top.
    std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
        {1024, 768, 641, 400, -10, 25, 182, 209}, {1024, 768, 1300, 900, 0, 0, 0, 0},
        {1023, 767, -7, 9, 0, 0, 514, 379},       {Max, Max, Min, Min, Max, Max, Max, Max},
        {0, 0, Max, Max, Min, Min, 0, 0},         {1024, 768, 641, 400, -500, -500, 0, 0}};
    for (auto [screenWidth, screenHeight, width, height, dx, dy, left, top] : cases)
        EXPECT_EQ(Box({left, top, width, height}),
                  Box(CenteredOnScreen(screenWidth, screenHeight, width, height, dx, dy)));
    std::tuple<WindowBox, WindowBox> buttons[] = {
        {{300, 410, 75, 23}, {260, 410, 115, 23}},
        {{Min + 40, 5, Max - 40, 23}, {Min, 5, Max, 23}}, // the last that can widen
        {{Min + 39, 5, 75, 23}, {Min + 39, 5, 75, 23}},   // no room on the left
        {{300, 5, Max - 39, 23}, {300, 5, Max - 39, 23}}, // too wide to widen
    };
    for (auto [cancel, hide] : buttons)
        EXPECT_EQ(Box(hide), Box(HideButtonBox(cancel)));
}

TEST(CounterResets, EachCommandClearsItsCountsAndNothingElse) {
    enum { NewSession = 100, ResetAll = 101 };
    std::tuple<int, const char*> cases[] = {
        // a period to reset, NewSession or ResetAll
        {NewSession, "0 101 102 103 104 105 / 100 11 12 13 14 / 2002-5-1-20 1"},
        {PeriodYear, "100 101 102 103 0 105 / 10 11 12 13 0 / 2002-5-1-20 1"},
        {PeriodTotal, "100 101 102 103 104 0 / 10 11 12 13 14 / 2002-5-1-20 1"},
        {-1, "100 101 102 103 104 105 / 10 11 12 13 14 / 2002-5-1-20 1"},
        {PeriodCount, "100 101 102 103 104 105 / 10 11 12 13 14 / 2002-5-1-20 1"},
        {ResetAll, "0 0 0 0 0 0 / 0 0 0 0 0 / 2002-5-1-20 1"},
    };
    for (auto [command, counts] : cases) {
        ClickCounts set = {{100, 101, 102, 103, 104, 105}, {10, 11, 12, 13, 14}, 2002, 5, 1, 20, 1};
        if (command == NewSession)
            BeginNewSession(&set);
        else if (command == ResetAll)
            ResetAllCounters(&set);
        else
            ResetCounter(&set, command);
        EXPECT_EQ(counts, SetText(set)) << "command " << command;
    }
}
