// Joining, cutting and quoting arbitrary paths into buffers of arbitrary
// size: installation paths, Program Manager commands and the start-up entry.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/module_path.h"
#include "setup/install_rules.h"
#include "setup/path_join.h"
#include "setup/progman_commands.h"

namespace {

void Require(bool holds) {
    if (!holds)
        abort();
}

// Forms a text into a heap buffer of exactly size bytes, so that the
// sanitizer sees any write past it: success exactly when the whole wanted
// text fits, and then that text; otherwise the empty text.
template <typename Form> void RequireBounded(int size, const std::string& wanted, Form form) {
    char* out = static_cast<char*>(malloc(size > 0 ? size : 1));
    out[0] = '#';
    int fits = form(out, size);
    Require(fits == (size > 0 && wanted.size() < static_cast<size_t>(size)));
    Require(size > 0 ? (fits ? wanted : "") == out : out[0] == '#');
    free(out);
}

std::string Quoted(const std::string& path) {
    return path.find(' ') != std::string::npos ? "\"" + path + "\"" : path;
}

void CheckPaths(int size, const std::string& a, const std::string& b) {
    const char *pa = a.c_str(), *pb = b.c_str();
    RequireBounded(size, a + "\\" + b, [&](char* o, int n) { return JoinPath(o, n, pa, pb); });
    RequireBounded(size, Quoted(a) + " " + b,
                   [&](char* o, int n) { return JoinCommand(o, n, pa, pb); });
    RequireBounded(size, Quoted(a), [&](char* o, int n) { return QuoteIfBlank(o, n, pa); });
    size_t cut = a.rfind('\\');
    RequireBounded(size, cut == std::string::npos ? "" : a.substr(0, cut),
                   [&](char* o, int n) { return ParentFolder(o, n, pa); });
    std::string folder = a.empty() ? "C:\\Program Files" : a;
    if (folder.back() == '\\')
        folder.pop_back();
    RequireBounded(size, folder, [&](char* o, int n) { return ProgramFilesFolder(o, n, pa); });

    std::string dropped = a;
    DropTrailingBackslash(&dropped[0]);
    Require(dropped.c_str() == (!a.empty() && a.back() == '\\' ? a.substr(0, a.size() - 1) : a));
    size_t last = a.size() > 1 ? a.find_last_of('\\') : std::string::npos;
    const char* name = FileNamePart(pa);
    Require(last == std::string::npos || last == 0 ? *name == '\0' : name == pa + last + 1);
    Require(NeedsInstall(pa, pb) == (a.size() != b.size()));
}

void CheckGroup(int size, const std::string& path, const std::string& command,
                const std::string& switchText) {
    const std::string& item = command; // quoted already, it goes as it is
    QuotedItems items;
    int quoted =
        QuoteGroupItems(&items, command.c_str(), switchText.c_str(), path.c_str(), command.c_str());
    Require(quoted ==
            (Quoted(switchText).size() < ItemFieldSize && Quoted(command).size() < ItemFieldSize &&
             Quoted(path).size() < ItemFieldSize && item.size() < ItemFieldSize));
    Require(!quoted ||
            (Quoted(switchText) == items.readmePath && Quoted(command) == items.programPath &&
             Quoted(path) == items.uninstallIcon && item == items.uninstallCommand));

    GroupFields fields = {};
    for (int f = FieldNone + 1; f < GroupFieldCount; f++)
        fields.text[f] = f % 3 ? path.c_str() : command.c_str();
    for (int index = -1; index <= GroupCommandCount; index++) {
        const char* args[3];
        GroupCommandArgs(&fields, index, args);
        if (index < 0 || index == GroupCommandCount) {
            Require(!args[0] && !args[1] && !args[2]);
            continue;
        }
        // Each command, cut to the buffer, is the whole command or nothing.
        std::string whole(64 + 3 * (path.size() + command.size()), '\0');
        const char* format = GroupCommands[index].format;
        Require(FormatProgmanCommand(&whole[0], whole.size(), format, args[0], args[1], args[2]));
        RequireBounded(size, whole.c_str(), [&](char* o, int n) {
            return FormatProgmanCommand(o, n, format, args[0], args[1], args[2]);
        });
    }
}

} // namespace

// The input: two bytes of buffer size, four bytes of a path length, then up
// to four texts separated by zero bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    int bufferSize = static_cast<int16_t>(data[0] | data[1] << 8) % 600;
    uint32_t length;
    memcpy(&length, data + 2, sizeof length);
    std::string texts[4];
    int count = 0;
    for (size_t i = 6; i < size; i++) {
        if (data[i] != 0)
            texts[count] += static_cast<char>(data[i]);
        else if (count < 3)
            count++;
    }
    CheckPaths(bufferSize, texts[0], texts[1]);
    CheckGroup(bufferSize, texts[0], texts[1], texts[2]);
    bool whole = bufferSize > 0 && length > 0 && length < static_cast<uint32_t>(bufferSize);
    Require(ModulePathComplete(length, bufferSize) == whole);
    return 0;
}
