#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "scratch_folder.h"
#include "store/counter_set.h"
#include "store/registry.h"
#include "store/stat_file.h"

namespace {

class StatFile : public testing::Test {
  protected:
    std::string folder;

    void SetUp() override {
        ClearProductKey();
        folder = MakeScratchFolder("tw_stat_file");
        SetPath(folder);
        CounterSet.DateYear = 2002;
        CounterSet.DateMonth = 3;
        CounterSet.DateWeek = 4;
        CounterSet.DateDay = 14;
    }
    void TearDown() override {
        RemoveScratchFolder(folder);
        ClearProductKey();
    }

    static void SetPath(const std::string& path) {
        ASSERT_TRUE(WriteProductValue("Path", REG_SZ, path.c_str(), 0));
    }
    std::string In(const char* name) const {
        return folder + "\\" + name;
    }
    // Every entry of a folder (the scratch folder unless named), sorted.
    std::string Entries(std::string of = "") const {
        std::set<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(((of.empty() ? folder : of) + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return "<no folder>";
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.insert(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        std::string list;
        for (const std::string& name : names)
            list += name + ";";
        return list;
    }
};

} // namespace

TEST_F(StatFile, AMissingFileIsCreatedAndAnExistingOneGrowsByOneLine) {
    AppendStatLine(PeriodDay, 57);
    EXPECT_EQ("2002-03-14\t57\r\n", FileText(In("Day.txt")));
    CounterSet.DateDay = 15;
    AppendStatLine(PeriodDay, 0);
    EXPECT_EQ("2002-03-14\t57\r\n2002-03-15\t0\r\n", FileText(In("Day.txt")));

    WriteFileText(In("Month.txt"), "2002-02\t9\r\n");
    AppendStatLine(PeriodMonth, 1234);
    EXPECT_EQ("2002-02\t9\r\n2002-03\t1234\r\n", FileText(In("Month.txt")));
    AppendStatLine(PeriodYear, -5);
    EXPECT_EQ("2002\t-5\r\n", FileText(In("Year.txt")));
}

TEST_F(StatFile, PeriodsWithoutAFileWriteNothing) {
    for (int period : {int{PeriodSession}, int{PeriodWeek}, int{PeriodTotal}, -1, 6, 255})
        AppendStatLine(period, 7);
    EXPECT_EQ("", Entries()) << "only Day, Month and Year have files";
}

// Whether a writer may open the file now.
static bool Writable(const std::string& fileName) {
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Runs chattr on a file given by its Unix name and waits until the file's
// writability is as wanted: Wine starts Unix programs without a process
// handle that can be waited on.
static bool SetImmutable(const std::string& unixName, const std::string& fileName, bool on) {
    std::string command = std::string("/usr/bin/chattr ") + (on ? "+i " : "-i ") + unixName;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int i = 0; i < 100; i++) {
        if (Writable(fileName) != on)
            return true;
        Sleep(20);
    }
    return false;
}

TEST_F(StatFile, AReadOnlyFileLosesOnlyItsLine) {
    // Outside the prefix, so that a file left immutable by a crash cannot
    // stop the next session from removing the prefix.
    char unixFolder[64];
    snprintf(unixFolder, sizeof unixFolder, "/tmp/tw_read_only_%lu", GetCurrentProcessId());
    std::string readOnlyFolder = std::string("Z:") + unixFolder;
    for (char& c : readOnlyFolder)
        c = c == '/' ? '\\' : c;
    RemoveScratchFolder(readOnlyFolder);
    ASSERT_TRUE(CreateDirectoryA(readOnlyFolder.c_str(), nullptr));
    std::string day = readOnlyFolder + "\\Day.txt";
    WriteFileText(day, "old\r\n");
    SetPath(readOnlyFolder);

    ASSERT_TRUE(SetFileAttributesA(day.c_str(), FILE_ATTRIBUTE_READONLY));
    bool immutable = false;
    if (Writable(day)) {
        // Known quirk: Wine running as root opens a file whose write bits
        // are cleared, since root passes the permission check. Immutable,
        // the file refuses writers as Windows refuses a read-only file.
        immutable = SetImmutable(std::string(unixFolder) + "/Day.txt", day, true);
        ASSERT_TRUE(immutable) << "the file could be made neither read-only nor immutable";
    }
    AppendStatLine(PeriodDay, 57);
    AppendStatLine(PeriodMonth, 8);
    std::string dayText = FileText(day);
    std::string monthText = FileText(readOnlyFolder + "\\Month.txt");
    if (immutable) {
        EXPECT_TRUE(SetImmutable(std::string(unixFolder) + "/Day.txt", day, false));
    }
    SetFileAttributesA(day.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveScratchFolder(readOnlyFolder);

    EXPECT_EQ("old\r\n", dayText);
    EXPECT_EQ("2002-03\t8\r\n", monthText) << "the next file is written";
}

TEST_F(StatFile, AFileLockedByAnotherWriterLosesOnlyItsLine) {
    WriteFileText(In("Day.txt"), "old\r\n");
    HANDLE lock = CreateFileA(In("Day.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock) << "the test's own lock, error " << GetLastError();
    AppendStatLine(PeriodDay, 57);
    AppendStatLine(PeriodYear, 3);
    CloseHandle(lock);
    EXPECT_EQ("old\r\n", FileText(In("Day.txt")));
    EXPECT_EQ("2002\t3\r\n", FileText(In("Year.txt")));

    AppendStatLine(PeriodDay, 58);
    EXPECT_EQ("old\r\n2002-03-14\t58\r\n", FileText(In("Day.txt")))
        << "the lost line is not written later, the next one is";
}

// The other process: this test program run again with only this test, which
// holds the file named in TW_HOLD_FILE open without sharing until told to
// let go. In an ordinary run it has nothing to hold.
TEST(StatFileHolder, HoldsTheNamedFileUntilReleased) {
    char fileName[MAX_PATH];
    if (!GetEnvironmentVariableA("TW_HOLD_FILE", fileName, sizeof fileName))
        GTEST_SKIP() << "run by the locked-file test only";
    HANDLE held = CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held) << "error " << GetLastError();
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "tw_hold_ready");
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "tw_hold_release");
    ASSERT_TRUE(ready && release);
    SetEvent(ready);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(release, 10000));
    CloseHandle(held);
}

TEST_F(StatFile, AFileLockedByAnotherProcessLosesOnlyItsLine) {
    WriteFileText(In("Day.txt"), "old\r\n");
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "tw_hold_ready");
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "tw_hold_release");
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self +
                          "\" --gtest_filter=StatFileHolder.HoldsTheNamedFileUntilReleased";
    SetEnvironmentVariableA("TW_HOLD_FILE", In("Day.txt").c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION holder = {};
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &holder);
    SetEnvironmentVariableA("TW_HOLD_FILE", nullptr);
    ASSERT_TRUE(started) << "error " << GetLastError();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 10000)) << "the other process holds it";
    AppendStatLine(PeriodDay, 57);
    AppendStatLine(PeriodMonth, 8);
    SetEvent(release);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(holder.hProcess, 10000));
    DWORD exitCode = 1;
    GetExitCodeProcess(holder.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode) << "the holder's own checks";
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    CloseHandle(ready);
    CloseHandle(release);

    EXPECT_EQ("old\r\n", FileText(In("Day.txt"))) << "no line while another process held it";
    EXPECT_EQ("2002-03\t8\r\n", FileText(In("Month.txt")));
    AppendStatLine(PeriodDay, 58);
    EXPECT_EQ("old\r\n2002-03-14\t58\r\n", FileText(In("Day.txt")));
}

TEST_F(StatFile, AReaderThatSharesWritingDoesNotStopTheLine) {
    WriteFileText(In("Day.txt"), "old\r\n");
    HANDLE reader =
        CreateFileA(In("Day.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    AppendStatLine(PeriodDay, 57);
    CloseHandle(reader);
    EXPECT_EQ("old\r\n2002-03-14\t57\r\n", FileText(In("Day.txt")));
}

TEST_F(StatFile, AFolderWhereTheFileShouldBeLosesOnlyItsLine) {
    ASSERT_TRUE(CreateDirectoryA(In("Day.txt").c_str(), nullptr));
    AppendStatLine(PeriodDay, 57);
    AppendStatLine(PeriodMonth, 8);
    DWORD attributes = GetFileAttributesA(In("Day.txt").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ("Day.txt;Month.txt;", Entries());
    EXPECT_EQ("", Entries(In("Day.txt"))) << "nothing is written into that folder";
    EXPECT_EQ("2002-03\t8\r\n", FileText(In("Month.txt")));
}

TEST_F(StatFile, AnEmptyOrMissingPathWritesNoFileAnywhere) {
    DeleteFileA("C:\\Day.txt");
    DeleteFileA("\\Day.txt");
    SetPath("");
    AppendStatLine(PeriodDay, 57);
    DeleteRegValue(HKEY_LOCAL_MACHINE, "Software\\Larkspoon Software\\Tallywhirl", "Path");
    AppendStatLine(PeriodDay, 58);
    EXPECT_EQ("<missing>", FileText("\\Day.txt")) << "not at the root of the current drive";
    EXPECT_EQ("<missing>", FileText("Day.txt")) << "not in the current folder";
    EXPECT_EQ("", Entries());
}

TEST_F(StatFile, AMissingFolderIsNotCreatedAndLosesOnlyTheLine) {
    SetPath(In("gone"));
    AppendStatLine(PeriodDay, 57);
    EXPECT_EQ("", Entries());
    SetPath(folder);
    AppendStatLine(PeriodDay, 58);
    EXPECT_EQ("2002-03-14\t58\r\n", FileText(In("Day.txt")));
}

TEST_F(StatFile, AFileNameThatWouldNotFitIsNeverCut) {
    // "\." steps leave the folder the same but make its name long: the file
    // name may be at most 255 characters, and "\Day.txt" takes 8. The name
    // of the sub-folder evens out the length left for the steps.
    std::string base = In((247 - folder.size()) % 2 ? "ab" : "abc");
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr));
    std::string fits = base;
    while (fits.size() < 247)
        fits += "\\.";
    ASSERT_EQ(247u, fits.size());
    SetPath(fits);
    AppendStatLine(PeriodDay, 57);
    EXPECT_EQ("2002-03-14\t57\r\n", FileText(base + "\\Day.txt")) << "255 characters still fit";

    SetPath(fits + "\\.");
    AppendStatLine(PeriodDay, 58);
    EXPECT_EQ("Day.txt;", Entries(base)) << "a cut name would have left another file";
    EXPECT_EQ("2002-03-14\t57\r\n", FileText(base + "\\Day.txt"));
}
