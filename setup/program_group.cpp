// The program group: asked of the Program Manager, then completed in the
// start menu's folders with what the shell did not make.
#include "program_group.h"
#include "shortcuts.h"
#include "progman_dde.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "com_library.h"
#include "progman_commands.h"

#include <shlobj.h>
#include "../base/bounded_format.h"

// The service works through the commands after answering them.
static const DWORD SettleMs = 500;

static void FillNames(GroupFields* fields) {
    fields->text[FieldGroupName] = LoadResString(IDS_GROUP);
    fields->text[FieldProgramName] = LoadResString(IDS_PRODUCT);
    fields->text[FieldReadmeName] = LoadResString(IDS_README_ITEM);
    fields->text[FieldUninstallName] = LoadResString(IDS_UNINSTALL_ITEM);
}

// Each command is sent whatever became of the one before it.
static void SendGroupCommands(const GroupFields* fields) {
    for (int i = 0; i < GroupCommandCount; i++) {
        const char* args[3];
        GroupCommandArgs(fields, i, args);
        ProgmanExecute(GroupCommands[i].format, args[0], args[1], args[2]);
    }
}

// Where the shell keeps groups: the user's start menu, then all users'.
static const int Menus[2] = {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS};

enum { GroupItemCount = 3 };
static const int ItemNameIds[GroupItemCount] = {IDS_PRODUCT, IDS_README_ITEM, IDS_UNINSTALL_ITEM};

static int GroupFolder(int menuId, char* out) {
    char menu[MAX_PATH];
    return SpecialFolderPath(menuId, menu) &&
           JoinPath(out, PathBufferSize, menu, LoadResString(IDS_GROUP));
}

static int ItemLinkPath(const char* folder, int item, char* out) {
    return FormatBounded(out, PathBufferSize, "%s\\%s.lnk", folder,
                         LoadResString(ItemNameIds[item]));
}

static int Exists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static int IsFolder(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// An elevated process writes and deletes nothing through a junction or a
// link that the user may have put on the path, themselves, without rights.
static int ReachedWithoutLink(const char* path) {
    char part[PathBufferSize];
    int length = FormatBounded(part, sizeof part, "%s", path) ? lstrlenA(part) : 0;
    for (int i = length; i > 2; i--) {
        if (i < length && part[i] != '\\')
            continue;
        part[i] = '\0';
        DWORD attributes = GetFileAttributesA(part);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return 0;
    }
    return length > 0;
}

// The group's folder where the shell made it; where it made none (an
// elevated process's conversation with a shell of the user's token is
// filtered out), a new one in all users' start menu, which every user sees.
static int FindOrMakeGroupFolder(char* out) {
    for (int menuId : Menus) {
        if (GroupFolder(menuId, out) && IsFolder(out) && ReachedWithoutLink(out))
            return 1;
    }
    return GroupFolder(CSIDL_COMMON_PROGRAMS | CSIDL_FLAG_CREATE, out) && ReachedWithoutLink(out) &&
           CreateDirectoryA(out, nullptr);
}

// Each item the shell did not make is made as the desktop shortcut is; 1
// when the group holds all three afterwards.
static int CompleteGroup(const char* programPath, const char* readmePath,
                         const char* uninstallerPath) {
    char folder[PathBufferSize], link[PathBufferSize];
    if (!FindOrMakeGroupFolder(folder))
        return 0;
    const char* targets[GroupItemCount] = {programPath, readmePath, uninstallerPath};
    int complete = 1;
    for (int item = 0; item < GroupItemCount; item++) {
        int uninstall = item == GroupItemCount - 1;
        complete &=
            ItemLinkPath(folder, item, link) &&
            (Exists(link) || CreateLinkFile(link, LoadResString(ItemNameIds[item]), targets[item],
                                            uninstall ? LoadResString(IDS_UNINST_SWITCH) : nullptr,
                                            uninstall ? uninstallerPath : nullptr));
    }
    return complete;
}

int CreateProgramGroup(const char* programPath, const char* readmePath, const char* uninstallerPath,
                       const char* uninstallCommand) {
    QuotedItems items;
    if (!QuoteGroupItems(&items, programPath, readmePath, uninstallerPath, uninstallCommand))
        return 0;
    GroupFields fields = {};
    FillNames(&fields);
    fields.text[FieldProgramPath] = items.programPath;
    fields.text[FieldReadmePath] = items.readmePath;
    fields.text[FieldUninstallCommand] = items.uninstallCommand;
    fields.text[FieldUninstallIcon] = items.uninstallIcon;

    if (OpenProgmanConversation()) {
        SendGroupCommands(&fields);
        Sleep(SettleMs);
    }
    EndProgmanConversation();
    return CompleteGroup(programPath, readmePath, uninstallerPath);
}

// Only the items of the program's names go, and the folder when nothing
// else is left in it; a folder reached through a link is left, and said.
static int DeleteGroupItems(const char* folder) {
    char link[PathBufferSize];
    if (!ReachedWithoutLink(folder))
        return 0;
    int deleted = 1;
    for (int item = 0; item < GroupItemCount; item++) {
        if (!ItemLinkPath(folder, item, link) || (!DeleteFileA(link) && Exists(link)))
            deleted = 0;
    }
    RemoveDirectoryA(folder);
    return deleted;
}

// The shell removes the group it made; what it leaves, in either start
// menu, goes here. 1 when no item of the group is left.
int DeleteProgramGroup() {
    if (OpenProgmanConversation()) {
        ProgmanExecute(DeleteGroupFormat, LoadResString(IDS_GROUP), nullptr, nullptr);
        Sleep(SettleMs);
    }
    EndProgmanConversation();
    char folder[PathBufferSize];
    int removed = 1;
    for (int menuId : Menus) {
        if (GroupFolder(menuId, folder) && Exists(folder))
            removed &= DeleteGroupItems(folder);
    }
    return removed;
}
