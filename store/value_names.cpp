// The counters' value names and which stored values may be used.
#include "value_names.h"

#include "../base/bounded_format.h"

#include <cstring>

enum { TypeText = 1, TypeNumber = 4 }; // REG_SZ, REG_DWORD

int BuildValueName(char* out, int size, const char* figure, const char* period) {
    return FormatBounded(out, size, "Counter%s%s", figure, period);
}

int CutToFolder(char* path) {
    if (!path)
        return 0;
    for (int i = static_cast<int>(strlen(path)) - 1; i >= 2; i--) {
        if (path[i] == '\\') {
            path[i] = '\0';
            return 1;
        }
    }
    return 0;
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
