#pragma once
// Loading and saving the counter set in the product key. Win32.

void LoadCounters();
void SaveCounters();

// The start-with-Windows option, as the options page changed it: kept in
// the counter set and stored at once.
void StoreAutostartOption(int on);
