#pragma once
// The rollover check against the local clock. Win32.

#include "calendar_time.h"

// The local date and time: the rollover's only reading of the clock.
void ReadLocalTime(CalendarTime* now);

// Closes the periods that have ended by today, writes their lines, moves the
// stored date to today and saves; does nothing when today is the stored date.
void CheckDateOn(const CalendarTime* today);
