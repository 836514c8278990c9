#include "setup.h"
#include "progman_commands.h"
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

int DeleteProgramGroup() {
    int result = 0;
    if (OpenProgmanConversation()) {
        ProgmanExecute(DeleteGroupFormat, LoadResString(IDS_GROUP), nullptr, nullptr);
        Sleep(SettleMs);
        result = 1;
    }
    EndProgmanConversation();
    return result;
}
