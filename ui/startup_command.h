#pragma once
// The start-up entry's command (see JoinCommand) and the program's path it
// is made of. Platform-free.

#include <cstdint>

// The program's path is read into this many characters, terminator included.
inline constexpr int ModulePathSize = 256;

// Room for any path that fits ModulePathSize, its quotes, the blank, the
// switch and the terminator, so that a long path never leaves the entry unwritten.
inline constexpr int StartupCommandSize = ModulePathSize + 16;

// 1 when the platform's answer length means that the whole path was read
// into a buffer of size characters: more than 0 and, since a cut path comes
// back as long as the buffer, less than size.
int ModulePathComplete(uint32_t length, int size);
