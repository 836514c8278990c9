#pragma once
// Registry operations: each returns 1 on success and 0 on failure; a value
// or key that is not there counts as deleted. Win32.

#include <windows.h>

int WriteRegValue(HKEY root, const char* subKey, const char* name, DWORD type, const void* data,
                  int size);
int ReadRegValue(HKEY root, const char* subKey, const char* name, DWORD type, void* data, int size);
int DeleteRegValue(HKEY root, const char* subKey, const char* name);
int DeleteRegKey(HKEY root, const char* subKey);

// The product key, under HKEY_LOCAL_MACHINE: the counts, the program's
// folder and its one option. Its parent is the maker's key.
#define PRODUCT_KEY_BELOW_SOFTWARE "Larkspoon Software\\Tallywhirl"
inline constexpr char ProductKey[] = "Software\\" PRODUCT_KEY_BELOW_SOFTWARE;

// The same operations in the product key.
int WriteProductValue(const char* name, DWORD type, const void* data, int size);
int ReadProductValue(const char* name, DWORD type, void* data, int size);

// The product key's layout: every value in it but the counts, each named
// once here, with its type. The counts are REG_DWORD values named
// "Counter" + "Current" or "Last" + the period's name (BuildValueName), from
// the string table.
enum ProductValueId {
    ValueRelease,         // REG_DWORD, the release that last ran
    ValuePath,            // REG_SZ, the program's folder
    ValueOptionAutostart, // REG_DWORD, starting with Windows chosen (nonzero)
    ValueDateYear,        // REG_DWORD each: the stored date, the day the counts are of
    ValueDateMonth,
    ValueDateWeek, // weekday, 0 = Sunday
    ValueDateDay,
    ProductValueCount
};
struct ProductValueLayout {
    const char* Name;
    DWORD Type;
};
extern const ProductValueLayout ProductValues[ProductValueCount];

// A value of the product key by its place in the layout.
int WriteStoredValue(int id, const void* data, int size);
int ReadStoredValue(int id, void* data, int size);
