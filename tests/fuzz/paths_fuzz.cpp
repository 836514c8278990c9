// Joining, cutting and quoting arbitrary paths into buffers of arbitrary
// size: installation paths, the program group's items, and the command tail.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/command_tail.h"
#include "setup/install_rules.h"
#include "base/path_join.h"
#include "setup/progman_commands.h"

static void Require(bool holds) {
    if (!holds)
        abort(); // libFuzzer reports it
}

// Forms a text into a heap buffer of exactly size bytes, so that the
// sanitizer sees any write past it: success exactly when the whole wanted
// text fits, and then that text; otherwise the empty text.
template <typename Form>
static void RequireBounded(int size, const std::string& wanted, Form form) {
    char* out = static_cast<char*>(malloc(size > 0 ? size : 1));
    out[0] = '#';
    int fits = form(out, size);
    Require(fits == (size > 0 && wanted.size() < static_cast<size_t>(size)));
    Require(size > 0 ? (fits ? wanted : "") == out : out[0] == '#');
    free(out);
}

static std::string Quoted(const std::string& path) {
    return path.find(' ') != std::string::npos ? "\"" + path + "\"" : path;
}

// The input: two bytes of buffer size, four bytes not read, then up to four
// texts separated by zero bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    int n = static_cast<int16_t>(data[0] | data[1] << 8) % 600;
    std::string t[4];
    for (size_t i = 6, k = 0; i < size; i++)
        data[i] ? void(t[k] += static_cast<char>(data[i])) : void(k += k < 3);
    const std::string &a = t[0], &b = t[1], &c = t[2];
    const char *pa = a.c_str(), *pb = b.c_str(), *pc = c.c_str();

    RequireBounded(n, a + "\\" + b, [&](char* o, int m) { return JoinPath(o, m, pa, pb); });
    RequireBounded(n, Quoted(a) + " " + b,
                   [&](char* o, int m) { return JoinCommand(o, m, pa, pb); });
    RequireBounded(n, Quoted(a), [&](char* o, int m) { return QuoteIfBlank(o, m, pa); });
    size_t cut = a.rfind('\\');
    RequireBounded(n, cut == std::string::npos ? "" : a.substr(0, cut),
                   [&](char* o, int m) { return ParentFolder(o, m, pa); });
    std::string folder = a.empty() ? "C:\\Program Files" : a;
    if (folder.back() == '\\')
        folder.pop_back();
    RequireBounded(n, folder, [&](char* o, int m) { return ProgramFilesFolder(o, m, pa); });
    std::string dropped = a;
    DropTrailingBackslash(&dropped[0]);
    Require(dropped.c_str() == (!a.empty() && a.back() == '\\' ? a.substr(0, a.size() - 1) : a));
    size_t last = a.size() > 1 ? a.find_last_of('\\') : std::string::npos;
    const char* name = FileNamePart(pa);
    Require(last == std::string::npos || last == 0 ? *name == '\0' : name == pa + last + 1);
    Require(NeedsInstall(pa, pb) == (a.size() != b.size()));
    // The tail is the end of the line, and begins with no blank.
    const char* tail = CommandTail(pa);
    Require(tail >= pa && tail <= pa + a.size() && (*tail == '\0' || *tail < 0 || *tail > ' '));

    // The group's items: the program b, the readme c, the uninstaller a, the command b.
    QuotedItems items;
    int quoted = QuoteGroupItems(&items, pb, pc, pa, pb);
    Require(quoted == (Quoted(a).size() < ItemFieldSize && Quoted(b).size() < ItemFieldSize &&
                       Quoted(c).size() < ItemFieldSize && b.size() < ItemFieldSize));
    Require(!quoted || (Quoted(c) == items.readmePath && Quoted(b) == items.programPath &&
                        Quoted(a) == items.uninstallIcon && b == items.uninstallCommand));
    return 0;
}
