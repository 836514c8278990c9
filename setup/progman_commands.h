#pragma once
// The Program Manager commands that make and remove the program group, and
// the quoting of their item fields. Platform-free.

enum { ProgmanCommandSize = 1024, ItemFieldSize = 256 };

// The text of one command: the format itself when a1 is missing, else the
// format filled with a1, then a2, then a3, as far as they are given.
// 0, with out empty, when it does not fit.
int FormatProgmanCommand(char* out, int size, const char* format, const char* a1, const char* a2,
                         const char* a3);

// What fills the commands' fields.
enum GroupField {
    FieldNone,
    FieldGroupName,
    FieldProgramName,
    FieldProgramPath,
    FieldReadmeName,
    FieldReadmePath,
    FieldUninstallName,
    FieldUninstallCommand,
    FieldUninstallIcon,
    GroupFieldCount
};

struct ProgmanCommandFormat {
    const char* format;
    GroupField args[3];
};

enum { GroupCommandCount = 9 };
extern const ProgmanCommandFormat GroupCommands[GroupCommandCount];
extern const char DeleteGroupFormat[];

// The texts of the fields, indexed by GroupField; FieldNone stays null.
struct GroupFields {
    const char* text[GroupFieldCount];
};

// The item fields after quoting, in buffers of their own.
struct QuotedItems {
    char programPath[ItemFieldSize];
    char readmePath[ItemFieldSize];
    char uninstallCommand[ItemFieldSize];
    char uninstallIcon[ItemFieldSize];
};

// Quotes the readme, program and uninstaller paths; the uninstall command
// (see JoinCommand) is quoted already and goes as it is. 0 when a field does
// not fit.
int QuoteGroupItems(QuotedItems* items, const char* programPath, const char* readmePath,
                    const char* uninstallerPath, const char* uninstallCommand);

// The arguments of command index, null where it has fewer than three.
void GroupCommandArgs(const GroupFields* fields, int index, const char* args[3]);
