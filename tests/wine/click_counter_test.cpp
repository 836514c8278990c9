// The counting thread against Wine's real named event, threads and registry;
// the event's security as sandboxed processes meet it.
#include "capture/capture.h"
#include "scratch_key_and_folder.h"
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

// On Windows a process of low integrity (a sandboxed browser) may write to
// an object only when the object's label is low too: under the default,
// medium, its hook could not signal. Wine has no integrity levels, so the
// label and the access list are read back; the user's rights show as a later
// copy of the program opens the event again, which hooked processes keep.
static void ExpectLowLabelAndSignalOnlyForOthers(HANDLE event) {
    alignas(8) char security[1024], user[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    DWORD size = 0;
    BOOL present = FALSE, defaulted = FALSE;
    PACL lists[2] = {}; // the label, the access list
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
                GetTokenInformation(token, TokenUser, user, sizeof user, &size) &&
                GetKernelObjectSecurity(event,
                                        DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION,
                                        security, sizeof security, &size) &&
                GetSecurityDescriptorSacl(security, &present, &lists[0], &defaulted) &&
                GetSecurityDescriptorDacl(security, &present, &lists[1], &defaulted) && lists[0] &&
                lists[1])
        << "no user, label or access list (everyone may do anything), error " << GetLastError();
    CloseHandle(token);
    std::string entries;
    for (PACL list : lists)
        for (DWORD i = 0; i < list->AceCount; i++) {
            ACCESS_ALLOWED_ACE* ace = nullptr; // a label's entry has the same layout
            char* sid = nullptr;
            if (!GetAce(list, i, reinterpret_cast<void**>(&ace)) ||
                !ConvertSidToStringSidA(&ace->SidStart, &sid)) {
                entries += "unreadable; ";
                continue;
            }
            bool own = EqualSid(&ace->SidStart, reinterpret_cast<TOKEN_USER*>(user)->User.Sid);
            entries += std::to_string(ace->Header.AceType) +
                       (own ? " the user; " : " " + std::to_string(ace->Mask) + " " + sid + "; ");
            LocalFree(sid);
        }
    EXPECT_EQ("17 1 S-1-16-4096; 0 the user; 0 2 S-1-1-0; ", entries)
        << "a low label keeping out writes from below; the user; everyone only signalling";
    HANDLE again = CreateEventA(nullptr, FALSE, FALSE, "TallywhirlEvent");
    EXPECT_NE(nullptr, again) << "a later copy cannot open the event: " << GetLastError();
    CloseHandle(again);
}

using ClickCounter = ScratchKey;

// Forty thousand signals from four threads while the main thread moves,
// clears and saves the counts: every count stays whole and agrees with the
// wake-ups the counting thread saw.
TEST_F(ClickCounter, SignalsAgainstMovesResetsAndSavesLoseNoClick) {
    LoadedTallywhirlInit = HookSet;
    StartClickCapture(nullptr);
    ASSERT_NE(nullptr, ClickEvent);
    ExpectLowLabelAndSignalOnlyForOthers(ClickEvent);
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
        DWORD saved = strtoul(StoredText("CounterCurrentTotal").c_str(), nullptr, 10);
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
        EXPECT_EQ(static_cast<int32_t>(counted), ReadCount(&CounterSet.Current[p]))
            << "period " << p;
    EXPECT_EQ(static_cast<int64_t>(counted), movedDay + ReadCount(&CounterSet.Current[PeriodDay]))
        << "each click is in the day moved to last or in the new day, never lost";
    int32_t week = ReadCount(&CounterSet.Current[PeriodWeek]);
    EXPECT_TRUE(week >= 0 && static_cast<uint32_t>(week) <= counted) << week;
}
