// The Program Manager's commands that make and remove the program group,
// apart from the platform, so that their texts are tested on the host.
#include "progman_commands.h"

#include "../base/path_join.h"
#include "../base/bounded_format.h"

#include <cstring>

// Item names go unquoted, even with blanks; only paths are quoted.
const ProgmanCommandFormat GroupCommands[GroupCommandCount] = {
    {"[CreateGroup(%s)]", {FieldGroupName, FieldNone, FieldNone}},
    {"[ShowGroup(%s)]", {FieldGroupName, FieldNone, FieldNone}},
    {"[ReplaceItem(%s)]", {FieldProgramName, FieldNone, FieldNone}},
    {"[AddItem(%s,%s)]", {FieldProgramPath, FieldProgramName, FieldNone}},
    {"[ReplaceItem(%s)]", {FieldReadmeName, FieldNone, FieldNone}},
    {"[AddItem(%s,%s)]", {FieldReadmePath, FieldReadmeName, FieldNone}},
    {"[ReplaceItem(%s)]", {FieldUninstallName, FieldNone, FieldNone}},
    {"[AddItem(%s,%s,%s,1)]", {FieldUninstallCommand, FieldUninstallName, FieldUninstallIcon}},
    {"[Reload(%s)]", {FieldGroupName, FieldNone, FieldNone}},
};

const char DeleteGroupFormat[] = "[DeleteGroup(%s)]";

int FormatProgmanCommand(char* out, int size, const char* format, const char* a1, const char* a2,
                         const char* a3) {
    if (!format)
        return RefuseText(out, size);
    if (!a1)
        return FormatBounded(out, size, "%s", format);
    if (!a2)
        return FormatBounded(out, size, format, a1);
    if (!a3)
        return FormatBounded(out, size, format, a1, a2);
    return FormatBounded(out, size, format, a1, a2, a3);
}

int QuoteGroupItems(QuotedItems* items, const char* programPath, const char* readmePath,
                    const char* uninstallerPath, const char* uninstallCommand) {
    if (!items || !uninstallCommand)
        return 0;
    return QuoteIfBlank(items->readmePath, ItemFieldSize, readmePath) &&
           QuoteIfBlank(items->programPath, ItemFieldSize, programPath) &&
           QuoteIfBlank(items->uninstallIcon, ItemFieldSize, uninstallerPath) &&
           FormatBounded(items->uninstallCommand, ItemFieldSize, "%s", uninstallCommand);
}

void GroupCommandArgs(const GroupFields* fields, int index, const char* args[3]) {
    for (int i = 0; i < 3; i++) {
        GroupField field = FieldNone;
        if (fields && index >= 0 && index < GroupCommandCount)
            field = GroupCommands[index].args[i];
        args[i] = field == FieldNone ? nullptr : fields->text[field];
    }
}
