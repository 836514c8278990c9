// The counters' value names and which stored values may be used.
#include "value_names.h"

#include "../base/bounded_format.h"

#include <cstring>

enum { TypeText = 1, TypeNumber = 4 }; // REG_SZ, REG_DWORD

int BuildValueName(char* out, int size, const char* figure, const char* period) {
    return FormatBounded(out, size, "Counter%s%s", figure, period);
}

int StoredValueUsable(unsigned long requestedType, unsigned long storedType,
                      unsigned long storedSize, const char* bytes, int capacity) {
    if (storedSize == 0 || capacity <= 0 || storedSize > static_cast<unsigned long>(capacity))
        return 0;
    switch (requestedType) {
    case TypeNumber:
        return storedType == TypeNumber && storedSize == 4;
    case TypeText:
        return storedType == TypeText && memchr(bytes, 0, capacity) != nullptr;
    }
    return 1;
}
