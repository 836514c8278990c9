// The click event and the counting thread that turns each of its signals
// into one more click in every count.
#include "capture.h"
#include "../base/bounded_format.h"
#include "../base/program.h"
#include "../store/counter_set.h"

#include <sddl.h>

#include <atomic>
#include <process.h>

HANDLE ClickEvent;
uint32_t ClicksSinceStart;
static ClickListener Listener;

uint32_t ReadClicksSinceStart() {
    return std::atomic_ref<uint32_t>(ClicksSinceStart).load();
}

static unsigned __stdcall ClickCountThread(void*) {
    // A failed wait (no event could be made) counts nothing and ends the
    // thread rather than spinning: no signal can ever arrive then.
    while (WaitForSingleObject(ClickEvent, INFINITE) == WAIT_OBJECT_0) {
        std::atomic_ref<uint32_t>(ClicksSinceStart).fetch_add(1);
        AddClickToAll(&CounterSet);
        if (Listener)
            Listener();
    }
    return 0;
}

// The hook signals the event from every process with a window under the
// mouse, sandboxed ones too, which run with low integrity: under the default
// (medium) label they could not signal it. The label is therefore low, and
// the access list lets the user (the program's every copy, which opens it
// again while hooked processes keep it) do anything and everyone else only
// signal it: neither wait on it, and so take a click, nor change it. Named
// by the user's own SID: an entry for the owner's rights is not honoured
// everywhere. A system that knows no label makes it as it always did.
typedef BOOL(WINAPI* SidToTextProc)(PSID sid, LPSTR* text);
typedef BOOL(WINAPI* TextToSecurityProc)(LPCSTR text, DWORD revision,
                                         PSECURITY_DESCRIPTOR* security, PULONG size);

static HANDLE CreateClickEvent() {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    alignas(8) char user[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    char security[256];
    char* sid = nullptr;
    HANDLE token = nullptr;
    DWORD size = 0;
    // Looked up: the text forms of security are newer than the oldest systems.
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    auto sidToText = LateProc<SidToTextProc>(advapi, "ConvertSidToStringSidA");
    auto textToSecurity = LateProc<TextToSecurityProc>(
        advapi, "ConvertStringSecurityDescriptorToSecurityDescriptorA");
    if (!sidToText || !textToSecurity ||
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) ||
        !GetTokenInformation(token, TokenUser, user, sizeof user, &size) ||
        !sidToText(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid) ||
        !FormatBounded(security, sizeof security, "D:(A;;GA;;;%s)(A;;0x2;;;WD)S:(ML;;NW;;;LW)",
                       sid) ||
        !textToSecurity(security, SDDL_REVISION_1, &attributes.lpSecurityDescriptor, nullptr))
        attributes.lpSecurityDescriptor = nullptr;
    if (token)
        CloseHandle(token);
    LocalFree(sid);
    HANDLE event = CreateEventA(&attributes, FALSE, FALSE, CLICK_EVENT_NAME);
    LocalFree(attributes.lpSecurityDescriptor);
    return event;
}

int StartClickCapture(ClickListener listener) {
    Listener = listener;
    // Fails when another program holds the name for another kind of object.
    ClickEvent = CreateClickEvent();
    if (!ClickEvent)
        return CaptureFailed;
    HANDLE thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ClickCountThread, nullptr, 0, nullptr));
    if (!thread)
        return CaptureFailed;
    CloseHandle(thread);
    return LoadedTallywhirlInit(HookLibrary) ? CaptureHooked : CaptureUnhooked;
}
