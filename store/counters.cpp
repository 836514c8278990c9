// The counts' life in the registry: loaded once at the start of a counting
// run, saved on the timer, at rollovers, commands and the end.
#include "counters.h"
#include "counter_set.h"
#include "registry.h"
#include "value_names.h"
#include "../base/path_join.h"
#include "../base/program.h"

static const DWORD ReleaseNumber = 102;

static DWORD ReadNumber(const char* name) {
    DWORD value = 0;
    ReadProductValue(name, REG_DWORD, &value, sizeof value);
    return value;
}

static void WriteNumber(const char* name, DWORD value) {
    WriteProductValue(name, REG_DWORD, &value, sizeof value);
}

static DWORD ReadStoredNumber(int id) {
    DWORD value = 0;
    ReadStoredValue(id, &value, sizeof value);
    return value;
}

// The stored date's fields, in the layout's order from ValueDateYear.
static uint32_t* const DateFields[4] = {&CounterSet.DateYear, &CounterSet.DateMonth,
                                        &CounterSet.DateWeek, &CounterSet.DateDay};

// The name of a period's figure: figureId is "Current" or "Last".
static int CounterName(char* out, int figureId, int nameId) {
    return BuildValueName(out, NameBufferSize, LoadResString(figureId), LoadResString(nameId));
}

static int32_t ReadCounter(int figureId, int nameId) {
    char name[NameBufferSize];
    if (!CounterName(name, figureId, nameId))
        return 0;
    return static_cast<int32_t>(ReadNumber(name));
}

static void WriteCounter(int figureId, int nameId, int32_t value) {
    char name[NameBufferSize];
    if (CounterName(name, figureId, nameId))
        WriteNumber(name, static_cast<DWORD>(value));
}

// "C:" for a program in a drive's root, as the statistics files' names
// then join it.
static void RecordProgramFolder() {
    char path[PathBufferSize], folder[PathBufferSize];
    if (GetProgramPath(path, sizeof path) && ParentFolder(folder, sizeof folder, path) && folder[0])
        WriteStoredValue(ValuePath, folder, 0);
}

void LoadCounters() {
    SYSTEMTIME today;
    GetLocalTime(&today);
    WriteStoredValue(ValueRelease, &ReleaseNumber, sizeof ReleaseNumber);
    RecordProgramFolder();
    CounterSet.OptionAutostart = ReadStoredNumber(ValueOptionAutostart) != 0;

    for (int i = 0; i < 4; i++)
        *DateFields[i] = ReadStoredNumber(ValueDateYear + i);
    if (!CounterSet.DateYear || !CounterSet.DateMonth || !CounterSet.DateDay) {
        CounterSet.DateYear = today.wYear;
        CounterSet.DateMonth = today.wMonth;
        CounterSet.DateWeek = today.wDayOfWeek;
        CounterSet.DateDay = today.wDay;
    }

    for (int p = PeriodSession; p < PeriodsWithLast; p++) {
        WriteCount(&CounterSet.Current[p], ReadCounter(IDS_CURRENT, PeriodNameIds[p]));
        WriteCount(&CounterSet.Last[p], ReadCounter(IDS_LAST, PeriodNameIds[p]));
    }
    WriteCount(&CounterSet.Current[PeriodTotal], ReadCounter(IDS_CURRENT, IDS_TOTAL));
}

void StoreAutostartOption(int on) {
    DWORD stored = on != 0;
    CounterSet.OptionAutostart = stored;
    WriteStoredValue(ValueOptionAutostart, &stored, sizeof stored);
}

void SaveCounters() {
    for (int i = 0; i < 4; i++)
        WriteStoredValue(ValueDateYear + i, DateFields[i], sizeof *DateFields[i]);

    // The running session is stored as the last one: every run starts at 0.
    WriteCounter(IDS_CURRENT, IDS_SESSION, 0);
    WriteCounter(IDS_LAST, IDS_SESSION, ReadCount(&CounterSet.Current[PeriodSession]));
    for (int p = PeriodDay; p < PeriodsWithLast; p++) {
        WriteCounter(IDS_CURRENT, PeriodNameIds[p], ReadCount(&CounterSet.Current[p]));
        WriteCounter(IDS_LAST, PeriodNameIds[p], ReadCount(&CounterSet.Last[p]));
    }
    WriteCounter(IDS_CURRENT, IDS_TOTAL, ReadCount(&CounterSet.Current[PeriodTotal]));
}
