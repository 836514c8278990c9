#pragma once
// Loading and saving the counter set, and the period rollover. Win32.

void LoadCounters();
void SaveCounters();
void CheckDate();
