// Planted beside a program under a system library's name, as a download may
// be: once loaded it leaves NAME.loaded beside itself and refuses to load.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    char path[MAX_PATH + 8];
    DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (reason == DLL_PROCESS_ATTACH && length > 0 && length < MAX_PATH)
        CloseHandle(CreateFileA(lstrcatA(path, ".loaded"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                0, nullptr));
    return FALSE;
}
