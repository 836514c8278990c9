// Registry access with every result checked: a value of the wrong type or
// size reads as a missing one, and the product key's layout.
#include "registry.h"
#include "value_names.h"

#include <cstring>

static const REGSAM KeyAccess = KEY_READ | KEY_WRITE;
// Reading asks for read rights only: a key that may be read but not written
// still gives its counts, so a save that succeeds later stores counts that
// include them rather than replacing them with a run's from zero.
static const REGSAM ReadAccess = KEY_READ;

int WriteRegValue(HKEY root, const char* subKey, const char* name, DWORD type, const void* data,
                  int size) {
    if (!data)
        return 0;
    if (size == 0 && type == REG_SZ)
        size = static_cast<int>(strlen(static_cast<const char*>(data))) + 1;
    if (size <= 0)
        return 0;
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(root, subKey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE, KeyAccess,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return 0;
    // A value that could not be set is a failed write, not a success.
    LONG result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

int ReadRegValue(HKEY root, const char* subKey, const char* name, DWORD type, void* data,
                 int size) {
    if (!data || size <= 0)
        return 0;
    memset(data, 0, size);
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, ReadAccess, &key) != ERROR_SUCCESS)
        return 0;
    DWORD storedType = 0;
    DWORD storedSize = size;
    LONG result =
        RegQueryValueExA(key, name, nullptr, &storedType, static_cast<BYTE*>(data), &storedSize);
    RegCloseKey(key);
    if (result == ERROR_SUCCESS &&
        StoredValueUsable(type, storedType, storedSize, static_cast<char*>(data), size))
        return 1;
    // A value of the wrong type or size reads as a missing one.
    memset(data, 0, size);
    return 0;
}

// What is not there is deleted already.
static int Gone(LONG result) {
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

int DeleteRegValue(HKEY root, const char* subKey, const char* name) {
    HKEY key;
    LONG opened = RegOpenKeyExA(root, subKey, 0, KeyAccess, &key);
    if (opened != ERROR_SUCCESS)
        return opened == ERROR_FILE_NOT_FOUND;
    LONG result = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return Gone(result);
}

int DeleteRegKey(HKEY root, const char* subKey) {
    return Gone(RegDeleteKeyA(root, subKey));
}

int WriteProductValue(const char* name, DWORD type, const void* data, int size) {
    return WriteRegValue(HKEY_LOCAL_MACHINE, ProductKey, name, type, data, size);
}

int ReadProductValue(const char* name, DWORD type, void* data, int size) {
    return ReadRegValue(HKEY_LOCAL_MACHINE, ProductKey, name, type, data, size);
}

const ProductValueLayout ProductValues[ProductValueCount] = {
    {"Release", REG_DWORD},  {"Path", REG_SZ},         {"OptionAutostart", REG_DWORD},
    {"DateYear", REG_DWORD}, {"DateMonth", REG_DWORD}, {"DateWeek", REG_DWORD},
    {"DateDay", REG_DWORD},
};

int WriteStoredValue(int id, const void* data, int size) {
    return WriteProductValue(ProductValues[id].Name, ProductValues[id].Type, data, size);
}

int ReadStoredValue(int id, void* data, int size) {
    return ReadProductValue(ProductValues[id].Name, ProductValues[id].Type, data, size);
}
