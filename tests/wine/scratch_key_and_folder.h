#pragma once
// The Wine tests' own access to the product key and to a scratch folder:
// direct platform calls, so that what they set up and read back does not go
// through the code under test; and what the tests that use them include.

#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/counter_set.h"

static const char ProductKeyPath[] = "Software\\Larkspoon Software\\Tallywhirl";

// Removes the product key and its maker key, whatever they hold.
inline void DeleteProductKey() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Larkspoon Software");
}

// A test that starts and ends without the product key, with a counter set
// of 0x5A bytes: a field that the code under test leaves alone shows.
class ScratchKey : public testing::Test {
  protected:
    void SetUp() override {
        DeleteProductKey();
        memset(&CounterSet, 0x5A, sizeof CounterSet);
    }
    void TearDown() override {
        DeleteProductKey();
    }
};

// Stores a value of any type and size straight into the product key.
inline void PutRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

inline void PutDword(const char* name, DWORD value) {
    PutRaw(name, REG_DWORD, &value, sizeof value);
}

// A product value: a 4-byte REG_DWORD in decimal, a REG_SZ as "text" and
// all its bytes, anything else by its type and size; or "missing".
inline std::string StoredText(const char* name) {
    std::string bytes(4096, '\0');
    DWORD type = 0, size = bytes.size();
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "missing";
    LONG result =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
    RegCloseKey(key);
    bytes.resize(size);
    DWORD number;
    if (result != ERROR_SUCCESS)
        return "missing";
    if (type == REG_SZ)
        return "text " + bytes;
    if (type != REG_DWORD || size != 4)
        return "type " + std::to_string(type) + " size " + std::to_string(size);
    memcpy(&number, bytes.data(), 4);
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
// language; Wine honours it when the key is opened.
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

inline void RemoveScratchFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// A fresh, empty folder under the temporary folder.
inline std::string MakeScratchFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name;
    RemoveScratchFolder(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// The whole content of a file, or "<missing>".
inline std::string FileText(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}
