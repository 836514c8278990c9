// Tallywhirl.dll: the system-wide mouse hook. The platform loads it into every
// process that takes mouse input; there it signals the named click event once
// per button press or double-click. It links no runtime and imports only
// SetWindowsHookExA, UnhookWindowsHookEx, CallNextHookEx, OpenEventA and
// SetEvent.
#include "hook_library.h"

// All state is per process; nothing is shared between the processes that
// map the library. The hook this process set through TallywhirlInit, which
// only it removes: a copy of the program in another logon session maps the
// same library and sets and removes a hook of its own. The name lives in
// writable data so that the library needs no read-only data section of its
// own.
static HHOOK HookHandle;
static char EventName[] = CLICK_EVENT_NAME;
static HINSTANCE LibraryInstance;
static HANDLE CachedEvent;

// The counted-message table: presses and double-clicks of the left, right and
// middle buttons, over the client area (0x0201..0x0209) and the frame
// (0x00A1..0x00A9). Both ranges run in the same order, so one bit per offset
// from the range's move message serves for both. Releases, moves, the wheel
// and the extra buttons have no bit.
static constexpr unsigned Bit(unsigned message) {
    return 1u << (message - WM_MOUSEMOVE);
}
static const unsigned CountedBits = Bit(WM_LBUTTONDOWN) | Bit(WM_LBUTTONDBLCLK) |
                                    Bit(WM_RBUTTONDOWN) | Bit(WM_RBUTTONDBLCLK) |
                                    Bit(WM_MBUTTONDOWN) | Bit(WM_MBUTTONDBLCLK);
static_assert(WM_NCMBUTTONDBLCLK - WM_NCMOUSEMOVE == WM_MBUTTONDBLCLK - WM_MOUSEMOVE &&
              WM_NCLBUTTONDOWN - WM_NCMOUSEMOVE == WM_LBUTTONDOWN - WM_MOUSEMOVE);
enum : unsigned { RangeSize = WM_MBUTTONDBLCLK - WM_MOUSEMOVE + 1 };

static bool IsCountedMessage(WPARAM message) {
    WPARAM offset;
    if (message - WM_MOUSEMOVE < RangeSize)
        offset = message - WM_MOUSEMOVE;
    else if (message - WM_NCMOUSEMOVE < RangeSize)
        offset = message - WM_NCMOUSEMOVE;
    else
        return false;
    return (CountedBits >> offset) & 1u;
}

// Opened once per process, at the first counted message that finds the
// event. Two threads that find it empty at once both open it; only the first
// keeps its handle in CachedEvent, the other signals through its own handle,
// which stays open (closing it would need a sixth import).
static HANDLE ClickEventHandle() {
    HANDLE event = __atomic_load_n(&CachedEvent, __ATOMIC_ACQUIRE);
    if (event)
        return event;
    // Signalling is all the hook does, and all the event lets a sandboxed
    // process (of low integrity) do.
    event = OpenEventA(EVENT_MODIFY_STATE, TRUE, EventName);
    if (event)
        InterlockedCompareExchangePointer(&CachedEvent, event, nullptr);
    return event;
}

// Not exported; global so that the link map names it for the tests.
extern "C" LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && IsCountedMessage(wParam)) {
        HANDLE event = ClickEventHandle();
        if (event)
            SetEvent(event);
    }
    // Always passed on, whoever's hook this is: the platform ignores the
    // handle argument, and a hook that stopped passing messages on would
    // starve every other mouse hook.
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    LibraryInstance = instance;
    return TRUE;
}

// TRUE when the hook was set; a caller that takes no result is unaffected.
extern "C" BOOL WINAPI TallywhirlInit(HMODULE module) {
    if (!LibraryInstance)
        LibraryInstance = module;
    HookHandle = SetWindowsHookExA(WH_MOUSE, MouseHookProc, LibraryInstance, 0);
    return HookHandle != nullptr;
}

extern "C" void WINAPI TallywhirlReset() {
    HHOOK hook = HookHandle;
    HookHandle = nullptr;
    if (hook)
        UnhookWindowsHookEx(hook);
}
