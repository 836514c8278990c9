#pragma once
// The start-up entry's command: the program's path, a blank and "-Auto".
// Platform-free.

#include "../app/module_path.h"

// Room for any path that fits ModulePathSize, the blank, the switch and the
// terminator, so that a long path never leaves the entry unwritten.
inline constexpr int StartupCommandSize = ModulePathSize + 16;

// path, one blank and autoSwitch, without quotes even when the path holds
// blanks. 0, with out empty, when that does not fit size bytes.
int FormatStartupCommand(char* out, int size, const char* path, const char* autoSwitch);
