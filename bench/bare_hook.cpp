// A mouse hook that only passes each message on: the baseline against which
// the cost of Tallywhirl's hook is measured. Built like Tallywhirl.dll.
#include <windows.h>

extern "C" BOOL WINAPI BareHookEntry(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    BareHookProc(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
