#pragma once
// The answer of the platform's "full path of this program" call. Platform-free.

#include <cstdint>

// 1 when the answer length means that the whole path was read into a buffer
// of size characters: more than 0 (0 is the call's failure) and, since a cut
// path comes back as long as the buffer, less than size.
int ModulePathComplete(uint32_t length, int size);
