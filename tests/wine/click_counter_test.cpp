// The counting thread against Wine's real named event, threads and registry.
// The thread can be started once per process, so the test that needs the
// event to be unmakeable runs in a child process of its own, first.
#include <gtest/gtest.h>

#include <string>

#include "capture/capture.h"

#include <tlhelp32.h>

#include "app/app.h"
#include "res/resource_ids.h"
#include "scratch_registry.h"
#include "store/counter_set.h"
#include "store/counters.h"
#include "ui/ui.h"

static int InitCalls;
static HMODULE InitModule;
static bool EventExistedAtInit;

static BOOL WINAPI RecordInit(HMODULE module) {
    InitCalls++;
    InitModule = module;
    HANDLE event = OpenEventA(EVENT_ALL_ACCESS, FALSE, "TallywhirlEvent");
    EventExistedAtInit = event != nullptr;
    if (event)
        CloseHandle(event);
    return TRUE;
}

static void StartCapture() {
    HookLibrary = GetModuleHandleA(nullptr);
    TallywhirlInit = RecordInit;
    StartClickCapture();
}

// Waits until the counting thread has counted `clicks` in all; false after
// five seconds.
static bool WaitForClicks(uint32_t clicks) {
    for (int waited = 0; waited < 5000; waited++) {
        if (ReadClicksSinceStart() == clicks)
            return true;
        Sleep(1);
    }
    return false;
}

// Waits until the count has stood still for 300 ms, and returns it.
static uint32_t SettledClicks() {
    uint32_t last = ReadClicksSinceStart();
    for (int still = 0, waited = 0; still < 300 && waited < 10000; waited += 10) {
        Sleep(10);
        uint32_t now = ReadClicksSinceStart();
        still = now == last ? still + 10 : 0;
        last = now;
    }
    return last;
}

static int OwnThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

// Runs one disabled test of this program in a child process; returns what
// it printed.
static std::string RunChild(const char* test, DWORD* exitCode) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    char outName[MAX_PATH];
    GetTempPathA(sizeof outName, outName);
    strcat(outName, "tw_click_counter_child.txt");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out =
        CreateFileA(outName, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    std::string commandLine =
        std::string("\"") + self + "\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION process = {};
    *exitCode = 99;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(out);
    std::string printed;
    HANDLE in = CreateFileA(outName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got;
    while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got)
        printed.append(buffer, got);
    CloseHandle(in);
    DeleteFileA(outName);
    return printed;
}

TEST(ClickCounter, AFailedWaitCountsNothing) {
    DWORD exitCode;
    std::string printed = RunChild("ClickCounterChild.DISABLED_EventCannotBeMade", &exitCode);
    EXPECT_EQ(0u, exitCode) << printed;
    EXPECT_NE(std::string::npos, printed.find("[  PASSED  ] 1 test")) << printed;
}

TEST(ClickCounterChild, DISABLED_EventCannotBeMade) {
    // Another kind of object already holds the name, so no event can be made.
    HANDLE squatter = CreateMutexA(nullptr, FALSE, "TallywhirlEvent");
    ASSERT_NE(nullptr, squatter);
    memset(&CounterSet, 0, sizeof CounterSet);
    int threadsBefore = OwnThreadCount();
    StartCapture();
    EXPECT_EQ(nullptr, ClickEvent);
    EXPECT_EQ(1, InitCalls) << "the hook is installed all the same";
    Sleep(500);
    EXPECT_EQ(0u, ReadClicksSinceStart());
    for (int p = 0; p < PeriodCount; p++)
        EXPECT_EQ(0, ReadCount(&CounterSet.Current[p])) << "period " << p;
    EXPECT_EQ(threadsBefore, OwnThreadCount()) << "the thread ended instead of spinning";
    CloseHandle(squatter);
}

TEST(ClickCounter, EverySignalCountedIsOneClickInEveryPeriod) {
    memset(&CounterSet, 0, sizeof CounterSet);
    CounterSet.Current[PeriodTotal] = 1000;
    CounterSet.Last[PeriodDay] = 7;
    StartCapture();
    ASSERT_NE(nullptr, ClickEvent);
    EXPECT_EQ(1, InitCalls);
    EXPECT_EQ(HookLibrary, InitModule) << "the hook is installed with the library's handle";
    EXPECT_TRUE(EventExistedAtInit) << "the event exists before the hook is installed";

    // Signalled the way the hook library does it: by name, from elsewhere.
    HANDLE event = OpenEventA(EVENT_ALL_ACCESS, TRUE, "TallywhirlEvent");
    ASSERT_NE(nullptr, event);
    for (uint32_t click = 1; click <= 10; click++) {
        SetEvent(event);
        ASSERT_TRUE(WaitForClicks(click)) << "click " << click << " was not counted";
    }
    EXPECT_EQ(10u, SettledClicks()) << "no click counted twice";
    for (int p = 0; p < PeriodTotal; p++)
        EXPECT_EQ(10, ReadCount(&CounterSet.Current[p])) << "period " << p;
    EXPECT_EQ(1010, ReadCount(&CounterSet.Current[PeriodTotal]));
    EXPECT_EQ(7, ReadCount(&CounterSet.Last[PeriodDay])) << "last figures are not counted";
    EXPECT_EQ(0, ReadCount(&CounterSet.Last[PeriodSession]));
    CloseHandle(event);
}

static int RefreshMessages;

static LRESULT CALLBACK RefreshWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLICKREFRESH) {
        RefreshMessages++;
        RefreshAfterClicks();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static INT_PTR CALLBACK PlainPageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

static DWORD WINAPI SignalTenSlowly(void*) {
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TallywhirlEvent");
    for (int i = 0; i < 10; i++) {
        SetEvent(event);
        Sleep(100);
    }
    CloseHandle(event);
    return 0;
}

static std::string CellText(HWND page, int id) {
    char text[64] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

// With the statistics page open and its thread busy (not reading messages),
// every click is still counted; the page then shows them all after one
// redraw request.
TEST(ClickCounter, ABusyWindowThreadCostsNoClickAndThePageShowsThemAll) {
    ASSERT_NE(nullptr, ClickEvent) << "needs the thread of the tests before";
    uint32_t base = SettledClicks();
    memset(&CounterSet, 0, sizeof CounterSet);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RefreshWindowProc;
    windowClass.hInstance = AppInstance;
    windowClass.lpszClassName = "TallywhirlRefreshTest";
    ASSERT_NE(0, RegisterClassA(&windowClass));
    MainWindow = CreateWindowA("TallywhirlRefreshTest", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, AppInstance, nullptr);
    ASSERT_NE(nullptr, MainWindow);
    HWND page =
        CreateDialogA(AppInstance, MAKEINTRESOURCEA(IDD_STATISTICS), MainWindow, PlainPageProc);
    ASSERT_NE(nullptr, page);
    SetDlgItemTextA(page, IDC_CUR_SESSION, "-");
    StatsPageWindow = page;
    RefreshMessages = 0;

    HANDLE signaller = CreateThread(nullptr, 0, SignalTenSlowly, nullptr, 0, nullptr);
    Sleep(1500);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(signaller, 5000));
    CloseHandle(signaller);
    EXPECT_EQ(10u, ReadClicksSinceStart() - base) << "clicks lost while the window thread slept";
    EXPECT_EQ("-", CellText(page, IDC_CUR_SESSION)) << "drawn only by the window's own thread";

    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ(1, RefreshMessages) << "one outstanding redraw request at a time";
    EXPECT_EQ("10", CellText(page, IDC_CUR_SESSION));
    EXPECT_EQ("10", CellText(page, IDC_CUR_TOTAL));

    StatsPageWindow = nullptr;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TallywhirlEvent");
    SetEvent(event);
    CloseHandle(event);
    EXPECT_EQ(11u, SettledClicks() - base);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ(1, RefreshMessages) << "no redraw asked for without the page";
    EXPECT_EQ("10", CellText(page, IDC_CUR_SESSION));
    DestroyWindow(page);
    DestroyWindow(MainWindow);
    MainWindow = nullptr;
}

enum { SignalThreads = 4, SignalsPerThread = 25000 };

static DWORD WINAPI SignalMany(void*) {
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TallywhirlEvent");
    for (int i = 0; i < SignalsPerThread; i++)
        SetEvent(event);
    CloseHandle(event);
    return 0;
}

static DWORD SavedTotal() {
    std::string text = DwordText("CounterCurrentTotal");
    return static_cast<DWORD>(strtoul(text.c_str(), nullptr, 10));
}

// A hundred thousand signals from several threads (seconds of them under
// Wine, where each is a server call) while the main thread moves, clears and
// saves the counts: every count stays whole and agrees with what the
// counting thread saw.
TEST(ClickCounter, ManySignalsAgainstMovesResetsAndSaves) {
    ASSERT_NE(nullptr, ClickEvent) << "needs the thread of the test before";
    DeleteProductKey();
    uint32_t base = SettledClicks();
    memset(&CounterSet, 0, sizeof CounterSet);
    int64_t movedDay = 0;

    HANDLE threads[SignalThreads];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, SignalMany, nullptr, 0, nullptr);
    DWORD started = GetTickCount();
    int rounds = 0, badSaves = 0, badCounts = 0;
    while (WaitForMultipleObjects(SignalThreads, threads, TRUE, 0) == WAIT_TIMEOUT &&
           GetTickCount() - started < 90000) {
        movedDay += MoveToLast(&CounterSet, PeriodDay);
        WriteCount(&CounterSet.Current[PeriodWeek], 0);
        WriteCount(&CounterSet.Last[PeriodWeek], 0);
        uint32_t before = ReadClicksSinceStart() - base;
        SaveCounters();
        uint32_t after = ReadClicksSinceStart() - base;
        DWORD saved = SavedTotal();
        badSaves += saved + 1 < before || saved > after;
        for (int p = 0; p < PeriodCount; p++) {
            // The thread counts its wake-up before it adds to the periods.
            int32_t count = ReadCount(&CounterSet.Current[p]);
            uint32_t bound = ReadClicksSinceStart() - base;
            badCounts += count < 0 || static_cast<uint32_t>(count) > bound;
        }
        rounds++;
    }
    DWORD elapsed = GetTickCount() - started;
    ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0),
              WaitForMultipleObjects(SignalThreads, threads, TRUE, 0))
        << "the signalling threads did not finish within 90 s";
    for (HANDLE thread : threads)
        CloseHandle(thread);
    uint32_t counted = SettledClicks() - base;
    printf("%d signals, %u wake-ups counted, %d rounds of move, reset and save, %lu ms\n",
           SignalThreads * SignalsPerThread, counted, rounds, elapsed);

    EXPECT_EQ(0, badSaves) << "a saved total outside the clicks counted around its save";
    EXPECT_EQ(0, badCounts) << "a count that was negative or ahead of the clicks";
    EXPECT_GT(rounds, 1) << "the main thread worked while the signals came";
    EXPECT_GT(counted, 0u);
    EXPECT_LE(counted, static_cast<uint32_t>(SignalThreads * SignalsPerThread))
        << "never more wake-ups than signals";
    EXPECT_EQ(static_cast<int32_t>(counted), ReadCount(&CounterSet.Current[PeriodSession]));
    EXPECT_EQ(static_cast<int32_t>(counted), ReadCount(&CounterSet.Current[PeriodMonth]));
    EXPECT_EQ(static_cast<int32_t>(counted), ReadCount(&CounterSet.Current[PeriodYear]));
    EXPECT_EQ(static_cast<int32_t>(counted), ReadCount(&CounterSet.Current[PeriodTotal]));
    EXPECT_EQ(static_cast<int64_t>(counted), movedDay + ReadCount(&CounterSet.Current[PeriodDay]))
        << "each click is in the day moved to last or in the new day, never lost";
    int32_t week = ReadCount(&CounterSet.Current[PeriodWeek]);
    EXPECT_TRUE(week >= 0 && static_cast<uint32_t>(week) <= counted) << week;

    SaveCounters();
    EXPECT_EQ(std::to_string(counted), DwordText("CounterCurrentTotal"));
    EXPECT_EQ(std::to_string(counted), DwordText("CounterLastSession"));
    DeleteProductKey();
}
