// A library that looks like the hook library but lacks TallywhirlReset: the
// program must refuse it as it refuses a missing one.
#include <windows.h>

extern "C" __declspec(dllexport) void WINAPI TallywhirlInit(HMODULE) {}
