// Joining, cutting and quoting arbitrary paths into buffers of arbitrary
// size: installation paths, Program Manager commands and the start-up entry.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "setup/install_rules.h"
#include "setup/path_join.h"
#include "setup/progman_commands.h"
#include "ui/startup_command.h"

namespace {

void Require(bool holds) {
    if (!holds)
        abort();
}

// A buffer of exactly size bytes on the heap, so that the sanitizer sees any
// write past it; one guard byte stands in for a buffer of no size.
struct Buffer {
    char* bytes;
    int size;
    char guard;
};

Buffer MakeBuffer(int size) {
    Buffer buffer = {nullptr, size, '#'};
    buffer.bytes = size > 0 ? static_cast<char*>(malloc(size)) : &buffer.guard;
    if (size > 0)
        memset(buffer.bytes, '#', size);
    return buffer;
}

void FreeBuffer(Buffer* buffer) {
    if (buffer->size > 0)
        free(buffer->bytes);
    else
        Require(buffer->guard == '#');
}

// Success exactly when the whole wanted text fits, and then that very text;
// a failure leaves the empty text. Never a cut text reported as success.
void RequireBounded(int result, const Buffer& out, const std::string& wanted) {
    if (out.size <= 0) {
        Require(result == 0);
        return;
    }
    Require(result == (wanted.size() < static_cast<size_t>(out.size)));
    if (result)
        Require(memchr(out.bytes, '\0', out.size) && wanted == out.bytes);
    else
        Require(out.bytes[0] == '\0');
}

bool HasBlank(const std::string& text) {
    return text.find(' ') != std::string::npos;
}

std::string Quoted(const std::string& path) {
    return HasBlank(path) ? "\"" + path + "\"" : path;
}

// The table's format with each "%s" replaced by the next argument.
std::string Filled(const char* format, const char* const args[3]) {
    std::string text;
    int next = 0;
    for (const char* at = format; *at; at++) {
        if (at[0] == '%' && at[1] == 's' && next < 3 && args[next]) {
            text += args[next++];
            at++;
        } else {
            text += *at;
        }
    }
    return text;
}

void CheckJoins(int size, const std::string& a, const std::string& b) {
    Buffer out = MakeBuffer(size);
    RequireBounded(JoinPath(out.bytes, size, a.c_str(), b.c_str()), out, a + "\\" + b);
    RequireBounded(JoinCommand(out.bytes, size, a.c_str(), b.c_str()), out, a + " " + b);
    RequireBounded(FormatStartupCommand(out.bytes, size, a.c_str(), b.c_str()), out, a + " " + b);
    RequireBounded(QuoteIfBlank(out.bytes, size, a.c_str()), out, Quoted(a));

    size_t cut = a.rfind('\\');
    std::string parent = cut == std::string::npos ? "" : a.substr(0, cut);
    RequireBounded(ParentFolder(out.bytes, size, a.c_str()), out, parent);

    std::string folder = a.empty() ? "C:\\Program Files" : a;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    RequireBounded(ProgramFilesFolder(out.bytes, size, a.c_str()), out, folder);
    FreeBuffer(&out);
}

void CheckCuts(const std::string& a, const std::string& b) {
    std::string path = a;
    DropTrailingBackslash(&path[0]);
    std::string dropped = a;
    if (!dropped.empty() && dropped.back() == '\\')
        dropped.pop_back();
    Require(dropped == path.c_str());

    const char* name = FileNamePart(a.c_str());
    size_t last = a.size() > 1 ? a.find_last_of('\\') : std::string::npos;
    if (last == std::string::npos || last == 0)
        Require(*name == '\0');
    else
        Require(name == a.c_str() + last + 1);

    Require(NeedsInstall(a.c_str(), b.c_str()) == (a.size() != b.size()));
}

void CheckUninstallItem(int size, const std::string& path, const std::string& command,
                        const std::string& switchText) {
    Buffer out = MakeBuffer(size);
    std::string wanted = HasBlank(path) ? "\"" + path + "\" " + switchText : command;
    RequireBounded(
        UninstallItemCommand(out.bytes, size, path.c_str(), command.c_str(), switchText.c_str()),
        out, wanted);
    FreeBuffer(&out);

    QuotedItems items;
    memset(&items, '#', sizeof items);
    int quoted = QuoteGroupItems(&items, command.c_str(), switchText.c_str(), path.c_str(),
                                 command.c_str(), switchText.c_str());
    bool fits = Quoted(switchText).size() < ItemFieldSize &&
                Quoted(command).size() < ItemFieldSize && Quoted(path).size() < ItemFieldSize &&
                wanted.size() < ItemFieldSize;
    Require(quoted == fits);
    if (quoted) {
        Require(Quoted(switchText) == items.readmePath && Quoted(command) == items.programPath);
        Require(Quoted(path) == items.uninstallIcon && wanted == items.uninstallCommand);
    }
}

void CheckGroupCommands(int size, const std::string fields[3]) {
    GroupFields group = {};
    for (int f = FieldNone + 1; f < GroupFieldCount; f++)
        group.text[f] = fields[f % 3].c_str();
    Buffer out = MakeBuffer(size);
    for (int index = -1; index <= GroupCommandCount; index++) {
        const char* args[3];
        GroupCommandArgs(&group, index, args);
        if (index < 0 || index >= GroupCommandCount) {
            Require(!args[0] && !args[1] && !args[2]);
            continue;
        }
        const char* format = GroupCommands[index].format;
        int result = FormatProgmanCommand(out.bytes, size, format, args[0], args[1], args[2]);
        RequireBounded(result, out, Filled(format, args));
    }
    const char* one[3] = {fields[0].c_str(), nullptr, nullptr};
    RequireBounded(
        FormatProgmanCommand(out.bytes, size, DeleteGroupFormat, one[0], nullptr, nullptr), out,
        Filled(DeleteGroupFormat, one));
    FreeBuffer(&out);
}

void CheckModulePathLength(uint32_t length, int size) {
    bool whole = size > 0 && length > 0 && length < static_cast<uint32_t>(size);
    Require(ModulePathComplete(length, size) == whole);
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
    CheckJoins(bufferSize, texts[0], texts[1]);
    CheckCuts(texts[0], texts[1]);
    CheckUninstallItem(bufferSize, texts[0], texts[1], texts[2]);
    CheckGroupCommands(bufferSize, texts + 1);
    CheckModulePathLength(length, bufferSize);
    return 0;
}
