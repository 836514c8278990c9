// What a running program holds, seen from another process:
//
//   footprint_bench CLASS   prints "commit private handles-asked handles-counted"
//                           for the process of CLASS's window
//
// commit and private are PagefileUsage and PrivateUsage of GetProcessMemoryInfo
// in bytes (on Windows both are the process's commit charge); handles-asked is
// what GetProcessHandleCount answers, handles-counted the process's entries in
// the system's handle table. Both are printed because Wine fills only some of
// them: the script says which one it reports.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

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

// The process's entries in the system's handle table, or -1 when it cannot be read.
static long HandlesInTable(DWORD processId) {
    QuerySystemProc query = reinterpret_cast<QuerySystemProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return -1;
    for (ULONG size = 1 << 20; size <= 1 << 26; size *= 2) {
        HandleTable* table = static_cast<HandleTable*>(malloc(size));
        if (!table)
            return -1;
        ULONG needed = 0;
        long owned = -1;
        if (query(SystemHandleInformation, table, size, &needed) == 0)
            owned = long(CountOwnedHandles(table, size, processId));
        free(table);
        if (owned >= 0)
            return owned;
    }
    return -1;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: footprint_bench CLASS\n");
        return 2;
    }
    HWND window = FindWindowA(argv[1], nullptr);
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId)) {
        fprintf(stderr, "no window of class %s\n", argv[1]);
        return 1;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) {
        fprintf(stderr, "cannot open process %lu\n", static_cast<unsigned long>(processId));
        return 1;
    }
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    DWORD handles = 0;
    BOOL memoryRead = GetProcessMemoryInfo(
        process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    BOOL handlesRead = GetProcessHandleCount(process, &handles);
    CloseHandle(process);
    if (!memoryRead || !handlesRead) {
        fprintf(stderr, "GetProcessMemoryInfo or GetProcessHandleCount failed\n");
        return 1;
    }
    printf("%lu %lu %lu %ld\n", static_cast<unsigned long>(memory.PagefileUsage),
           static_cast<unsigned long>(memory.PrivateUsage), static_cast<unsigned long>(handles),
           HandlesInTable(processId));
    return 0;
}
