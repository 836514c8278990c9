#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

extern "C" void WINAPI TallywhirlInit(HMODULE) {}

extern "C" void WINAPI TallywhirlReset() {}
