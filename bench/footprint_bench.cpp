// What a running program holds, seen from outside it:
//   footprint_bench minimal         a minimal window program, the baseline
//   footprint_bench handles CLASS   handles held by CLASS's process, counted in the
//                                   system's handle table (Wine answers no
//                                   per-process query about another process)
// Memory and CPU time are read by the script from the Wine processes' /proc.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A class, a hidden window and a message loop: nothing else.
static int RunMinimal() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MinimalProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TallywhirlBenchMinimal";
    RegisterClassA(&windowClass);
    CreateWindowA("TallywhirlBenchMinimal", "", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                  windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

struct HandleEntry {
    ULONG OwnerProcessId;
    BYTE ObjectType;
    BYTE Flags;
    USHORT Value;
    PVOID Object;
    ULONG Access;
};

struct HandleTable {
    ULONG Count;
    HandleEntry Entries[1];
};

typedef LONG(WINAPI* QuerySystemProc)(ULONG kind, PVOID buffer, ULONG size, PULONG needed);
enum { SystemHandleInformation = 16 };

static ULONG CountOwnedHandles(const HandleTable* table, ULONG size, DWORD processId) {
    ULONG fits = (size - sizeof(ULONG)) / sizeof(HandleEntry);
    ULONG owned = 0;
    for (ULONG i = 0; i < table->Count && i < fits; i++)
        owned += table->Entries[i].OwnerProcessId == processId;
    return owned;
}

static int PrintHandles(const char* className) {
    HWND window = FindWindowA(className, nullptr);
    if (!window) {
        fprintf(stderr, "no window of class %s\n", className);
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    QuerySystemProc query = reinterpret_cast<QuerySystemProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return 1;
    for (ULONG size = 1 << 20; size <= 1 << 26; size *= 2) {
        HandleTable* table = static_cast<HandleTable*>(malloc(size));
        if (!table)
            return 1;
        ULONG needed = 0;
        if (query(SystemHandleInformation, table, size, &needed) == 0) {
            printf("%lu\n", static_cast<unsigned long>(CountOwnedHandles(table, size, processId)));
            free(table);
            return 0;
        }
        free(table);
    }
    return 1;
}

int main(int argc, char** argv) {
    if (argc >= 2 && !strcmp(argv[1], "minimal"))
        return RunMinimal();
    if (argc >= 3 && !strcmp(argv[1], "handles"))
        return PrintHandles(argv[2]);
    fprintf(stderr, "usage: footprint_bench minimal | handles CLASS\n");
    return 2;
}
