#pragma once
// The one-second tick's rules: when to save, when the hook watchdog looks,
// when it re-installs the hook, and the order in which a tick does its
// work. Platform-free.

#include <cstdint>

struct TickState {
    int32_t TimerTicks;
    uint32_t WatchdogSnapshot; // clicks since start at the previous watchdog check
    uint32_t LastRehookCount;  // clicks since start when the hook was last re-installed
    int32_t HookMissing;       // 1 when the last installation of the hook failed
};

enum { TickSave = 1, TickWatchdog = 2 };

// The work a tick hands to the platform, each step done when the tick says.
struct TickSteps {
    void (*CheckDate)();
    void (*UpdateSessionClock)();
    void (*ShowClock)(); // redraws the clock cell while the statistics page exists
    void (*Save)();
    uint32_t (*ReadClicks)();
    int (*Rehook)(); // removes the hook, waits briefly, installs it again: 1 if set
};

// One tick, in order: rollover check, session clock, clock display, the
// save on every 30th tick, the watchdog on every 10th. Returns what was due.
int RunTick(TickState* state, const TickSteps* steps);
