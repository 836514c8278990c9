#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/tick.h"

// The steps a tick took, in order, as one letter each: D rollover check,
// C session clock, S clock display, V save, R re-hook; Rk reads the clicks.
static std::string Steps;
static uint32_t Clicks;
static int Rehooks;
static uint32_t ClicksDuringRehook;

static void RecordCheckDate() {
    Steps += 'D';
}
static void RecordClock() {
    Steps += 'C';
}
static void RecordShowClock() {
    Steps += 'S';
}
static void RecordSave() {
    Steps += 'V';
}
static uint32_t RecordReadClicks() {
    Steps += 'k';
    return Clicks;
}
static int HookSets = 1;
static int RecordRehook() {
    Steps += 'R';
    Rehooks++;
    Clicks += ClicksDuringRehook;
    return HookSets;
}

static const TickSteps Recorder = {RecordCheckDate, RecordClock,      RecordShowClock,
                                   RecordSave,      RecordReadClicks, RecordRehook};

class Tick : public testing::Test {
  protected:
    void SetUp() override {
        Steps.clear();
        Clicks = 0;
        Rehooks = 0;
        ClicksDuringRehook = 0;
        HookSets = 1;
    }

    // Runs ticks up to and including tick `last`, with `perTick` clicks
    // counted before each; returns the tick numbers that re-hooked.
    std::string RunUntil(int last, uint32_t perTick) {
        std::string rehookedAt;
        while (state.TimerTicks < last) {
            Clicks += perTick;
            int before = Rehooks;
            RunTick(&state, &Recorder);
            if (Rehooks != before)
                rehookedAt += std::to_string(state.TimerTicks) + " ";
        }
        return rehookedAt;
    }

    TickState state = {};
};

TEST_F(Tick, OrdinaryTicksCheckTheDateThenTheClockAndNothingElse) {
    EXPECT_EQ(0, RunTick(&state, &Recorder));
    EXPECT_EQ("DCS", Steps);
    EXPECT_EQ(1, state.TimerTicks);
}

TEST_F(Tick, TheTenthTickRunsTheWatchdogAfterTheClock) {
    RunUntil(9, 0);
    Steps.clear();
    EXPECT_EQ(TickWatchdog, RunTick(&state, &Recorder));
    EXPECT_EQ("DCSk", Steps) << "no click yet: one read of the clicks, no re-hook";
}

TEST_F(Tick, TheThirtiethTickSavesBeforeTheWatchdog) {
    RunUntil(5, 1);
    RunUntil(29, 0);
    Steps.clear();
    EXPECT_EQ(TickSave | TickWatchdog, RunTick(&state, &Recorder));
    EXPECT_EQ("DCSVk", Steps);

    RunUntil(59, 0);
    Steps.clear();
    RunTick(&state, &Recorder);
    EXPECT_EQ("DCSVk", Steps) << "tick 60 saves and finds the re-hook already done";
}

TEST_F(Tick, SavesComeEveryThirtiethTickAndChecksEveryTenth) {
    int saves = 0, checks = 0;
    for (int i = 0; i < 300; i++) {
        int due = RunTick(&state, &Recorder);
        saves += (due & TickSave) != 0;
        checks += (due & TickWatchdog) != 0;
    }
    EXPECT_EQ(10, saves);
    EXPECT_EQ(30, checks);
}

TEST_F(Tick, WithoutAnyClickTheHookIsNeverReinstalled) {
    EXPECT_EQ("", RunUntil(1000, 0));
    EXPECT_EQ(0, Rehooks);
}

TEST_F(Tick, ClicksThatKeepComingNeverReinstallTheHook) {
    EXPECT_EQ("", RunUntil(200, 1));
}

TEST_F(Tick, AQuietSpellAfterClicksReinstallsOnceAtItsFirstCheck) {
    EXPECT_EQ("", RunUntil(10, 1)) << "clicks during ticks 1 to 10";
    EXPECT_EQ("20 ", RunUntil(20, 0)) << "none during ticks 11 to 20";
    EXPECT_EQ("", RunUntil(30, 0)) << "tick 30 finds no click since the re-hook";
    EXPECT_EQ("", RunUntil(100, 0));
    EXPECT_EQ(1, Rehooks);
}

TEST_F(Tick, EachQuietSpellReinstallsOnce) {
    RunUntil(10, 1);
    EXPECT_EQ("20 ", RunUntil(40, 0));
    EXPECT_EQ("", RunUntil(45, 1)) << "clicks again during ticks 41 to 45";
    EXPECT_EQ("60 ", RunUntil(80, 0)) << "tick 50 still saw clicks; tick 60 saw none";
}

TEST_F(Tick, ClicksDuringTheReinstallationAreNotTakenForAQuietSpell) {
    RunUntil(10, 1);
    ClicksDuringRehook = 1;
    EXPECT_EQ("20 ", RunUntil(20, 0));
    EXPECT_EQ(11u, state.WatchdogSnapshot) << "the snapshot is read after the re-hook";
    ClicksDuringRehook = 0;
    EXPECT_EQ("", RunUntil(29, 0));
    EXPECT_EQ("30 ", RunUntil(30, 0))
        << "the click during the re-hook came after it: the next quiet check re-hooks";
}

TEST_F(Tick, AFailedInstallationIsTriedAgainAtEachCheckUntilItHolds) {
    state.HookMissing = 1; // the installation at start failed: no click can come
    HookSets = 0;
    EXPECT_EQ("10 20 ", RunUntil(20, 0));
    EXPECT_EQ(1, state.HookMissing);
    HookSets = 1;
    EXPECT_EQ("30 ", RunUntil(30, 0));
    EXPECT_EQ(0, state.HookMissing);
    EXPECT_EQ("", RunUntil(60, 0)) << "set, and no click since start: nothing to mend";
    EXPECT_EQ("", RunUntil(70, 1));
    HookSets = 0;
    EXPECT_EQ("80 ", RunUntil(80, 0)) << "a quiet spell re-hooks, and that fails";
    EXPECT_EQ("90 ", RunUntil(90, 1)) << "tried again although clicks came";
}

TEST_F(Tick, TheWatchdogRuleOnItsOwn) {
    TickState s = {};
    EXPECT_FALSE(WatchdogWantsRehook(&s, 0)) << "no click since start";
    s.WatchdogSnapshot = 7;
    EXPECT_FALSE(WatchdogWantsRehook(&s, 8)) << "a click since the last check";
    EXPECT_TRUE(WatchdogWantsRehook(&s, 7));
    EXPECT_EQ(7u, s.LastRehookCount);
    EXPECT_FALSE(WatchdogWantsRehook(&s, 7)) << "already re-hooked at this count";
    WatchdogSettle(&s, 9);
    EXPECT_EQ(9u, s.WatchdogSnapshot);
}

TEST_F(Tick, TheWatchdogWorksAcrossAWrapOfTheClickCount) {
    Clicks = UINT32_MAX - 2;
    state.WatchdogSnapshot = Clicks;
    state.LastRehookCount = Clicks;
    EXPECT_EQ("", RunUntil(10, 1));
    EXPECT_EQ(UINT32_MAX - 2 + 10u, Clicks) << "the count wrapped";
    EXPECT_EQ("20 ", RunUntil(20, 0));
}

TEST_F(Tick, TheTickCountWrapsWithoutOverflowing) {
    state.TimerTicks = INT32_MAX - 1;
    RunTick(&state, &Recorder);
    EXPECT_EQ(INT32_MAX, state.TimerTicks);
    RunTick(&state, &Recorder);
    EXPECT_EQ(INT32_MIN, state.TimerTicks);
    Steps.clear();
    RunTick(&state, &Recorder);
    EXPECT_EQ("DCS", Steps);
}

TEST(SessionClock, CountsWholeSecondsTruncated) {
    EXPECT_EQ(0u, SessionSecondsAt(1000, 1000));
    EXPECT_EQ(0u, SessionSecondsAt(1999, 1000));
    EXPECT_EQ(1u, SessionSecondsAt(2000, 1000));
    EXPECT_EQ(3600u, SessionSecondsAt(3600000 + 5, 5));
}

TEST(SessionClock, StaysRightAcrossAWrapOfTheTickCount) {
    uint32_t start = UINT32_MAX - 1500; // 1.5 s before the wrap
    EXPECT_EQ(1u, SessionSecondsAt(UINT32_MAX, start));
    EXPECT_EQ(1u, SessionSecondsAt(0, start)) << "1.501 s";
    EXPECT_EQ(2u, SessionSecondsAt(500, start)) << "2.001 s";
    EXPECT_EQ(11u, SessionSecondsAt(9500, start));
}

TEST(SessionClock, ReachesTheLongestSessionTheCountCanHold) {
    EXPECT_EQ(UINT32_MAX / 1000, SessionSecondsAt(41, 42)) << "2^32 - 1 ms";
    EXPECT_EQ(UINT32_MAX / 1000, SessionSecondsAt(UINT32_MAX, 0));
}
