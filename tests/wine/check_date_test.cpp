#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "scratch_folder.h"
#include "scratch_registry.h"
#include "store/check_date.h"
#include "store/counter_set.h"
#include "store/counters.h"
#include "store/registry.h"

namespace {

const char ProductKey[] = "Software\\Larkspoon Software\\Tallywhirl";

CalendarTime Date(int year, int month, int day, int weekday) {
    return {static_cast<uint16_t>(year),
            static_cast<uint16_t>(month),
            static_cast<uint16_t>(weekday),
            static_cast<uint16_t>(day),
            0,
            0,
            0,
            0};
}

// A stored value as a number, or -1 when the value is missing.
long long Stored(const char* name) {
    DWORD value = 0;
    if (!ReadProductValue(name, REG_DWORD, &value, sizeof value))
        return -1;
    return value;
}

class CheckDateFiles : public testing::Test {
  protected:
    std::string folder;

    void SetUp() override {
        ClearProductKey();
        folder = MakeScratchFolder("tw_check_date");
        ASSERT_TRUE(WriteProductValue("Path", REG_SZ, folder.c_str(), 0));
        for (int p = 0; p < PeriodCount; p++)
            CounterSet.Current[p] = 101 + p;
        for (int p = 0; p < LastCount; p++)
            CounterSet.Last[p] = 11 + p;
    }
    void TearDown() override {
        RemoveScratchFolder(folder);
        ClearProductKey();
    }

    static void Store(const CalendarTime& date) {
        CounterSet.DateYear = date.Year;
        CounterSet.DateMonth = date.Month;
        CounterSet.DateWeek = date.DayOfWeek;
        CounterSet.DateDay = date.Day;
    }
    std::string Text(const char* name) const {
        return FileText(folder + "\\" + name);
    }
};

} // namespace

TEST_F(CheckDateFiles, TheSameDateTouchesNeitherFilesNorRegistry) {
    CalendarTime today = Date(2002, 5, 20, 1);
    Store(today);
    for (int i = 0; i < 100; i++)
        CheckDateOn(&today);
    EXPECT_EQ(-1, Stored("DateYear")) << "nothing was saved";
    EXPECT_EQ("<missing>", Text("Day.txt"));
    EXPECT_EQ(102, CounterSet.Current[PeriodDay]);
}

TEST_F(CheckDateFiles, AStartAfterTwoMonthsWritesItsLinesAndSavesTheMovedFigures) {
    Store(Date(2002, 3, 14, 4));
    CalendarTime today = Date(2002, 5, 20, 1);
    CheckDateOn(&today);
    EXPECT_EQ("2002-03-14\t102\r\n", Text("Day.txt"));
    EXPECT_EQ("2002-03\t104\r\n", Text("Month.txt"));
    EXPECT_EQ("<missing>", Text("Year.txt"));

    EXPECT_EQ(2002, Stored("DateYear"));
    EXPECT_EQ(5, Stored("DateMonth"));
    EXPECT_EQ(1, Stored("DateWeek"));
    EXPECT_EQ(20, Stored("DateDay"));
    EXPECT_EQ(102, Stored("CounterLastDay"));
    EXPECT_EQ(0, Stored("CounterCurrentDay"));
    EXPECT_EQ(103, Stored("CounterLastWeek"));
    EXPECT_EQ(0, Stored("CounterCurrentWeek"));
    EXPECT_EQ(104, Stored("CounterLastMonth"));
    EXPECT_EQ(0, Stored("CounterCurrentMonth"));
    EXPECT_EQ(15, Stored("CounterLastYear"));
    EXPECT_EQ(105, Stored("CounterCurrentYear"));
    EXPECT_EQ(106, Stored("CounterCurrentTotal"));

    CheckDateOn(&today);
    EXPECT_EQ("2002-03-14\t102\r\n", Text("Day.txt")) << "a second call on the same date";
}

TEST_F(CheckDateFiles, NewYearsEveAppendsToEachOfTheThreeFiles) {
    std::string earlier = "2002-12-30\t4\r\n";
    WriteFileText(folder + "\\Day.txt", earlier);
    Store(Date(2002, 12, 31, 2));
    CalendarTime today = Date(2003, 1, 1, 3);
    CheckDateOn(&today);
    EXPECT_EQ(earlier + "2002-12-31\t102\r\n", Text("Day.txt"));
    EXPECT_EQ("2002-12\t104\r\n", Text("Month.txt"));
    EXPECT_EQ("2002\t105\r\n", Text("Year.txt"));
    EXPECT_EQ(13, Stored("CounterLastWeek")) << "the week runs on";
    EXPECT_EQ(103, Stored("CounterCurrentWeek"));
}

TEST_F(CheckDateFiles, AnEmptyPathLosesTheLinesButTheFiguresMoveAndTheDateAdvances) {
    ASSERT_TRUE(WriteProductValue("Path", REG_SZ, "", 0));
    Store(Date(2002, 12, 31, 2));
    CalendarTime today = Date(2003, 1, 1, 3);
    CheckDateOn(&today);
    EXPECT_EQ("<missing>", Text("Day.txt"));
    EXPECT_EQ(102, Stored("CounterLastDay"));
    EXPECT_EQ(105, Stored("CounterLastYear"));
    EXPECT_EQ(2003, Stored("DateYear"));
    EXPECT_EQ(1, Stored("DateDay"));
}

TEST_F(CheckDateFiles, AStoredDateThatIsNotRealBecomesToday) {
    CounterSet.DateYear = 65535;
    CounterSet.DateMonth = 13;
    CounterSet.DateWeek = 9;
    CounterSet.DateDay = 0;
    CalendarTime today = Date(2002, 5, 20, 1);
    CheckDateOn(&today);
    EXPECT_EQ("<missing>", Text("Day.txt"));
    EXPECT_EQ(2002, Stored("DateYear"));
    EXPECT_EQ(5, Stored("DateMonth"));
    EXPECT_EQ(1, Stored("DateWeek"));
    EXPECT_EQ(20, Stored("DateDay"));
    EXPECT_EQ(103, Stored("CounterLastWeek"));
}

TEST_F(CheckDateFiles, TheLocalClockIsRead) {
    SYSTEMTIME before, after;
    CalendarTime now;
    GetLocalTime(&before);
    ReadLocalTime(&now);
    GetLocalTime(&after);
    EXPECT_EQ(now.Year, after.wYear);
    EXPECT_EQ(now.DayOfWeek == before.wDayOfWeek || now.DayOfWeek == after.wDayOfWeek, true);
    EXPECT_TRUE(now.Day == before.wDay || now.Day == after.wDay);
    EXPECT_EQ(WeekdayOf(now.Year, now.Month, now.Day), now.DayOfWeek);

    // Stored as today: nothing happens. Stored as 1 January 2002: the day
    // closes with that date and today is stored.
    Store(now);
    CheckDate();
    EXPECT_EQ(-1, Stored("DateYear"));
    Store(Date(2002, 1, 1, 2));
    CheckDate();
    GetLocalTime(&after);
    EXPECT_EQ("2002-01-01\t102\r\n", Text("Day.txt"));
    EXPECT_EQ(after.wYear, Stored("DateYear"));
    EXPECT_EQ(after.wMonth, Stored("DateMonth"));
    EXPECT_EQ(after.wDay, Stored("DateDay"));
    EXPECT_EQ(after.wDayOfWeek, Stored("DateWeek"));
}

// The folder's files, or "" when it holds none.
static std::string FolderEntries(const std::string& folder) {
    std::string names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "<no folder>";
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names += name + ";";
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

static const char* const StoredDateNames[] = {"DateYear", "DateMonth", "DateWeek", "DateDay"};

// Date values the load cannot use read as missing, so the loaded date is
// today and the rollover has nothing to close; they stay as they are until
// the next save.
TEST_F(CheckDateFiles, StoredDatesOfTheWrongShapeLoadAsTodayAndCloseNothing) {
    struct Shape {
        const char* what;
        DWORD type;
        DWORD size;
    } shapes[] = {
        {"text", REG_SZ, 5},
        {"0-byte number", REG_DWORD, 0},
        {"1-byte number", REG_DWORD, 1},
        {"3-byte number", REG_DWORD, 3},
        {"300-byte number", REG_DWORD, 300},
        {"4 binary bytes", REG_BINARY, 4},
    };
    unsigned char bytes[300];
    memset(bytes, 0x07, sizeof bytes);
    memcpy(bytes, "2002", 5);
    for (const Shape& shape : shapes) {
        ClearProductKey();
        for (const char* name : StoredDateNames)
            PutRaw(name, shape.type, bytes, shape.size);
        PutDword("CounterCurrentDay", 57);
        LoadCounters();
        ASSERT_TRUE(WriteProductValue("Path", REG_SZ, folder.c_str(), 0));
        CheckDate();
        EXPECT_EQ("", FolderEntries(folder)) << shape.what << ": no line for a date never stored";
        EXPECT_EQ(57, CounterSet.Current[PeriodDay]) << shape.what << ": nothing moved";
        RawValue year = GetProductRaw("DateYear");
        EXPECT_EQ(shape.type, year.type) << shape.what << ": nothing saved";
        EXPECT_EQ(shape.size, year.bytes.size()) << shape.what;
    }
}

// Dates of any 32-bit size load as they are; since they are no calendar
// dates their periods close without a line, and today is stored.
TEST_F(CheckDateFiles, StoredDatesAtTheThirtyTwoBitLimitsCloseWithoutALine) {
    struct DateValues {
        DWORD year, month, week, day;
    } dates[] = {
        {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
        {0x80000000, 0x80000000, 0x80000000, 0x80000000},
        {0x7FFFFFFF, 12, 6, 31},
        {2002, 300, 300, 300},
        {65536 + 2002, 3, 4, 14}, // 2002 in 16 bits
        {2002, 2, 4, 30},
    };
    CalendarTime today = Date(2002, 5, 20, 1);
    for (const DateValues& date : dates) {
        ClearProductKey();
        PutDword("DateYear", date.year);
        PutDword("DateMonth", date.month);
        PutDword("DateWeek", date.week);
        PutDword("DateDay", date.day);
        PutDword("CounterCurrentDay", 57);
        PutDword("CounterCurrentWeek", 58);
        PutDword("CounterCurrentMonth", 59);
        PutDword("CounterCurrentYear", 60);
        LoadCounters();
        ASSERT_EQ(date.year, CounterSet.DateYear) << "a non-zero date is kept as stored";
        ASSERT_TRUE(WriteProductValue("Path", REG_SZ, folder.c_str(), 0));
        CheckDateOn(&today);
        EXPECT_EQ("", FolderEntries(folder)) << date.year << "-" << date.month << "-" << date.day;
        EXPECT_EQ(57, Stored("CounterLastDay")) << date.year;
        EXPECT_EQ(58, Stored("CounterLastWeek")) << date.year << ": no week holds it";
        EXPECT_EQ(0, Stored("CounterCurrentDay")) << date.year;
        EXPECT_EQ(2002, Stored("DateYear")) << date.year;
        EXPECT_EQ(5, Stored("DateMonth")) << date.year;
        EXPECT_EQ(1, Stored("DateWeek")) << date.year;
        EXPECT_EQ(20, Stored("DateDay")) << date.year;
        CheckDateOn(&today);
        EXPECT_EQ(57, Stored("CounterLastDay")) << date.year << ": closed once";
    }
}

// A "Path" the statistics files cannot use loses the lines, silently; the
// figures move and the date advances all the same. The long paths lead, by
// "\." steps, to a sub-folder of the scratch folder (its name evens out the
// length), so that a file name cut to fit would leave a file there.
TEST_F(CheckDateFiles, APathThatCannotNameTheFilesLosesOnlyTheLines) {
    std::string even = folder + "\\ab", odd = folder + "\\abc";
    if (even.size() % 2)
        std::swap(even, odd);
    ASSERT_TRUE(CreateDirectoryA(even.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(odd.c_str(), nullptr));
    std::string of255 = odd, of300 = even;
    while (of255.size() < 255)
        of255 += "\\.";
    while (of300.size() < 300)
        of300 += "\\.";
    ASSERT_EQ(255u, of255.size());
    ASSERT_EQ(300u, of300.size());
    struct PathValue {
        const char* what;
        DWORD type;
        std::string bytes;
    } paths[] = {
        {"255 characters", REG_SZ, of255 + '\0'},
        {"300 characters", REG_SZ, of300 + '\0'},
        {"a number", REG_DWORD, std::string("\1\0\0\0", 4)},
        {"no bytes", REG_SZ, ""},
        {"1 binary byte", REG_BINARY, "C"},
        {"3 binary bytes", REG_BINARY, "C:\\"},
        {"300 binary bytes", REG_BINARY, of300},
    };
    for (const PathValue& path : paths) {
        PutRaw("Path", path.type, path.bytes.data(), static_cast<DWORD>(path.bytes.size()));
        Store(Date(2002, 12, 31, 2));
        WriteCount(&CounterSet.Current[PeriodDay], 57);
        CalendarTime today = Date(2003, 1, 1, 3);
        CheckDateOn(&today);
        EXPECT_EQ("", FolderEntries(odd)) << path.what;
        EXPECT_EQ("", FolderEntries(even)) << path.what;
        std::string entries = FolderEntries(folder);
        EXPECT_EQ(2, std::count(entries.begin(), entries.end(), ';'))
            << path.what << ": only the two sub-folders, " << entries;
        EXPECT_EQ(57, Stored("CounterLastDay")) << path.what;
        EXPECT_EQ(2003, Stored("DateYear")) << path.what;
    }
}

static CalendarTime FromSystemTime(const SYSTEMTIME& s) {
    return {s.wYear, s.wMonth,  s.wDayOfWeek, s.wDay,
            s.wHour, s.wMinute, s.wSecond,    s.wMilliseconds};
}

// The platform's own way: to 100-nanosecond intervals and back.
static bool PlatformAddSeconds(SYSTEMTIME* t, int32_t seconds) {
    FILETIME file;
    if (!SystemTimeToFileTime(t, &file))
        return false;
    ULARGE_INTEGER ticks = {{file.dwLowDateTime, file.dwHighDateTime}};
    long long moved = static_cast<long long>(ticks.QuadPart) + seconds * 10000000LL;
    if (moved < 0)
        return false;
    ticks.QuadPart = static_cast<unsigned long long>(moved);
    file = {ticks.LowPart, ticks.HighPart};
    return FileTimeToSystemTime(&file, t);
}

TEST(AddSecondsOnThePlatform, AgreesWithSystemTimeToFileTimeAndBack) {
    const int32_t offsets[] = {0,       1,    -1,     86400,       -86400,    518400,
                               -518400, 3599, -43201, 86400 * 366, INT32_MAX, INT32_MIN};
    uint32_t seed = 12345;
    int compared = 0;
    for (int i = 0; i < 4000; i++) {
        seed = seed * 1103515245u + 12345u;
        SYSTEMTIME s = {};
        s.wYear = static_cast<WORD>(1602 + seed % 500 + (i % 8 == 0 ? 27000 : 0));
        s.wMonth = static_cast<WORD>(1 + (seed >> 9) % 12);
        s.wDay = static_cast<WORD>(1 + (seed >> 13) % 28);
        s.wHour = static_cast<WORD>((seed >> 3) % 24);
        s.wMinute = static_cast<WORD>((seed >> 17) % 60);
        s.wSecond = static_cast<WORD>((seed >> 21) % 60);
        s.wMilliseconds = static_cast<WORD>((seed >> 5) % 1000);
        int32_t offset = offsets[(seed >> 25) % (sizeof offsets / sizeof offsets[0])];

        CalendarTime ours = FromSystemTime(s);
        SYSTEMTIME theirs = s;
        bool platform = PlatformAddSeconds(&theirs, offset);
        bool own = AddSeconds(&ours, offset);
        ASSERT_EQ(platform, own) << s.wYear << "-" << s.wMonth << "-" << s.wDay << " + " << offset;
        if (!platform)
            continue;
        CalendarTime expected = FromSystemTime(theirs);
        ASSERT_EQ(0, memcmp(&expected, &ours, sizeof ours))
            << s.wYear << "-" << s.wMonth << "-" << s.wDay << " " << s.wHour << ":" << s.wMinute
            << " + " << offset << " gave " << ours.Year << "-" << ours.Month << "-" << ours.Day
            << " weekday " << ours.DayOfWeek << ", the platform " << theirs.wYear << "-"
            << theirs.wMonth << "-" << theirs.wDay << " weekday " << theirs.wDayOfWeek;
        compared++;
    }
    EXPECT_GT(compared, 3000);
}
