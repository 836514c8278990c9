#pragma once
// Registry helpers of the Wine tests: direct advapi32 calls that set up and
// inspect the product key without going through the code under test.

#include <windows.h>

#include <sddl.h>

#include <string>

static const char ProductKeyPath[] = "Software\\Larkspoon Software\\Tallywhirl";
static const char MakerKeyPath[] = "Software\\Larkspoon Software";

// Removes the product key and its maker key, whatever they hold.
inline void DeleteProductKey() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, MakerKeyPath);
}

inline bool ProductKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Stores a value of any type and size straight into the product key.
inline void PutRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    DWORD disposition;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, &disposition);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

inline void PutDword(const char* name, DWORD value) {
    PutRaw(name, REG_DWORD, &value, sizeof value);
}

struct RawValue {
    bool found;
    DWORD type;
    std::string bytes;
};

inline RawValue GetRaw(const char* subKey, const char* name) {
    RawValue value = {false, 0, std::string(4096, '\0')};
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = value.bytes.size();
    value.found =
        RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(&value.bytes[0]),
                         &size) == ERROR_SUCCESS;
    value.bytes.resize(value.found ? size : 0);
    RegCloseKey(key);
    return value;
}

inline RawValue GetProductRaw(const char* name) {
    return GetRaw(ProductKeyPath, name);
}

// The product value as a 4-byte REG_DWORD, or -1 as text when it is not one.
inline std::string DwordText(const char* name) {
    RawValue value = GetProductRaw(name);
    if (!value.found)
        return "missing";
    if (value.type != REG_DWORD || value.bytes.size() != 4)
        return "type " + std::to_string(value.type) + " size " + std::to_string(value.bytes.size());
    DWORD number;
    memcpy(&number, value.bytes.data(), 4);
    return std::to_string(number);
}

// The names of all values in the product key, in enumeration order.
inline std::string ProductValueNames() {
    std::string names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "no key";
    char name[256];
    for (DWORD i = 0;; i++) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names += std::string(names.empty() ? "" : " ") + name;
    }
    RegCloseKey(key);
    return names;
}

// Gives the product key an access list in the platform's descriptor
// language, for instance one that denies everyone KEY_SET_VALUE (0x2).
// Wine honours a key's access list when the key is opened.
inline bool SetProductKeyAccess(const char* descriptor) {
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                              &security, nullptr))
        return false;
    HKEY key;
    bool set = false;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
        set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    LocalFree(security);
    return set;
}

static const char DenySetValue[] = "D:(D;;0x2;;;WD)(A;;KA;;;WD)";
static const char AllowAll[] = "D:(A;;KA;;;WD)";
