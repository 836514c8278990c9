#pragma once
// A scratch folder and a clean product key for the tests that run under Wine.

#include <windows.h>

#include <string>

#include "store/registry.h"

// Deletes the product key (and its maker's key when empty) so that nothing
// an earlier test left is seen.
inline void ClearProductKey() {
    DeleteRegKey(HKEY_LOCAL_MACHINE, "Software\\Larkspoon Software\\Tallywhirl");
    DeleteRegKey(HKEY_LOCAL_MACHINE, "Software\\Larkspoon Software");
}

inline void RemoveScratchFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveScratchFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
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
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

inline void WriteFileText(const std::string& fileName, const std::string& text) {
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}
