// The counting thread against Wine's real named event, threads and registry.
#include <gtest/gtest.h>

#include "capture/capture.h"
#include "scratch_key_and_folder.h"
#include "store/counter_set.h"
#include "store/counters.h"

static BOOL WINAPI HookSet(HMODULE) {
    return TRUE;
}

// The count once it has stood still for 300 ms.
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

static DWORD WINAPI SignalMany(void*) {
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TallywhirlEvent");
    for (int i = 0; i < 10000; i++)
        SetEvent(event);
    CloseHandle(event);
    return 0;
}

// Forty thousand signals from four threads while the main thread moves,
// clears and saves the counts: every count stays whole and agrees with the
// wake-ups the counting thread saw.
TEST(ClickCounter, SignalsAgainstMovesResetsAndSavesLoseNoClick) {
    DeleteProductKey();
    HookLibrary = GetModuleHandleA(nullptr);
    TallywhirlInit = HookSet;
    StartClickCapture(nullptr);
    ASSERT_NE(nullptr, ClickEvent);
    uint32_t base = SettledClicks();
    memset(&CounterSet, 0, sizeof CounterSet);
    int64_t movedDay = 0;
    HANDLE threads[4];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, SignalMany, nullptr, 0, nullptr);
    int rounds = 0, badSaves = 0;
    for (DWORD started = GetTickCount();
         WaitForMultipleObjects(4, threads, TRUE, 0) == WAIT_TIMEOUT &&
         GetTickCount() - started < 90000;
         rounds++) {
        movedDay += MoveToLast(&CounterSet, PeriodDay);
        WriteCount(&CounterSet.Current[PeriodWeek], 0);
        uint32_t before = ReadClicksSinceStart() - base;
        SaveCounters();
        uint32_t after = ReadClicksSinceStart() - base;
        // The thread counts its wake-up before it adds to the periods.
        DWORD saved = strtoul(DwordText("CounterCurrentTotal").c_str(), nullptr, 10);
        badSaves += saved + 1 < before || saved > after;
    }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(4, threads, TRUE, 0)) << "not done in 90 s";
    for (HANDLE thread : threads)
        CloseHandle(thread);
    uint32_t counted = SettledClicks() - base;
    EXPECT_EQ(0, badSaves) << "a saved total outside the clicks counted around its save";
    EXPECT_GT(rounds, 1) << "the main thread worked while the signals came";
    EXPECT_TRUE(counted > 0 && counted <= 40000u) << counted;
    for (int p : {PeriodSession, PeriodMonth, PeriodYear, PeriodTotal})
        EXPECT_EQ(static_cast<int32_t>(counted), ReadCount(&CounterSet.Current[p])) << p;
    EXPECT_EQ(static_cast<int64_t>(counted), movedDay + ReadCount(&CounterSet.Current[PeriodDay]))
        << "each click is in the day moved to last or in the new day, never lost";
    int32_t week = ReadCount(&CounterSet.Current[PeriodWeek]);
    EXPECT_TRUE(week >= 0 && static_cast<uint32_t>(week) <= counted) << week;
    DeleteProductKey();
}
