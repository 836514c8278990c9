#include <gtest/gtest.h>

#include <cstring>

#include "res/resource_ids.h"
#include "ui/counter_resets.h"

namespace {

CounterSetFields Filled() {
    CounterSetFields set = {};
    for (int p = 0; p < PeriodCount; p++)
        set.Current[p] = 100 + p;
    for (int p = 0; p < LastCount; p++)
        set.Last[p] = 10 + p;
    set.DateYear = 2002;
    set.OptionAutostart = 1;
    return set;
}

} // namespace

TEST(CounterResets, ANewSessionMovesTheSessionCountToLast) {
    CounterSetFields set = Filled();
    set.Current[PeriodSession] = 80;
    BeginNewSession(&set);
    EXPECT_EQ(80, set.Last[PeriodSession]);
    EXPECT_EQ(0, set.Current[PeriodSession]);
    for (int p = PeriodDay; p < PeriodCount; p++)
        EXPECT_EQ(100 + p, set.Current[p]) << "period " << p;
    for (int p = PeriodDay; p < LastCount; p++)
        EXPECT_EQ(10 + p, set.Last[p]) << "period " << p;
}

TEST(CounterResets, ResettingOnePeriodClearsItsCurrentAndLastOnly) {
    for (int period = PeriodSession; period < PeriodTotal; period++) {
        CounterSetFields set = Filled();
        ResetCounter(&set, period);
        for (int p = 0; p < PeriodCount; p++)
            EXPECT_EQ(p == period ? 0 : 100 + p, set.Current[p]) << "reset " << period;
        for (int p = 0; p < LastCount; p++)
            EXPECT_EQ(p == period ? 0 : 10 + p, set.Last[p]) << "reset " << period;
        EXPECT_EQ(2002u, set.DateYear);
    }
}

TEST(CounterResets, ResettingTotalLeavesEveryLastCount) {
    CounterSetFields set = Filled();
    ResetCounter(&set, PeriodTotal);
    EXPECT_EQ(0, set.Current[PeriodTotal]);
    for (int p = 0; p < LastCount; p++) {
        EXPECT_EQ(100 + p, set.Current[p]);
        EXPECT_EQ(10 + p, set.Last[p]);
    }
}

TEST(CounterResets, APeriodOutsideTheTableChangesNothing) {
    CounterSetFields set = Filled();
    ResetCounter(&set, -1);
    ResetCounter(&set, PeriodCount);
    CounterSetFields same = Filled();
    EXPECT_EQ(0, memcmp(&same, &set, sizeof set));
}

TEST(CounterResets, ResettingAllClearsElevenCountsAndKeepsDateAndOption) {
    CounterSetFields set = Filled();
    ResetAllCounters(&set);
    for (int p = 0; p < PeriodCount; p++)
        EXPECT_EQ(0, set.Current[p]);
    for (int p = 0; p < LastCount; p++)
        EXPECT_EQ(0, set.Last[p]);
    EXPECT_EQ(2002u, set.DateYear);
    EXPECT_EQ(1u, set.OptionAutostart);
}

TEST(CounterResets, EachResetButtonNamesItsPeriod) {
    EXPECT_EQ(PeriodSession, PeriodOfResetCommand(1007));
    EXPECT_EQ(PeriodDay, PeriodOfResetCommand(1008));
    EXPECT_EQ(PeriodWeek, PeriodOfResetCommand(1009));
    EXPECT_EQ(PeriodMonth, PeriodOfResetCommand(1011));
    EXPECT_EQ(PeriodYear, PeriodOfResetCommand(1017));
    EXPECT_EQ(PeriodTotal, PeriodOfResetCommand(1018));
    EXPECT_EQ(-1, PeriodOfResetCommand(1012)) << "reset all is not a single counter";
    EXPECT_EQ(-1, PeriodOfResetCommand(1002));
    EXPECT_EQ(-1, PeriodOfResetCommand(0));
}
