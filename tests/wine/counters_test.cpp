// Loading and saving the counter set against Wine's real registry; the
// product key is removed before and after every test.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/app.h"
#include "scratch_registry.h"
#include "store/counter_set.h"
#include "store/counters.h"
#include "store/registry.h"

static const char* const CounterNames[] = {
    "CounterCurrentSession", "CounterLastSession", "CounterCurrentDay",   "CounterLastDay",
    "CounterCurrentWeek",    "CounterLastWeek",    "CounterCurrentMonth", "CounterLastMonth",
    "CounterCurrentYear",    "CounterLastYear",    "CounterCurrentTotal",
};
static const char* const DateNames[] = {"DateYear", "DateMonth", "DateWeek", "DateDay"};

class Counters : public testing::Test {
  protected:
    void SetUp() override {
        DeleteProductKey();
        memset(&CounterSet, 0x5A, sizeof CounterSet);
    }
    void TearDown() override {
        DeleteProductKey();
    }
};

// Distinct figures for every field, so that any mix-up of names shows.
static void FillDistinct() {
    for (int p = 0; p < PeriodCount; p++)
        CounterSet.Current[p] = 100 + p;
    for (int p = 0; p < LastCount; p++)
        CounterSet.Last[p] = 200 + p;
    CounterSet.DateYear = 2002;
    CounterSet.DateMonth = 7;
    CounterSet.DateWeek = 3;
    CounterSet.DateDay = 17;
}

static std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    *strrchr(path, '\\') = '\0';
    return path;
}

static void ExpectToday(const char* why) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_EQ(today.wYear, CounterSet.DateYear) << why;
    EXPECT_EQ(today.wMonth, CounterSet.DateMonth) << why;
    EXPECT_EQ(today.wDayOfWeek, CounterSet.DateWeek) << why;
    EXPECT_EQ(today.wDay, CounterSet.DateDay) << why;
}

TEST_F(Counters, AFirstLoadCreatesTheKeyAndStartsFromZeroToday) {
    LoadCounters();
    EXPECT_EQ("Path Release", ProductValueNames()) << "the load writes these two and no count";
    EXPECT_EQ("102", DwordText("Release"));
    RawValue path = GetProductRaw("Path");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), path.type);
    EXPECT_EQ(ProgramFolder() + '\0', path.bytes) << "the folder, with its terminator";
    for (int p = 0; p < PeriodCount; p++)
        EXPECT_EQ(0, CounterSet.Current[p]) << "period " << p;
    for (int p = 0; p < LastCount; p++)
        EXPECT_EQ(0, CounterSet.Last[p]) << "period " << p;
    EXPECT_EQ(0u, CounterSet.OptionAutostart);
    ExpectToday("no stored date");
}

TEST_F(Counters, SaveWritesElevenCountsAndFourDatesAsNumbers) {
    FillDistinct();
    SaveCounters();
    EXPECT_EQ("2002", DwordText("DateYear"));
    EXPECT_EQ("7", DwordText("DateMonth"));
    EXPECT_EQ("3", DwordText("DateWeek"));
    EXPECT_EQ("17", DwordText("DateDay"));
    EXPECT_EQ("0", DwordText("CounterCurrentSession")) << "the running session is never stored";
    EXPECT_EQ("100", DwordText("CounterLastSession")) << "it is stored as the last one";
    EXPECT_EQ("101", DwordText("CounterCurrentDay"));
    EXPECT_EQ("201", DwordText("CounterLastDay"));
    EXPECT_EQ("102", DwordText("CounterCurrentWeek"));
    EXPECT_EQ("202", DwordText("CounterLastWeek"));
    EXPECT_EQ("103", DwordText("CounterCurrentMonth"));
    EXPECT_EQ("203", DwordText("CounterLastMonth"));
    EXPECT_EQ("104", DwordText("CounterCurrentYear"));
    EXPECT_EQ("204", DwordText("CounterLastYear"));
    EXPECT_EQ("105", DwordText("CounterCurrentTotal"));
    EXPECT_EQ("CounterCurrentDay CounterCurrentMonth CounterCurrentSession CounterCurrentTotal "
              "CounterCurrentWeek CounterCurrentYear CounterLastDay CounterLastMonth "
              "CounterLastSession CounterLastWeek CounterLastYear DateDay DateMonth DateWeek "
              "DateYear",
              ProductValueNames())
        << "exactly these fifteen values (Wine lists them by name), nothing for a last total";
    EXPECT_EQ(104, CounterSet.Current[PeriodYear]) << "saving changes nothing in memory";
}

TEST_F(Counters, ALoadReadsEveryValueIntoItsOwnField) {
    for (int i = 0; i < 11; i++)
        PutDword(CounterNames[i], 1000 + i);
    PutDword("DateYear", 2003);
    PutDword("DateMonth", 12);
    PutDword("DateWeek", 5);
    PutDword("DateDay", 31);
    PutDword("OptionAutostart", 1);
    LoadCounters();
    EXPECT_EQ(1000, CounterSet.Current[PeriodSession]) << "a stored running session is read";
    EXPECT_EQ(1001, CounterSet.Last[PeriodSession]);
    EXPECT_EQ(1002, CounterSet.Current[PeriodDay]);
    EXPECT_EQ(1003, CounterSet.Last[PeriodDay]);
    EXPECT_EQ(1004, CounterSet.Current[PeriodWeek]);
    EXPECT_EQ(1005, CounterSet.Last[PeriodWeek]);
    EXPECT_EQ(1006, CounterSet.Current[PeriodMonth]);
    EXPECT_EQ(1007, CounterSet.Last[PeriodMonth]);
    EXPECT_EQ(1008, CounterSet.Current[PeriodYear]);
    EXPECT_EQ(1009, CounterSet.Last[PeriodYear]);
    EXPECT_EQ(1010, CounterSet.Current[PeriodTotal]);
    EXPECT_EQ(2003u, CounterSet.DateYear);
    EXPECT_EQ(12u, CounterSet.DateMonth);
    EXPECT_EQ(5u, CounterSet.DateWeek);
    EXPECT_EQ(31u, CounterSet.DateDay);
    EXPECT_EQ(1u, CounterSet.OptionAutostart);
}

TEST_F(Counters, ARunOf57SessionClicksShowsThemAsTheLastSessionNextTime) {
    LoadCounters();
    for (int i = 0; i < 57; i++)
        AddClickToAll(&CounterSet);
    SaveCounters();
    EXPECT_EQ("0", DwordText("CounterCurrentSession"));
    EXPECT_EQ("57", DwordText("CounterLastSession"));
    memset(&CounterSet, 0, sizeof CounterSet);
    LoadCounters();
    EXPECT_EQ(0, CounterSet.Current[PeriodSession]);
    EXPECT_EQ(57, CounterSet.Last[PeriodSession]);
    EXPECT_EQ(57, CounterSet.Current[PeriodTotal]);
    EXPECT_EQ(57, CounterSet.Current[PeriodDay]);
}

TEST_F(Counters, AStoredSundayIsADate) {
    PutDword("DateYear", 2002);
    PutDword("DateMonth", 6);
    PutDword("DateWeek", 0);
    PutDword("DateDay", 2);
    LoadCounters();
    EXPECT_EQ(2002u, CounterSet.DateYear);
    EXPECT_EQ(6u, CounterSet.DateMonth);
    EXPECT_EQ(0u, CounterSet.DateWeek);
    EXPECT_EQ(2u, CounterSet.DateDay);
}

TEST_F(Counters, AnyMissingPartOfTheDateButTheWeekdayMeansToday) {
    for (const char* missing : {"DateYear", "DateMonth", "DateDay"}) {
        for (const char* name : DateNames)
            PutDword(name, 4);
        DeleteRegValue(HKEY_LOCAL_MACHINE, ProductKeyPath, missing);
        LoadCounters();
        ExpectToday(missing);
        PutDword(missing, 0);
        LoadCounters();
        ExpectToday(missing);
    }
}

TEST_F(Counters, AnyNonZeroOptionMeansStartWithWindows) {
    for (DWORD stored : {1u, 2u, 0x80000000u, 0xFFFFFFFFu}) {
        PutDword("OptionAutostart", stored);
        LoadCounters();
        EXPECT_EQ(1u, CounterSet.OptionAutostart) << stored;
    }
    PutDword("OptionAutostart", 0);
    LoadCounters();
    EXPECT_EQ(0u, CounterSet.OptionAutostart);
}

TEST_F(Counters, CountsAtTheLimitsOfThirtyTwoBitsComeBackUnchanged) {
    const DWORD limits[] = {0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 1};
    for (DWORD stored : limits) {
        for (const char* name : CounterNames)
            PutDword(name, stored);
        for (const char* name : DateNames)
            PutDword(name, stored);
        LoadCounters();
        EXPECT_EQ(static_cast<int32_t>(stored), CounterSet.Current[PeriodTotal]) << stored;
        EXPECT_EQ(static_cast<int32_t>(stored), CounterSet.Last[PeriodYear]) << stored;
        EXPECT_EQ(stored, CounterSet.DateYear) << "a date is kept as it was stored";
        SaveCounters();
        for (int i = 1; i < 11; i++)
            EXPECT_EQ(std::to_string(stored), DwordText(CounterNames[i]))
                << CounterNames[i] << " lost " << stored;
        for (const char* name : DateNames)
            EXPECT_EQ(std::to_string(stored), DwordText(name)) << name;
    }
}

TEST_F(Counters, AClickOnTheLargestCountWrapsToTheSmallest) {
    PutDword("CounterCurrentTotal", 0x7FFFFFFF);
    LoadCounters();
    AddClickToAll(&CounterSet);
    EXPECT_EQ(INT32_MIN, CounterSet.Current[PeriodTotal]);
    SaveCounters();
    EXPECT_EQ("2147483648", DwordText("CounterCurrentTotal"));
}

// Every value the program reads, stored in shapes it cannot use: each must
// read as missing, without a crash and without touching its neighbours.
TEST_F(Counters, ValuesOfTheWrongTypeOrSizeReadAsMissing) {
    static const char* const Numbers[] = {
        "CounterCurrentSession",
        "CounterLastSession",
        "CounterCurrentDay",
        "CounterLastDay",
        "CounterCurrentWeek",
        "CounterLastWeek",
        "CounterCurrentMonth",
        "CounterLastMonth",
        "CounterCurrentYear",
        "CounterLastYear",
        "CounterCurrentTotal",
        "DateYear",
        "DateMonth",
        "DateWeek",
        "DateDay",
        "OptionAutostart",
    };
    struct Shape {
        const char* what;
        DWORD type;
        DWORD size;
    } shapes[] = {
        {"text", REG_SZ, 3},
        {"0-byte number", REG_DWORD, 0},
        {"1-byte number", REG_DWORD, 1},
        {"3-byte number", REG_DWORD, 3},
        {"300-byte number", REG_DWORD, 300},
        {"4 binary bytes", REG_BINARY, 4},
        {"300 binary bytes", REG_BINARY, 300},
    };
    unsigned char bytes[300];
    memset(bytes, 0x11, sizeof bytes);
    bytes[2] = 0;
    for (const Shape& shape : shapes) {
        DeleteProductKey();
        for (const char* name : Numbers)
            PutRaw(name, shape.type, bytes, shape.size);
        LoadCounters();
        for (int p = 0; p < PeriodCount; p++)
            EXPECT_EQ(0, CounterSet.Current[p]) << shape.what << ", period " << p;
        for (int p = 0; p < LastCount; p++)
            EXPECT_EQ(0, CounterSet.Last[p]) << shape.what << ", period " << p;
        EXPECT_EQ(0u, CounterSet.OptionAutostart) << shape.what;
        ExpectToday(shape.what);
        SaveCounters();
        for (int i = 0; i < 11; i++)
            EXPECT_EQ("0", DwordText(Numbers[i]))
                << shape.what << ": " << Numbers[i] << " is saved as a sound number";
    }
}

TEST_F(Counters, APathThatIsTooLongIsReplacedByTheProgramFolder) {
    std::string tooLong(300, 'p');
    PutRaw("Path", REG_SZ, tooLong.c_str(), 301);
    PutRaw("Release", REG_SZ, "x", 2);
    LoadCounters();
    EXPECT_EQ(ProgramFolder() + '\0', GetProductRaw("Path").bytes);
    EXPECT_EQ("102", DwordText("Release")) << "Release is rewritten as a number";
}

// A product key that cannot be made at all: a lasting key cannot be created
// below a volatile one.
TEST_F(Counters, WithoutAProductKeyTheSetCountsInMemoryFromZeroToday) {
    HKEY maker;
    DWORD disposition;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, MakerKeyPath, 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &maker, &disposition);
    RegCloseKey(maker);
    LoadCounters();
    EXPECT_FALSE(ProductKeyExists());
    EXPECT_EQ(0, CounterSet.Current[PeriodTotal]);
    EXPECT_EQ(0, CounterSet.Last[PeriodSession]);
    EXPECT_EQ(0u, CounterSet.OptionAutostart);
    ExpectToday("no key");
    AddClickToAll(&CounterSet);
    SaveCounters();
    EXPECT_FALSE(ProductKeyExists()) << "the save fails quietly";
    EXPECT_EQ(1, CounterSet.Current[PeriodTotal]) << "the count goes on in memory";
}

// The product key denies everyone setting values, as HKEY_LOCAL_MACHINE does
// a limited account: the stored counts load all the same, the saves fail
// quietly, and once the key takes writes again the counts stored include the
// ones loaded.
TEST_F(Counters, AProductKeyThatDeniesWritingStillGivesItsCountsAndKeepsThem) {
    for (int i = 0; i < 11; i++)
        PutDword(CounterNames[i], 1000 + i);
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
    EXPECT_FALSE(GetProductRaw("Path").found) << "the load could not record the folder";
    EXPECT_TRUE(SetProductKeyAccess(AllowAll));
    SaveCounters();
    EXPECT_EQ("1013", DwordText("CounterCurrentTotal")) << "nothing stored was lost";
}

// The key is writable at the load and refuses writes from then on, as when
// its access list is changed while the program runs.
TEST_F(Counters, AProductKeyThatStopsTakingWritesKeepsTheLoadedCountsInMemory) {
    for (int i = 0; i < 11; i++)
        PutDword(CounterNames[i], 1000 + i);
    PutDword("CounterCurrentSession", 0);
    LoadCounters();
    ASSERT_EQ(1010, CounterSet.Current[PeriodTotal]);
    ASSERT_TRUE(SetProductKeyAccess(DenySetValue)) << "error " << GetLastError();
    AddClickToAll(&CounterSet);
    SaveCounters();
    EXPECT_EQ(1011, CounterSet.Current[PeriodTotal]) << "nothing in memory is lost";
    EXPECT_EQ(1, CounterSet.Current[PeriodSession]);
    EXPECT_EQ(1001, CounterSet.Last[PeriodSession]);
    EXPECT_EQ("1010", DwordText("CounterCurrentTotal")) << "the failed save changed nothing";
    EXPECT_EQ("1001", DwordText("CounterLastSession"));
    EXPECT_TRUE(SetProductKeyAccess(AllowAll));
    SaveCounters();
    EXPECT_EQ("1011", DwordText("CounterCurrentTotal")) << "the next save that can, stores them";
    EXPECT_EQ("1", DwordText("CounterLastSession"));
}
