#pragma once
// The lines and file names of the statistics files. Platform-free.

#include <cstdint>

enum { StatBufferSize = 256 };

// Whether a period has a statistics file: only Day, Month and Year do.
int HasStatFile(int period);

// The line that records a finished period, dated year-month-day, ending in
// CR LF. Returns 0 with out emptied for a period without a file or a line
// that does not fit.
int FormatStatLine(char* out, int size, int period, uint32_t year, uint32_t month, uint32_t day,
                   int32_t count);

// "folder\name.txt". Returns 0 with out emptied for an empty folder or a
// name that does not fit.
int FormatStatFileName(char* out, int size, const char* folder, const char* periodName);
