// The DDE conversation with the shell's Program Manager service.
#include "progman_dde.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "progman_commands.h"

#include <ddeml.h>

#include <cstring>

struct ProgmanLinkState {
    DWORD instance;
    HCONV conversation;
    HSZ service;
};

// One conversation at a time, opened and ended by each group operation.
static ProgmanLinkState ProgmanLink;

static const DWORD ExecuteTimeoutMs = 5000;

static HDDEDATA CALLBACK ProgmanCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                         ULONG_PTR) {
    return nullptr;
}

int OpenProgmanConversation() {
    ProgmanLink.instance = 0;
    if (DdeInitializeA(&ProgmanLink.instance, ProgmanCallback, APPCMD_CLIENTONLY, 0) !=
        DMLERR_NO_ERROR)
        return 0;
    ProgmanLink.service = DdeCreateStringHandleA(ProgmanLink.instance, "PROGMAN", CP_WINANSI);
    if (!ProgmanLink.service)
        return 0;
    // The service's name is its topic too.
    CONVCONTEXT context = {};
    context.cb = sizeof context;
    ProgmanLink.conversation =
        DdeConnect(ProgmanLink.instance, ProgmanLink.service, ProgmanLink.service, &context);
    return ProgmanLink.conversation != nullptr;
}

int ProgmanExecute(const char* format, const char* a1, const char* a2, const char* a3) {
    if (!format)
        return 0;
    char command[ProgmanCommandSize];
    if (!FormatProgmanCommand(command, sizeof command, format, a1, a2, a3))
        return 0;
    HDDEDATA data =
        DdeCreateDataHandle(ProgmanLink.instance, reinterpret_cast<BYTE*>(command),
                            static_cast<DWORD>(strlen(command)) + 1, 0, nullptr, CF_TEXT, 0);
    if (!data)
        return 0;
    // Handing the data handle over gives it to the system, which frees it.
    if (DdeClientTransaction(reinterpret_cast<BYTE*>(data), 0xFFFFFFFF, ProgmanLink.conversation,
                             nullptr, 0, XTYP_EXECUTE, ExecuteTimeoutMs, nullptr))
        return 1;
    DdeGetLastError(ProgmanLink.instance);
    return 0;
}

void EndProgmanConversation() {
    if (ProgmanLink.service)
        DdeFreeStringHandle(ProgmanLink.instance, ProgmanLink.service);
    if (ProgmanLink.conversation)
        DdeDisconnect(ProgmanLink.conversation);
    if (ProgmanLink.instance)
        DdeUninitialize(ProgmanLink.instance);
    ProgmanLink = {};
}
