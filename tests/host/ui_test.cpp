// The statistics window's rules: the cell texts and colours, the display
// map, placement, the sheet's flags, the counter commands and the start-up
// command.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "bounded_text.h"
#include "ui/counter_resets.h"
#include "ui/display_texts.h"
#include "ui/percent_change.h"
#include "ui/placement.h"
#include "ui/sheet_flags.h"

TEST(PercentChange, TheDifferenceCellReadsAndIsColouredByTheQuotient) {
    const int64_t NA = NoComparison;
    const uint32_t Green = 0x008000, Red = 0x000080, Default = 0xFFFFFFFF;
    struct Case {
        int32_t current, last;
        int64_t percent;
        const char* text;
        uint32_t colour;
    } cases[] = {
        {150, 120, 25, "+25%", Green},
        {119, 120, -1, "-1%", Red}, // 11,900 / 120 = 99
        {1, 3, -67, "-67%", Red},   // 100 / 3 = 33
        {77, 77, 0, "0%", Green},
        {0, 5, -100, "-100%", Red},
        {30000000, 10000000, 200, "+200%", Green},
        {12, 0, NA, "n/a", Default},
        {0, 0, NA, "n/a", Default},
        {-1, 3, -133, "-133%", Red}, // -100 / 3 truncates toward zero
        {INT32_MAX, 1, 214748364600, "+214748364600%", Green},
        {INT32_MIN, -1, 214748364700, "+214748364700%", Green},
        {INT32_MIN, 1, -214748364900, "-214748364900%", Red},
        {-999999899, 100, -999999999, "-999999999%", Red}, // a real change, not "n/a"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "current " << c.current << ", last " << c.last);
        int64_t percent = PercentChangeOf(c.current, c.last);
        EXPECT_EQ(c.percent, percent);
        ExpectBounded("the difference", 256, c.text, [&](char* out, int size) {
            return FormatDifferenceText(out, size, percent);
        });
        uint32_t colour = Default;
        EXPECT_EQ(c.colour != Default, DifferenceColour(percent, &colour));
        EXPECT_EQ(c.colour, colour);
    }
}

TEST(DisplayTexts, CountsAndTheClockFitTheirCellOrStayEmpty) {
    enum Kind { Count, Clock, Difference };
    struct Case {
        const char* why;
        Kind kind;
        int64_t value;
        int size;
        const char* text; // null: does not fit, the text is empty
    } cases[] = {
        {"zero", Count, 0, 256, "0"},
        {"a count", Count, 150, 256, "150"},
        {"a negative count", Count, -3, 256, "-3"},
        {"the largest count", Count, INT32_MAX, 256, "2147483647"},
        {"the smallest count", Count, INT32_MIN, 256, "-2147483648"},
        {"a count too long", Count, -10, 3, nullptr},
        {"the start", Clock, 0, 256, "00:00:00"},
        {"seconds", Clock, 59, 256, "00:00:59"},
        {"a minute", Clock, 60, 256, "00:01:00"},
        {"hours, minutes, seconds", Clock, 3725, 256, "01:02:05"},
        {"hours beyond two digits", Clock, 360000, 256, "100:00:00"},
        {"the longest session", Clock, UINT32_MAX, 256, "1193046:28:15"},
        {"a clock too long", Clock, 3725, 6, nullptr},
        {"a difference too long", Difference, 200, 4, nullptr},
        {"n/a in four bytes", Difference, NoComparison, 4, "n/a"},
    };
    for (const Case& c : cases)
        ExpectBounded(c.why, c.size, c.text, [&](char* out, int size) {
            return c.kind == Count   ? FormatCountText(out, size, static_cast<int32_t>(c.value))
                   : c.kind == Clock ? FormatClockText(out, size, static_cast<uint32_t>(c.value))
                                     : FormatDifferenceText(out, size, c.value);
        });
}

static std::string Box(const WindowBox& b) {
    return std::to_string(b.Left) + "," + std::to_string(b.Top) + " " + std::to_string(b.Width) +
           "x" + std::to_string(b.Height);
}

TEST(Placement, TheSheetIsCentredAndTheHideButtonWidenedToTheLeft) {
    const int32_t Max = INT32_MAX, Min = INT32_MIN;
    struct Case {
        const char* why;
        int32_t screenWidth, screenHeight, width, height, dx, dy, left, top;
    } cases[] = {
        {"641 x 400 on 1024 x 768", 1024, 768, 641, 400, 0, 0, 192, 184},
        {"shifted", 1024, 768, 641, 400, -10, 25, 182, 209},
        {"wider than the screen", 1024, 768, 1300, 400, 0, 0, 0, 184},
        {"taller than the screen", 1024, 768, 641, 900, 0, 0, 192, 0},
        {"shifted past the corner", 1024, 768, 641, 400, -500, -500, 0, 0},
        {"odd sizes halve toward zero", 1023, 767, 7, 9, 0, 0, 508, 379},
        {"negative sizes halve toward zero", 1024, 768, -7, -9, 0, 0, 515, 388},
        {"no overflow above", Max, Max, Min, Min, Max, Max, Max, Max},
        {"no overflow below", 0, 0, Max, Max, Min, Min, 0, 0},
    };
    for (const Case& c : cases) {
        WindowBox at =
            CenteredOnScreen(c.screenWidth, c.screenHeight, c.width, c.height, c.dx, c.dy);
        EXPECT_EQ(Box({c.left, c.top, c.width, c.height}), Box(at)) << c.why;
    }
    struct ButtonCase {
        const char* why;
        WindowBox cancel, hide;
    } buttons[] = {
        {"an ordinary button", {300, 410, 75, 23}, {260, 410, 115, 23}},
        {"the last that can widen", {Min + 40, 5, Max - 40, 23}, {Min, 5, Max, 23}},
        {"no room on the left", {Min + 39, 5, 75, 23}, {Min + 39, 5, 75, 23}},
        {"too wide to widen", {300, 5, Max - 39, 23}, {300, 5, Max - 39, 23}},
    };
    for (const ButtonCase& c : buttons)
        EXPECT_EQ(Box(c.hide), Box(HideButtonBox(c.cancel))) << c.why;
}

TEST(SheetFlags, PagesAndHeaderCarryTheirFlags) {
    struct PageCase {
        uint32_t title, icon, help, flags;
    } pages[] = {
        {0, 0, 0, 0x0}, {12, 0, 0, 0x8}, {0, 101, 0, 0x4}, {0, 0, 1, 0x20}, {12, 101, 1, 0x2C}};
    for (const PageCase& c : pages)
        EXPECT_EQ(c.flags, PageFlags(c.title, c.icon, c.help))
            << "title " << c.title << ", icon " << c.icon << ", help " << c.help;
    struct SheetCase {
        int captionIsTitle, help, modeless;
        uint32_t flags;
    } sheets[] = {
        {0, 0, 0, 0x18C}, {1, 0, 0, 0x18D}, {0, 1, 0, 0x38C}, {0, 0, 1, 0x58C}, {1, 1, 1, 0x78D}};
    for (const SheetCase& c : sheets)
        EXPECT_EQ(c.flags, SheetFlags(c.captionIsTitle, c.help, c.modeless))
            << "title " << c.captionIsTitle << ", help " << c.help << ", modeless " << c.modeless;
}

TEST(CounterResets, EachCommandClearsItsCountsAndNothingElse) {
    enum { NewSession = 100, ResetAll = 101 };
    struct Case {
        const char* why;
        int command;        // a period to reset, NewSession or ResetAll
        const char* counts; // Current, then Last, then the date and the option
    } cases[] = {
        {"a new session", NewSession, "0 101 102 103 104 105 / 100 11 12 13 14 / 2002-5-20 1"},
        {"reset Session", PeriodSession, "0 101 102 103 104 105 / 0 11 12 13 14 / 2002-5-20 1"},
        {"reset Day", PeriodDay, "100 0 102 103 104 105 / 10 0 12 13 14 / 2002-5-20 1"},
        {"reset Year", PeriodYear, "100 101 102 103 0 105 / 10 11 12 13 0 / 2002-5-20 1"},
        {"reset Total", PeriodTotal, "100 101 102 103 104 0 / 10 11 12 13 14 / 2002-5-20 1"},
        {"no such period", -1, "100 101 102 103 104 105 / 10 11 12 13 14 / 2002-5-20 1"},
        {"no such period", PeriodCount, "100 101 102 103 104 105 / 10 11 12 13 14 / 2002-5-20 1"},
        {"reset all", ResetAll, "0 0 0 0 0 0 / 0 0 0 0 0 / 2002-5-20 1"},
    };
    for (const Case& c : cases) {
        CounterSetFields set = {
            {100, 101, 102, 103, 104, 105}, {10, 11, 12, 13, 14}, 2002, 5, 1, 20, 1};
        if (c.command == NewSession)
            BeginNewSession(&set);
        else if (c.command == ResetAll)
            ResetAllCounters(&set);
        else
            ResetCounter(&set, c.command);
        std::string counts;
        for (int p = 0; p < PeriodCount; p++)
            counts += std::to_string(set.Current[p]) + (p < PeriodCount - 1 ? " " : " / ");
        for (int p = 0; p < LastCount; p++)
            counts += std::to_string(set.Last[p]) + (p < LastCount - 1 ? " " : " / ");
        counts += std::to_string(set.DateYear) + "-" + std::to_string(set.DateMonth) + "-" +
                  std::to_string(set.DateDay) + " " + std::to_string(set.OptionAutostart);
        EXPECT_EQ(c.counts, counts) << c.why;
    }
    struct Button {
        int command, period;
    } buttons[] = {{1007, PeriodSession},
                   {1008, PeriodDay},
                   {1009, PeriodWeek},
                   {1011, PeriodMonth},
                   {1017, PeriodYear},
                   {1018, PeriodTotal},
                   {1012, -1},
                   {1002, -1},
                   {0, -1}};
    for (const Button& b : buttons)
        EXPECT_EQ(b.period, PeriodOfResetCommand(b.command)) << "command " << b.command;
}
