#include "tick.h"

int AdvanceTick(TickState* state) {
    // Wraps like the 32-bit count it is rather than overflowing.
    state->TimerTicks = static_cast<int32_t>(static_cast<uint32_t>(state->TimerTicks) + 1u);
    int due = 0;
    if (state->TimerTicks % 30 == 0)
        due |= TickSave;
    if (state->TimerTicks % 10 == 0)
        due |= TickWatchdog;
    return due;
}

int WatchdogWantsRehook(TickState* state, uint32_t clicks) {
    if (!state->HookMissing &&
        (clicks != state->WatchdogSnapshot || clicks == state->LastRehookCount))
        return 0;
    state->LastRehookCount = clicks;
    return 1;
}

void WatchdogSettle(TickState* state, uint32_t clicks) {
    state->WatchdogSnapshot = clicks;
}

static void RunWatchdog(TickState* state, const TickSteps* steps) {
    uint32_t clicks = steps->ReadClicks();
    if (WatchdogWantsRehook(state, clicks)) {
        state->HookMissing = !steps->Rehook();
        // Clicks counted during the re-installation belong to this check.
        clicks = steps->ReadClicks();
    }
    WatchdogSettle(state, clicks);
}

int RunTick(TickState* state, const TickSteps* steps) {
    steps->CheckDate();
    steps->UpdateSessionClock();
    steps->ShowClock();
    int due = AdvanceTick(state);
    if (due & TickSave)
        steps->Save();
    if (due & TickWatchdog)
        RunWatchdog(state, steps);
    return due;
}
