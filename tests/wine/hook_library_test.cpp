// The hook library as the program carries and loads it: the resource inside
// Tallywhirl.exe is the freshly built Tallywhirl.dll byte for byte, and the
// loader finds both exports by name and by ordinal.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/resource_ids.h"

// The folder of this test program, where the build puts the program and the
// library too.
static std::string BuildFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

static std::vector<char> ReadWholeFile(const std::string& path) {
    std::vector<char> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        read = 0;
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

TEST(HookLibraryResource, ProgramCarriesTheBuiltLibraryInUsEnglish) {
    std::string program = BuildFolder() + "Tallywhirl.exe";
    HMODULE image = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, image) << "cannot open " << program << " as data";
    HRSRC resource = FindResourceExA(image, "LIBRARY", MAKEINTRESOURCEA(IDR_HOOK_LIBRARY),
                                     MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(nullptr, resource) << "no LIBRARY 113 in language 1033";
    DWORD size = SizeofResource(image, resource);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, resource)));
    ASSERT_NE(nullptr, bytes);

    std::vector<char> built = ReadWholeFile(BuildFolder() + "Tallywhirl.dll");
    ASSERT_FALSE(built.empty()) << "cannot read the built Tallywhirl.dll";
    EXPECT_EQ(built.size(), size) << "the resource's size differs from the built file's";
    EXPECT_TRUE(size == built.size() && memcmp(bytes, built.data(), size) == 0)
        << "the resource's bytes differ from the built file's";
    FreeLibrary(image);
}

TEST(HookLibraryExports, NamesAndOrdinalsMeetTheSameFunctions) {
    HMODULE library = LoadLibraryA("Tallywhirl.dll");
    ASSERT_NE(nullptr, library) << "Tallywhirl.dll does not load";
    FARPROC init = GetProcAddress(library, "TallywhirlInit");
    FARPROC reset = GetProcAddress(library, "TallywhirlReset");
    ASSERT_NE(nullptr, init) << "no export named TallywhirlInit";
    ASSERT_NE(nullptr, reset) << "no export named TallywhirlReset";
    EXPECT_EQ(init, GetProcAddress(library, MAKEINTRESOURCEA(1))) << "TallywhirlInit is not @1";
    EXPECT_EQ(reset, GetProcAddress(library, MAKEINTRESOURCEA(2))) << "TallywhirlReset is not @2";
    EXPECT_EQ(nullptr, GetProcAddress(library, "_TallywhirlInit@4")) << "decorated name exported";
    EXPECT_EQ(nullptr, GetProcAddress(library, "MouseHookProc")) << "the hook procedure exported";
}
