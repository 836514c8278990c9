#pragma once
// Appending to the statistics files in the program's folder. Win32.

#include <cstdint>

// The full name of a period's statistics file in the folder "Path". Returns
// 0 with out emptied when there is no folder or the name does not fit.
int StatFileName(char* out, int size, int period);

// Appends the line of a finished Day, Month or Year, dated with the stored
// date, to its file in the folder "Path". Any failure loses only this line.
void AppendStatLine(int period, int32_t count);
