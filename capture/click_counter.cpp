#include "capture.h"
#include "../app/app.h"
#include "../store/counter_set.h"
#include "../ui/ui.h"

#include <atomic>
#include <process.h>

HANDLE ClickEvent;
uint32_t ClicksSinceStart;
static LONG RefreshPending;

uint32_t ReadClicksSinceStart() {
    return std::atomic_ref<uint32_t>(ClicksSinceStart).load();
}

// The page belongs to the main thread, which may be busy for seconds (a
// window being destroyed waits on the display): a click that waited for it
// would let the clicks behind it merge in the auto-reset event. So the
// thread only asks for a redraw, at most one outstanding.
static void RequestRefresh() {
    std::atomic_ref<LONG> pending(RefreshPending);
    if (!pending.exchange(1) && !PostMessageA(MainWindow, WM_CLICKREFRESH, 0, 0))
        pending.store(0);
}

void RefreshAfterClicks() {
    std::atomic_ref<LONG>(RefreshPending).store(0);
    if (CurrentStatsPage())
        RefreshStatistics(0);
}

static unsigned __stdcall ClickCountThread(void*) {
    // A failed wait (no event could be made) counts nothing and ends the
    // thread rather than spinning: no signal can ever arrive then.
    while (WaitForSingleObject(ClickEvent, INFINITE) == WAIT_OBJECT_0) {
        std::atomic_ref<uint32_t>(ClicksSinceStart).fetch_add(1);
        AddClickToAll(&CounterSet);
        if (CurrentStatsPage())
            RequestRefresh();
    }
    return 0;
}

int StartClickCapture() {
    ClickEvent = CreateEventA(nullptr, FALSE, FALSE, "TallywhirlEvent");
    HANDLE thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ClickCountThread, nullptr, 0, nullptr));
    if (thread)
        CloseHandle(thread);
    return TallywhirlInit(HookLibrary) != FALSE;
}
