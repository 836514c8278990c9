// Writing the installation's files on Wine's real file system and registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/app.h"
#include "setup/setup.h"

static const char CurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

static std::string OwnProgram() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return ReadAll(path);
}

static std::string Resource(int id, const char* type) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!found)
        return "";
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(data, SizeofResource(nullptr, found));
}

static std::string WindowsFile(const char* name) {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + name;
}

static void SetProgramFilesDir(const std::string& value) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_LOCAL_MACHINE, CurrentVersionKey, 0, KEY_SET_VALUE, &key));
    RegSetValueExA(key, "ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   value.size() + 1);
    RegCloseKey(key);
}

static const char Root[] = "C:\\TallywhirlInstallTest";

class InstallFilesTest : public testing::Test {
  protected:
    char exe[256], library[256], readme[256], uninstaller[256];

    void SetUp() override {
        char stored[256] = "";
        DWORD size = sizeof stored;
        RegGetValueA(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir", RRF_RT_REG_SZ,
                     nullptr, stored, &size);
        original = stored;
        Clean();
    }
    void TearDown() override {
        SetProgramFilesDir(original);
        Clean();
    }
    void Clean() {
        std::string folder = std::string(Root) + "\\Tallywhirl";
        for (const char* name : {"TW.exe", "Tallywhirl.dll", "Readme.txt"})
            DeleteFileA((folder + "\\" + name).c_str());
        RemoveDirectoryA(folder.c_str());
        RemoveDirectoryA(Root);
        DeleteFileA(WindowsFile("TWUninst.exe").c_str());
    }
    // Plans and installs, and names the four files when it did.
    int Install() {
        exe[0] = library[0] = readme[0] = uninstaller[0] = '\0';
        InstallLayout layout;
        if (!PlanInstallation(&layout) || !InstallFiles(&layout))
            return 0;
        lstrcpynA(exe, layout.program, sizeof exe);
        lstrcpynA(library, layout.library, sizeof library);
        lstrcpynA(readme, layout.readme, sizeof readme);
        lstrcpynA(uninstaller, layout.uninstaller, sizeof uninstaller);
        return 1;
    }
    bool AllEmpty() const {
        return !exe[0] && !library[0] && !readme[0] && !uninstaller[0];
    }

  private:
    std::string original;
};

TEST_F(InstallFilesTest, WritesTheFourFilesAndNamesThem) {
    SetProgramFilesDir(std::string(Root) + "\\");
    ASSERT_EQ(1, Install());
    std::string folder = std::string(Root) + "\\Tallywhirl";
    EXPECT_EQ(folder + "\\TW.exe", exe) << "a trailing backslash is dropped, never doubled";
    EXPECT_EQ(folder + "\\Tallywhirl.dll", library);
    EXPECT_EQ(folder + "\\Readme.txt", readme);
    EXPECT_EQ(WindowsFile("TWUninst.exe"), uninstaller);

    std::string program = OwnProgram();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(ReadAll(exe) == program) << "the program copy differs from the running file";
    EXPECT_TRUE(ReadAll(uninstaller) == program) << "the uninstaller copy differs";
    std::string hook = Resource(IDR_HOOK_LIBRARY, "LIBRARY");
    ASSERT_FALSE(hook.empty());
    EXPECT_TRUE(ReadAll(library) == hook) << "the hook library differs from its resource";
    EXPECT_TRUE(ReadAll(readme) == Resource(IDR_README, "TEXT"));
}

TEST_F(InstallFilesTest, ExistingFoldersAreUsedAndFilesReplaced) {
    SetProgramFilesDir(Root);
    ASSERT_EQ(1, Install());
    std::ofstream(readme, std::ios::binary) << "changed";
    ASSERT_EQ(1, Install());
    EXPECT_TRUE(ReadAll(readme) == Resource(IDR_README, "TEXT"));
}

TEST_F(InstallFilesTest, AProgramFilesDirTooLongForTheBufferFailsAndWritesNothing) {
    SetProgramFilesDir(std::string(Root) + "\\" + std::string(300, 'p'));
    EXPECT_EQ(0, Install());
    EXPECT_TRUE(AllEmpty());
    EXPECT_FALSE(Exists(Root));
    EXPECT_FALSE(Exists(WindowsFile("TWUninst.exe")));
}

TEST_F(InstallFilesTest, AProgramFilesDirTooLongToJoinFailsAndWritesNothing) {
    // Fits its buffer, but not with "\Tallywhirl\Tallywhirl.dll" after it.
    std::string stored = std::string(Root) + std::string(230, 'p');
    ASSERT_LT(stored.size(), 256u);
    SetProgramFilesDir(stored);
    EXPECT_EQ(0, Install());
    EXPECT_TRUE(AllEmpty());
    EXPECT_FALSE(Exists(stored)) << "no folder is made for a path that cannot be used";
    EXPECT_FALSE(Exists(WindowsFile("TWUninst.exe")));
}

TEST_F(InstallFilesTest, AProgramCopyThatCannotBeCreatedFails) {
    SetProgramFilesDir(Root);
    CreateDirectoryA(Root, nullptr);
    std::string folder = std::string(Root) + "\\Tallywhirl";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA((folder + "\\TW.exe").c_str(), nullptr));
    EXPECT_EQ(0, Install());
    EXPECT_TRUE(AllEmpty());
    EXPECT_FALSE(Exists(folder + "\\Tallywhirl.dll"));
    EXPECT_FALSE(Exists(WindowsFile("TWUninst.exe")));
    RemoveDirectoryA((folder + "\\TW.exe").c_str());
}

TEST_F(InstallFilesTest, AnEmptyProgramFilesDirMeansTheDefaultFolder) {
    SetProgramFilesDir("");
    ASSERT_EQ(1, Install());
    EXPECT_STREQ("C:\\Program Files\\Tallywhirl\\TW.exe", exe);
    for (const char* path : {exe, library, readme})
        DeleteFileA(path);
    RemoveDirectoryA("C:\\Program Files\\Tallywhirl");
}
