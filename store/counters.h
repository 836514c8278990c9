#pragma once
// Loading and saving the counter set in the product key. Win32.

void LoadCounters();
void SaveCounters();
