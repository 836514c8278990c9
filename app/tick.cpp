#include "tick.h"

int AdvanceTick(TickState* state) {
    state->TimerTicks++;
    int due = 0;
    if (state->TimerTicks % 30 == 0)
        due |= TickSave;
    if (state->TimerTicks % 10 == 0)
        due |= TickWatchdog;
    return due;
}

int WatchdogWantsRehook(TickState* state, uint32_t clicks) {
    if (clicks != state->WatchdogSnapshot || clicks == state->LastRehookCount)
        return 0;
    state->LastRehookCount = clicks;
    return 1;
}

void WatchdogSettle(TickState* state, uint32_t clicks) {
    state->WatchdogSnapshot = clicks;
}

uint32_t SessionSecondsAt(uint32_t nowTick, uint32_t startTick) {
    return (nowTick - startTick) / 1000;
}
