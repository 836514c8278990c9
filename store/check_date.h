#pragma once
// The rollover check against the local clock. Win32.

#include "calendar_time.h"

// Told when a rollover has moved the counts, before they are saved: the
// display is redrawn first, then the counts are saved.
typedef void (*CountsMoved)();

// Closes the periods that have ended by the local date, writes their lines,
// moves the stored date to today, tells moved and saves; does nothing when
// today is the stored date.
void CheckDate(CountsMoved moved);
