// The statistics files' lines and names, apart from the platform.
#include "stat_lines.h"
#include "counter_set.h"
#include "../base/bounded_format.h"

int HasStatFile(int period) {
    return period == PeriodDay || period == PeriodMonth || period == PeriodYear;
}

int FormatStatLine(char* out, int size, int period, uint32_t year, uint32_t month, uint32_t day,
                   int32_t count) {
    int y = static_cast<int>(year), m = static_cast<int>(month), d = static_cast<int>(day);
    switch (period) {
    case PeriodDay:
        return FormatBounded(out, size, "%04d-%02d-%02d\t%d\r\n", y, m, d, count);
    case PeriodMonth:
        return FormatBounded(out, size, "%04d-%02d\t%d\r\n", y, m, count);
    case PeriodYear:
        return FormatBounded(out, size, "%04d\t%d\r\n", y, count);
    }
    return RefuseText(out, size);
}

int FormatStatFileName(char* out, int size, const char* folder, const char* periodName) {
    if (!folder || !folder[0] || !periodName)
        return RefuseText(out, size);
    return FormatBounded(out, size, "%s\\%s.txt", folder, periodName);
}
