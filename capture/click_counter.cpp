#include "capture.h"
#include "../store/counter_set.h"

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

int StartClickCapture(ClickListener listener) {
    Listener = listener;
    // Fails when another program holds the name for another kind of object.
    ClickEvent = CreateEventA(nullptr, FALSE, FALSE, CLICK_EVENT_NAME);
    if (!ClickEvent)
        return CaptureFailed;
    HANDLE thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ClickCountThread, nullptr, 0, nullptr));
    if (!thread)
        return CaptureFailed;
    CloseHandle(thread);
    return TallywhirlInit(HookLibrary) ? CaptureHooked : CaptureUnhooked;
}
