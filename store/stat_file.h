#pragma once
// Appending to the statistics files in the program's folder. Win32.

#include <cstdint>

// Appends text to a file, creating it when missing, while others may only
// read it. Returns 1 when all of it was written.
int AppendToFile(const char* fileName, const char* text);

// Appends the line of a finished Day, Month or Year, dated with the stored
// date, to its file in the folder "Path". Any failure loses only this line.
void AppendStatLine(int period, int32_t count);
