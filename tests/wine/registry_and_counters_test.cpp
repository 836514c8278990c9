// Reading stored values and loading and saving the counter set against
// Wine's real registry; the product key is removed before and after each test.
#include <gtest/gtest.h>

#include <string>

#include "scratch_key_and_folder.h"
#include "store/counter_set.h"
#include "store/counters.h"
#include "store/registry.h"

// The fifteen values a save writes: the date, then each period's figures.
// clang-format off
static const char* const SavedNames[] = {
    "DateYear", "DateMonth", "DateWeek", "DateDay",
    "CounterCurrentSession", "CounterLastSession", "CounterCurrentDay", "CounterLastDay",
    "CounterCurrentWeek", "CounterLastWeek", "CounterCurrentMonth", "CounterLastMonth",
    "CounterCurrentYear", "CounterLastYear", "CounterCurrentTotal",
};
// clang-format on

class Registry : public testing::Test {
  protected:
    void SetUp() override {
        DeleteProductKey();
        memset(&CounterSet, 0x5A, sizeof CounterSet);
    }
    void TearDown() override {
        DeleteProductKey();
    }
};

static void ExpectToday(const std::string& why) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_EQ(today.wYear, CounterSet.DateYear) << why;
    EXPECT_EQ(today.wMonth, CounterSet.DateMonth) << why;
    EXPECT_EQ(today.wDayOfWeek, CounterSet.DateWeek) << why;
    EXPECT_EQ(today.wDay, CounterSet.DateDay) << why;
}

static void ExpectAllZero(const std::string& why) {
    for (int p = 0; p < PeriodCount; p++)
        EXPECT_EQ(0, CounterSet.Current[p]) << why << ", period " << p;
    for (int p = 0; p < PeriodsWithLast; p++)
        EXPECT_EQ(0, CounterSet.Last[p]) << why << ", period " << p;
    EXPECT_EQ(0u, CounterSet.OptionAutostart) << why;
}

// A value of every shape, read as a number or a text into an area between
// guard bytes: what the read reports and leaves in the area, and that it
// writes nothing past the area it was given.
TEST_F(Registry, StoredValuesOfEveryShapeReadSoundly) {
    const std::string p255(255, 'p'), p256(256, 'p'), p300(300, 'p'), fill(300, '7');
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
        {"a number", "N", REG_DWORD, std::string("\0\0\0\x80", 4), 4, REG_DWORD, 4, 1,
         std::string("\0\0\0\x80", 4)},
        {"a 0-byte number", "N", REG_DWORD, fill, 0, REG_DWORD, 4, 0, ""},
        {"a 3-byte number", "N", REG_DWORD, fill, 3, REG_DWORD, 4, 0, ""},
        {"a 300-byte number", "N", REG_DWORD, fill, 300, REG_DWORD, 4, 0, ""},
        {"a text as a number", "N", REG_SZ, "57", 3, REG_DWORD, 4, 0, ""},
        {"an area of no size", "N", REG_DWORD, fill, 4, REG_DWORD, 0, 0, ""},
        {"a text", "N", REG_SZ, "abc", 4, REG_SZ, 256, 1, "abc"},
        {"255 characters", "N", REG_SZ, p255, 256, REG_SZ, 256, 1, p255},
        {"255 without a terminator", "N", REG_SZ, p255, 255, REG_SZ, 256, 1, p255},
        {"256 without a terminator", "N", REG_SZ, p256, 256, REG_SZ, 256, 0, ""},
        {"300 characters", "N", REG_SZ, p300, 301, REG_SZ, 256, 0, ""},
    };
    enum { Guard = 16 };
    for (const Case& c : cases) {
        DeleteProductKey();
        if (c.stored)
            PutRaw(c.stored, c.type, c.bytes.data(), c.size);
        unsigned char buffer[Guard + 256 + Guard];
        memset(buffer, 0xAB, sizeof buffer);
        EXPECT_EQ(c.read, ReadProductValue("N", c.asked, buffer + Guard, c.area)) << c.what;
        const char* text = reinterpret_cast<const char*>(buffer);
        EXPECT_EQ(c.got + std::string(c.area - c.got.size(), '\0'),
                  std::string(text + Guard, c.area))
            << c.what;
        EXPECT_EQ(std::string(sizeof buffer - c.area, '\xAB'),
                  std::string(text, Guard) +
                      std::string(text + Guard + c.area, sizeof buffer - Guard - c.area))
            << c.what << ": written outside its area";
        if (!c.stored) {
            EXPECT_EQ("no key", ProductValueNames()) << "a read creates nothing";
        }
    }
}

TEST_F(Registry, ALoadRewritesReleaseAndFolderAndStartsFromZeroToday) {
    std::string tooLong(300, 'p');
    PutRaw("Path", REG_SZ, tooLong.c_str(), 301);
    PutRaw("Release", REG_SZ, "x", 2);
    LoadCounters();
    EXPECT_EQ("Path Release", ProductValueNames()) << "the load writes these two and no count";
    EXPECT_EQ("102", DwordText("Release")) << "as a number";
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    *strrchr(program, '\\') = '\0';
    DWORD type = 0;
    EXPECT_EQ(std::string(program) + '\0', ProductBytes("Path", &type)) << "with its terminator";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    ExpectAllZero("no stored counts");
    ExpectToday("no stored date");
}

// Figures at the limits of 32 bits and a Sunday, each field its own, saved
// and loaded back.
TEST_F(Registry, SavedCountsAndDatesComeBackWholeEachIntoItsOwnField) {
    const int32_t current[PeriodCount] = {INT32_MAX, INT32_MIN, -1, 103, 104, 105};
    const int32_t last[PeriodsWithLast] = {55, INT32_MIN + 1, -3, 203, 204};
    memcpy(CounterSet.Current, current, sizeof current);
    memcpy(CounterSet.Last, last, sizeof last);
    CounterSet.DateYear = 0xFFFFFFFE;
    CounterSet.DateMonth = 7;
    CounterSet.DateWeek = 0;
    CounterSet.DateDay = 17;
    SaveCounters();
    // The running session is stored as the last one, and as 0.
    const char* const saved[] = {
        "4294967294", "7",          "0",   "17",  "0",   "2147483647", "2147483648", "2147483649",
        "4294967295", "4294967293", "103", "203", "104", "204",        "105"};
    for (int i = 0; i < 15; i++)
        EXPECT_EQ(saved[i], DwordText(SavedNames[i])) << SavedNames[i];
    EXPECT_EQ("CounterCurrentDay CounterCurrentMonth CounterCurrentSession CounterCurrentTotal "
              "CounterCurrentWeek CounterCurrentYear CounterLastDay CounterLastMonth "
              "CounterLastSession CounterLastWeek CounterLastYear DateDay DateMonth DateWeek "
              "DateYear",
              ProductValueNames())
        << "exactly these fifteen values (Wine lists them by name), nothing for a last total";
    EXPECT_EQ(104, CounterSet.Current[PeriodYear]) << "saving changes nothing in memory";

    PutDword("CounterCurrentSession", 1000);
    PutDword("OptionAutostart", 0x80000000);
    memset(&CounterSet, 0, sizeof CounterSet);
    LoadCounters();
    EXPECT_EQ(1000, CounterSet.Current[PeriodSession]) << "a stored running session is read";
    EXPECT_EQ(INT32_MAX, CounterSet.Last[PeriodSession]);
    for (int p = PeriodDay; p < PeriodsWithLast; p++) {
        EXPECT_EQ(current[p], CounterSet.Current[p]) << "period " << p;
        EXPECT_EQ(last[p], CounterSet.Last[p]) << "period " << p;
    }
    EXPECT_EQ(105, CounterSet.Current[PeriodTotal]);
    EXPECT_EQ(0xFFFFFFFEu, CounterSet.DateYear) << "a date is kept as it was stored";
    EXPECT_EQ(7u, CounterSet.DateMonth);
    EXPECT_EQ(0u, CounterSet.DateWeek) << "a Sunday is a date";
    EXPECT_EQ(17u, CounterSet.DateDay);
    EXPECT_EQ(1u, CounterSet.OptionAutostart) << "any non-zero option means start with Windows";
}

// A value of the wrong shape is refused by the read above, and a refused or
// missing value loads as none (the load's test): only the date's own rule
// is left, a year, month or day of 0.
TEST_F(Registry, StoredDatesThatAreNoDatesLoadAsToday) {
    for (const char* zero : {"DateYear", "DateMonth", "DateDay"}) {
        for (int i = 0; i < 4; i++)
            PutDword(SavedNames[i], 4);
        PutDword(zero, 0);
        LoadCounters();
        ExpectToday(zero);
    }
}

// The product key denies everyone setting values: the stored counts load all
// the same, the saves fail quietly, and once the key takes writes again the
// counts stored include the ones loaded.
TEST_F(Registry, AKeyThatDeniesWritingStillGivesItsCountsAndKeepsThem) {
    for (int i = 4; i < 15; i++)
        PutDword(SavedNames[i], 996 + i);
    PutDword("CounterCurrentSession", 0);
    ASSERT_TRUE(SetProductKeyAccess(DenySetValue)) << "error " << GetLastError();
    LoadCounters();
    EXPECT_EQ(1010, CounterSet.Current[PeriodTotal]) << "the stored counts are read";
    EXPECT_EQ(1001, CounterSet.Last[PeriodSession]);
    for (int i = 0; i < 3; i++)
        AddClickToAll(&CounterSet);
    SaveCounters();
    EXPECT_EQ(1013, CounterSet.Current[PeriodTotal]) << "the counts go on in memory";
    EXPECT_EQ(3, CounterSet.Current[PeriodSession]);
    EXPECT_EQ("1010", DwordText("CounterCurrentTotal")) << "the stored counts stay as they were";
    EXPECT_EQ("1001", DwordText("CounterLastSession"));
    EXPECT_EQ("missing", ProductBytes("Path")) << "the load could not record the folder";
    EXPECT_TRUE(SetProductKeyAccess(AllowAll));
    SaveCounters();
    EXPECT_EQ("1013", DwordText("CounterCurrentTotal")) << "nothing stored was lost";
    EXPECT_EQ("3", DwordText("CounterLastSession"));
}
