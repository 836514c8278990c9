// The one-second tick's order of work and its counts, apart from the
// platform, so that the host tests can run whole ticks.
#include "tick.h"

// Counts one tick and says what is due on it: TickSave on every 30th,
// TickWatchdog on every 10th.
static int AdvanceTick(TickState* state) {
    // Wraps like the 32-bit count it is rather than overflowing.
    state->TimerTicks = static_cast<int32_t>(static_cast<uint32_t>(state->TimerTicks) + 1u);
    int due = 0;
    if (state->TimerTicks % 30 == 0)
        due |= TickSave;
    if (state->TimerTicks % 10 == 0)
        due |= TickWatchdog;
    return due;
}

// Asked with the clicks counted so far: 1 when the last installation failed
// (without a hook no click can come to say so), or when no click came since
// the last check although one came since the last re-installation; the
// re-installation is then recorded, so that it comes once a quiet spell.
static int RecordRehookIfDue(TickState* state, uint32_t clicks) {
    if (!state->HookMissing &&
        (clicks != state->WatchdogSnapshot || clicks == state->LastRehookCount))
        return 0;
    state->LastRehookCount = clicks;
    return 1;
}

// Ends a watchdog check with the clicks counted as it ends.
static void WatchdogSettle(TickState* state, uint32_t clicks) {
    state->WatchdogSnapshot = clicks;
}

static void RunWatchdog(TickState* state, const TickSteps* steps) {
    uint32_t clicks = steps->ReadClicks();
    if (RecordRehookIfDue(state, clicks)) {
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
