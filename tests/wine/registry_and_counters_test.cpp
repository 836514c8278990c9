// Reading stored values and loading and saving the counter set against
// Wine's real registry, in a product key removed before and after each test.
#include "scratch_key_and_folder.h"
#include "store/counters.h"
#include "store/registry.h"

using Registry = ScratchKey;

// The fifteen values a save writes, the date and then each period's
// figures, with what the save of the counts below stores in each: the
// running session as the last one, and as 0.
// clang-format off
static const struct { const char* name; const char* saved; } Saved[] = {
    {"DateYear", "4294967294"}, {"DateMonth", "7"}, {"DateWeek", "0"}, {"DateDay", "17"},
    {"CounterCurrentSession", "0"},          {"CounterLastSession", "2147483647"},
    {"CounterCurrentDay", "2147483648"},     {"CounterLastDay", "2147483649"},
    {"CounterCurrentWeek", "4294967295"},    {"CounterLastWeek", "4294967293"},
    {"CounterCurrentMonth", "103"},          {"CounterLastMonth", "203"},
    {"CounterCurrentYear", "104"},           {"CounterLastYear", "204"},
    {"CounterCurrentTotal", "105"},
};
// clang-format on

// The counter set: the current counts of session to total / the last ones /
// the date as year, month, weekday and day / the option.
static std::string Counts() {
    const int32_t *c = CounterSet.Current, *l = CounterSet.Last;
    char text[160];
    snprintf(text, sizeof text, "%d %d %d %d %d %d / %d %d %d %d %d / %u %u %u %u / %u", c[0], c[1],
             c[2], c[3], c[4], c[5], l[0], l[1], l[2], l[3], l[4], CounterSet.DateYear,
             CounterSet.DateMonth, CounterSet.DateWeek, CounterSet.DateDay,
             CounterSet.OptionAutostart);
    return text;
}

// A value of every shape, read as a number or a text into an area between
// guard bytes: what the read reports and leaves in the area, and that it
// writes nothing past the area it was given.
TEST_F(Registry, StoredValuesOfEveryShapeReadSoundly) {
    const std::string p255(255, 'p'), p256(256, 'p'), p300(300, 'p'), fill(300, '7'),
        high("\0\0\0\x80", 4);
    struct Case {
        const char* what;
        const char* stored; // the name stored under (the read asks for "N"); null: no key
        DWORD type;
        std::string bytes;
        DWORD size, asked;
        int area, read;
        std::string got; // the area's bytes ahead of its zeros
    } cases[] = {
        {"no key", nullptr, 0, "", 0, REG_DWORD, 4, 0, ""},
        {"another value only", "Other", REG_DWORD, fill, 4, REG_DWORD, 4, 0, ""},
        {"a number", "N", REG_DWORD, high, 4, REG_DWORD, 4, 1, high},
        {"a 3-byte number", "N", REG_DWORD, fill, 3, REG_DWORD, 4, 0, ""},
        {"a text as a number", "N", REG_SZ, "57", 3, REG_DWORD, 4, 0, ""},
        {"an area of no size", "N", REG_DWORD, fill, 4, REG_DWORD, 0, 0, ""},
        {"255 characters", "N", REG_SZ, p255, 256, REG_SZ, 256, 1, p255},
        {"255 without a terminator", "N", REG_SZ, p255, 255, REG_SZ, 256, 1, p255},
        {"256 without a terminator", "N", REG_SZ, p256, 256, REG_SZ, 256, 0, ""},
        {"300 characters, more than the area", "N", REG_SZ, p300, 301, REG_SZ, 256, 0, ""},
    };
    enum { Guard = 16 };
    for (const Case& c : cases) {
        DeleteProductKey();
        if (c.stored)
            PutRaw(c.stored, c.type, c.bytes.data(), c.size);
        std::string buffer(Guard + 256 + Guard, '\xAB');
        EXPECT_EQ(c.read, ReadProductValue("N", c.asked, &buffer[Guard], c.area)) << c.what;
        EXPECT_EQ(std::string(Guard, '\xAB') + c.got + std::string(c.area - c.got.size(), '\0') +
                      std::string(buffer.size() - Guard - c.area, '\xAB'),
                  buffer)
            << c.what << ": the guard bytes, the area, the guard bytes";
        EXPECT_EQ(c.stored ? c.stored : "no key", ProductValueNames())
            << c.what << ": a read writes nothing";
    }
}

// A stored year, month or day of 0 is no date; a value of the wrong shape
// is refused by the read above and so loads as none.
TEST_F(Registry, ALoadWithoutCountsOrDateStartsFromZeroTodayAndRewritesReleaseAndFolder) {
    PutRaw("Path", REG_SZ, std::string(300, 'p').c_str(), 301);
    PutRaw("Release", REG_SZ, "x", 2);
    LoadCounters();
    EXPECT_EQ("Path Release", ProductValueNames()) << "the load writes these two and no count";
    EXPECT_EQ("102", StoredText("Release")) << "as a number";
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    *strrchr(program, '\\') = '\0';
    EXPECT_EQ("text " + std::string(program) + '\0', StoredText("Path")) << "with its terminator";
    SYSTEMTIME today;
    GetLocalTime(&today);
    char zerosToday[64];
    snprintf(zerosToday, sizeof zerosToday, "0 0 0 0 0 0 / 0 0 0 0 0 / %d %d %d %d / 0",
             today.wYear, today.wMonth, today.wDayOfWeek, today.wDay);
    EXPECT_EQ(zerosToday, Counts()) << "nothing stored";
    for (const char* zero : {"DateYear", "DateMonth", "DateDay"}) {
        for (int i = 0; i < 4; i++)
            PutDword(Saved[i].name, 4);
        PutDword(zero, 0);
        LoadCounters();
        EXPECT_EQ(zerosToday, Counts()) << zero << " of 0";
    }
}

// Figures at the limits of 32 bits and a Sunday, each field its own, saved
// and loaded back.
TEST_F(Registry, SavedCountsAndDatesComeBackWholeEachIntoItsOwnField) {
    CounterSet = {.Current = {INT32_MAX, INT32_MIN, -1, 103, 104, 105},
                  .Last = {55, INT32_MIN + 1, -3, 203, 204},
                  .DateYear = 0xFFFFFFFE,
                  .DateMonth = 7,
                  .DateWeek = 0,
                  .DateDay = 17,
                  .OptionAutostart = 0};
    const std::string before = Counts();
    SaveCounters();
    for (const auto& value : Saved)
        EXPECT_EQ(value.saved, StoredText(value.name)) << value.name;
    const std::string names = ProductValueNames();
    EXPECT_EQ(14, std::count(names.begin(), names.end(), ' '))
        << names << ": these fifteen values only, nothing for a last total";
    EXPECT_EQ(before, Counts()) << "saving changes nothing in memory";

    PutDword("CounterCurrentSession", 1000);
    PutDword("OptionAutostart", 0x80000000);
    memset(&CounterSet, 0x5A, sizeof CounterSet);
    LoadCounters();
    // A stored running session is read, a date is kept as it was stored (a
    // Sunday is 0), and any non-zero option means start with Windows.
    EXPECT_EQ("1000 -2147483648 -1 103 104 105 / 2147483647 -2147483647 -3 203 204 / "
              "4294967294 7 0 17 / 1",
              Counts());
}

// The stored counts load all the same, the saves fail quietly, and once the
// key takes writes again the counts stored include the ones loaded.
TEST_F(Registry, AKeyThatDeniesWritingStillGivesItsCountsAndKeepsThem) {
    for (int i = 0; i < 15; i++)
        PutDword(Saved[i].name, 996 + i);
    PutDword("CounterCurrentSession", 0);
    // Everyone is denied KEY_SET_VALUE (0x2), as a limited account is under
    // HKEY_LOCAL_MACHINE.
    ASSERT_TRUE(SetProductKeyAccess("D:(D;;0x2;;;WD)(A;;KA;;;WD)")) << "error " << GetLastError();
    LoadCounters();
    EXPECT_EQ("0 1002 1004 1006 1008 1010 / 1001 1003 1005 1007 1009 / 996 997 998 999 / 0",
              Counts())
        << "the stored counts are read";
    for (int i = 0; i < 3; i++)
        AddClickToAll(&CounterSet);
    SaveCounters();
    EXPECT_EQ("1010", StoredText("CounterCurrentTotal")) << "the stored counts stay as they were";
    EXPECT_EQ("1001", StoredText("CounterLastSession"));
    EXPECT_EQ("missing", StoredText("Path")) << "the load could not record the folder";
    ASSERT_TRUE(SetProductKeyAccess("D:(A;;KA;;;WD)")) << "error " << GetLastError();
    SaveCounters();
    EXPECT_EQ("1013", StoredText("CounterCurrentTotal")) << "nothing stored was lost";
    EXPECT_EQ("3", StoredText("CounterLastSession"));
}
