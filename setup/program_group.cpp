#include "setup.h"
#include "com_library.h"
#include "progman_commands.h"

#include <shlobj.h>
#include "../base/program.h"

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

    int result = 0;
    if (OpenProgmanConversation()) {
        SendGroupCommands(&fields);
        Sleep(SettleMs);
        result = 1;
    }
    EndProgmanConversation();
    return result;
}

// Whether the group's folder is still in the user's or all users' start menu.
static int GroupFolderRemains() {
    static const int Menus[2] = {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS};
    char menu[MAX_PATH], folder[PathBufferSize];
    for (int menuId : Menus) {
        if (SpecialFolderPath(menuId, menu) &&
            JoinPath(folder, sizeof folder, menu, LoadResString(IDS_GROUP)) &&
            GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES)
            return 1;
    }
    return 0;
}

// 1 when no group is left afterwards, whether or not there was one.
int DeleteProgramGroup() {
    if (OpenProgmanConversation()) {
        ProgmanExecute(DeleteGroupFormat, LoadResString(IDS_GROUP), nullptr, nullptr);
        Sleep(SettleMs);
    }
    EndProgmanConversation();
    return !GroupFolderRemains();
}
