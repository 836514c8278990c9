// Appending the statistics lines to real files past each obstacle Wine's
// file system can put in their way; any obstacle loses only its own lines.
#include <functional>
#include <set>

#include "scratch_key_and_folder.h"
#include "store/stat_file.h"

// Every entry under a folder, sub-folders ending in "/", sorted.
static std::string Entries(const std::string& folder) {
    std::set<std::string> names;
    std::error_code none;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, none))
        names.insert(entry.path().lexically_relative(folder).generic_string() +
                     (entry.is_directory() ? "/" : ""));
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ";") + name;
    return list;
}

using StatFile = ScratchKey;

TEST_F(StatFile, EachObstacleLosesOnlyItsOwnLines) {
    CounterSet = {{}, {}, 2002, 3, 4, 14, 0}; // the lines are of Thursday, 14 March 2002
    const std::string L57 = "2002-03-14\t57\r\n", L58 = "2002-03-14\t58\r\n", M8 = "2002-03\t8\r\n",
                      old = "old\r\n", none = "<missing>";
    const std::string folder = MakeScratchFolder("tw_stat_file"), day = folder + "\\Day.txt";
    // "\." steps keep the folder but lengthen its name: a file name may have
    // 255 characters, "\Day.txt" takes 8, and the sub-folder's name evens
    // out the length left for the steps.
    const std::string sub = (247 - folder.size()) % 2 ? "ab" : "abc", base = folder + "\\" + sub;
    std::string fits = base;
    while (fits.size() < 247)
        fits += "\\.";
    ASSERT_EQ(247u, fits.size());

    HANDLE held = INVALID_HANDLE_VALUE;
    auto hold = [&](DWORD access, DWORD share) {
        std::ofstream(day, std::ios::binary) << old;
        held = CreateFileA(day.c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held) << "the test's own handle, error " << GetLastError();
    };
    auto release = [&] { CloseHandle(held); };
    auto nothing = [] {};
    auto setPath = [](const std::string& path) {
        PutRaw("Path", REG_SZ, path.c_str(), path.size() + 1);
    };
    struct Case {
        const char* what;
        std::string path;                 // the folder "Path" names
        std::function<void()> make, undo; // the obstacle; its removal before the next line
        // After the lines 57 and 8: the scratch folder's entries (before the
        // removal), Day.txt and Month.txt; then Day.txt after the line 58.
        std::string entries, day, month, next;
    } cases[] = {
        {"no file yet", folder, nothing, nothing, "Day.txt;Month.txt", L57, M8, L57 + L58},
        {"a file to grow, and a reader that shares writing", folder,
         [&] { hold(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE); }, release,
         "Day.txt;Month.txt", old + L57, M8, old + L57 + L58},
        {"a writer that shares nothing", folder, [&] { hold(GENERIC_READ | GENERIC_WRITE, 0); },
         release, "Day.txt;Month.txt", old, M8, old + L58},
        {"a folder in its place", folder, [&] { CreateDirectoryA(day.c_str(), nullptr); }, nothing,
         "Day.txt/;Month.txt", none, M8, none},
        {"a missing folder, not made", folder + "\\gone", nothing,
         [&] { CreateDirectoryA((folder + "\\gone").c_str(), nullptr); }, "", none, none, L58},
        {"a name of 255 characters", fits, [&] { CreateDirectoryA(base.c_str(), nullptr); },
         nothing, sub + "/;" + sub + "/Day.txt", L57, none, L57 + L58},
        {"a name of 257 characters, not cut", fits + "\\.",
         [&] { CreateDirectoryA(base.c_str(), nullptr); }, [&] { setPath(fits); }, sub + "/", none,
         none, L58},
    };
    for (const Case& c : cases) {
        MakeScratchFolder("tw_stat_file");
        setPath(c.path);
        c.make();
        AppendStatLine(PeriodDay, 57);
        AppendStatLine(PeriodMonth, 8);
        EXPECT_EQ(c.entries, Entries(folder)) << c.what;
        c.undo();
        EXPECT_EQ(c.day, FileText(c.path + "\\Day.txt")) << c.what;
        EXPECT_EQ(c.month, FileText(c.path + "\\Month.txt")) << c.what;
        AppendStatLine(PeriodDay, 58);
        EXPECT_EQ(c.next, FileText(c.path + "\\Day.txt")) << c.what << ": the line after";
    }
    RemoveScratchFolder(folder);
}
