#pragma once
// The start-up entry's command: the program's path, a blank and "-Auto".
// Platform-free.

#include <cstdint>

// The program's path is read into this many characters, terminator included.
inline constexpr int ModulePathSize = 256;

// Room for any path that fits ModulePathSize, the blank, the switch and the
// terminator, so that a long path never leaves the entry unwritten.
inline constexpr int StartupCommandSize = ModulePathSize + 16;

// 1 when the platform's answer length means that the whole path was read
// into a buffer of size characters: more than 0 and, since a cut path comes
// back as long as the buffer, less than size.
int ModulePathComplete(uint32_t length, int size);

// path, one blank and autoSwitch, without quotes even when the path holds
// blanks. 0, with out empty, when that does not fit size bytes.
int FormatStartupCommand(char* out, int size, const char* path, const char* autoSwitch);
