// The session's running time, from the platform's millisecond tick, which
// wraps: only differences of it are taken.
#include "session_clock.h"

uint32_t StartTick;
uint32_t SessionSeconds;

uint32_t SessionSecondsAt(uint32_t nowTick, uint32_t startTick) {
    return (nowTick - startTick) / 1000;
}

void RestartSessionClock(uint32_t nowTick) {
    StartTick = nowTick;
    SessionSeconds = 0;
}
