#pragma once
// The session clock: how long the computer has been in use since the
// program started or the user began a new session. Platform-free.

#include <cstdint>

// The platform's millisecond count when the session began.
extern uint32_t StartTick;
// Whole seconds since StartTick, as of the last one-second tick.
extern uint32_t SessionSeconds;

// Whole seconds from start to now of a millisecond count that wraps at 2^32.
uint32_t SessionSecondsAt(uint32_t nowTick, uint32_t startTick);

// The session begins anew at nowTick.
void RestartSessionClock(uint32_t nowTick);
