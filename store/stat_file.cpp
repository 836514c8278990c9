// The statistics files: a finished period's line appended to its file in the
// program's folder, where a user may read it while the program runs.
#include "stat_file.h"
#include "counter_set.h"
#include "registry.h"
#include "stat_lines.h"
#include "../base/program.h"

#include <cstring>

static HANDLE OpenWith(const char* fileName, DWORD disposition) {
    return CreateFileA(fileName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Appends text to a file, creating it when missing, while others may only
// read it. Returns 1 when all of it was written.
static int AppendToFile(const char* fileName, const char* text) {
    HANDLE file = OpenWith(fileName, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        file = OpenWith(fileName, CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    // A line written anywhere but at the end would overwrite older ones.
    LARGE_INTEGER end = {};
    if (!SetFilePointerEx(file, end, nullptr, FILE_END)) {
        CloseHandle(file);
        return 0;
    }
    DWORD length = static_cast<DWORD>(strlen(text));
    DWORD written = 0;
    BOOL wrote = WriteFile(file, text, length, &written, nullptr);
    CloseHandle(file);
    return wrote && written == length;
}

int StatFileName(char* out, int size, int period) {
    char folder[StatBufferSize];
    ReadStoredValue(ValuePath, folder, sizeof folder);
    return FormatStatFileName(out, size, folder, LoadResString(PeriodNameIds[period]));
}

void AppendStatLine(int period, int32_t count) {
    char line[StatBufferSize];
    if (!FormatStatLine(line, sizeof line, period, CounterSet.DateYear, CounterSet.DateMonth,
                        CounterSet.DateDay, count))
        return;
    char fileName[StatBufferSize];
    if (StatFileName(fileName, sizeof fileName, period))
        AppendToFile(fileName, line);
}
