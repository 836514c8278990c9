// What Tallywhirl's mouse hook costs the processes it runs in, and how fast a
// press reaches a counting thread. Prints rows of `| figure | measured | target |`.
//
//   hook_bench            the measurements
//   hook_bench target     a window that takes input until it is closed
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

typedef void(WINAPI* InitProc)(HMODULE module);
typedef void(WINAPI* ResetProc)();

static const char TargetClass[] = "TallywhirlBenchTarget";
static const char EventName[] = "TallywhirlEvent";

enum Config { NoHook, BareHook, OurHook, ConfigCount };
enum Kind { Moves, Presses };

static LONG MovesSeen;
static LONG ButtonsSeen;

static HMODULE OurLibrary;
static InitProc OurInit;
static ResetProc OurReset;
static HMODULE BareLibrary;
static HOOKPROC BareProc;

static HANDLE ClickEvent;
static HANDLE CountedEvent;
static volatile LONG Counted;
static LARGE_INTEGER LastCountedAt;
static volatile LONG ReportWakeUps; // the latency and SetEvent runs only: a server call each

static double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

static LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

static LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE)
        MovesSeen++;
    if (message >= WM_LBUTTONDOWN && message <= WM_LBUTTONDBLCLK)
        ButtonsSeen++;
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND CreateTarget() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = TargetClass;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, TargetClass, "bench target", WS_POPUP | WS_VISIBLE, 100, 100,
                        400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    UpdateWindow(window);
    return window;
}

// Like the program's counting thread, and stamps the time of each wake-up.
static DWORD WINAPI CountingThread(void*) {
    while (WaitForSingleObject(ClickEvent, INFINITE) == WAIT_OBJECT_0) {
        LastCountedAt = Now();
        InterlockedIncrement(&Counted);
        if (ReportWakeUps)
            SetEvent(CountedEvent);
    }
    return 0;
}

static void SendMouse(DWORD flags, LONG x, LONG y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = x * 65536 / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = y * 65536 / GetSystemMetrics(SM_CYSCREEN);
    }
    SendInput(1, &input, sizeof input);
}

static void PumpUntil(volatile LONG* seen, LONG want) {
    MSG message;
    while (*seen < want && GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
}

static HHOOK BareHookHandle;

static void Install(Config config) {
    if (config == BareHook)
        BareHookHandle = SetWindowsHookExA(WH_MOUSE, BareProc, BareLibrary, 0);
    if (config == OurHook)
        OurInit(OurLibrary);
}

static void Uninstall(Config config) {
    if (config == BareHook)
        UnhookWindowsHookEx(BareHookHandle);
    if (config == OurHook)
        OurReset();
}

// Seconds per mouse message for COUNT messages of KIND through the window.
static double CostPerMessage(Config config, Kind kind, int count) {
    Install(config);
    SetCursorPos(300, 250);
    Sleep(20);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    LARGE_INTEGER start = Now();
    for (int i = 0; i < count; i++) {
        if (kind == Moves) {
            LONG before = MovesSeen;
            SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 200 + (i % 2) * 40 + (i % 7), 250);
            PumpUntil(&MovesSeen, before + 1);
        } else {
            LONG before = ButtonsSeen;
            SendMouse(i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN, 0, 0);
            PumpUntil(&ButtonsSeen, before + 1);
        }
    }
    double seconds = Seconds(start, Now());
    Uninstall(config);
    return seconds / count;
}

static double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

static double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    size_t index = std::min(values.size() - 1, size_t(fraction * double(values.size())));
    return values[index];
}

// Seconds per SetEvent that wakes the counting thread from its wait, as a
// counted press does.
static double SetEventCost(int count) {
    double total = 0;
    for (int i = 0; i < count; i++) {
        ResetEvent(CountedEvent);
        Sleep(0);
        LARGE_INTEGER start = Now();
        SetEvent(ClickEvent);
        total += Seconds(start, Now());
        WaitForSingleObject(CountedEvent, 1000);
    }
    return total / count;
}

// "median (first quartile to third quartile)" of values scaled by scale.
static void MedianAndSpread(char* out, size_t size, const std::vector<double>& values, double scale,
                            const char* format) {
    char median[32], low[32], high[32];
    snprintf(median, sizeof median, format, Median(values) * scale);
    snprintf(low, sizeof low, format, Percentile(values, 0.25) * scale);
    snprintf(high, sizeof high, format, Percentile(values, 0.75) * scale);
    snprintf(out, size, "%s (%s to %s)", median, low, high);
}

static void Row(const char* figure, const char* measured, const char* target) {
    printf("| %s | %s | %s |\n", figure, measured, target);
}

// Each round measures the three configurations back to back, in an order
// that alternates, and then one waking SetEvent, so that the ratios compare
// neighbours in time; the medians over rounds keep out the other work of a
// shared machine, and the quartiles beside them say how much that was.
static void CostRows() {
    const int rounds = 15, messages = 400;
    std::vector<double> cost[2][ConfigCount], ratio[2], extra, setEvent;
    for (int round = 0; round < rounds; round++) {
        for (int kind = Moves; kind <= Presses; kind++) {
            double measured[ConfigCount];
            for (int step = 0; step < ConfigCount; step++) {
                int config = round % 2 ? ConfigCount - 1 - step : step;
                measured[config] = CostPerMessage(Config(config), Kind(kind), messages);
                cost[kind][config].push_back(measured[config]);
            }
            ratio[kind].push_back(measured[OurHook] / measured[BareHook]);
            if (kind == Presses) // half the messages are presses, each one SetEvent
                extra.push_back(2 * (measured[OurHook] - measured[BareHook]));
        }
        ReportWakeUps = 1; // the hook rows above run without the report's extra call
        setEvent.push_back(SetEventCost(200));
        ReportWakeUps = 0;
    }
    ReportWakeUps = 1;
    char figure[128], text[192], spread[96], eventSpread[96], configSpread[ConfigCount][64];
    const char* kindNames[] = {"moves", "presses and releases"};
    for (int kind = Moves; kind <= Presses; kind++) {
        snprintf(figure, sizeof figure,
                 "%s: µs per message, no hook / bare hook / our hook, median of %d rounds "
                 "(quartiles)",
                 kindNames[kind], rounds);
        for (int config = 0; config < ConfigCount; config++)
            MedianAndSpread(configSpread[config], sizeof configSpread[config], cost[kind][config],
                            1e6, "%.1f");
        snprintf(text, sizeof text, "%s / %s / %s", configSpread[NoHook], configSpread[BareHook],
                 configSpread[OurHook]);
        Row(figure, text, "-");
        snprintf(figure, sizeof figure, "%s: our hook / bare hook, median of %d rounds (quartiles)",
                 kindNames[kind], rounds);
        MedianAndSpread(text, sizeof text, ratio[kind], 1, "%.3f");
        Row(figure, text, kind == Moves ? "≤ 1.05" : "-");
    }
    MedianAndSpread(spread, sizeof spread, extra, 1e6, "%.1f");
    MedianAndSpread(eventSpread, sizeof eventSpread, setEvent, 1e6, "%.1f");
    snprintf(text, sizeof text, "%s µs (one SetEvent that wakes a waiter: %s µs)", spread,
             eventSpread);
    Row("press: extra cost of our hook over the bare hook", text, "≤ one SetEvent");
}

// From SendInput of a press over another process's window to the counting
// thread's increment.
static void LatencyRows(const char* self) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    char commandLine[MAX_PATH + 16];
    snprintf(commandLine, sizeof commandLine, "\"%s\" target", self);
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child)) {
        Row("press to count latency", "target did not start", "-");
        return;
    }
    HWND target = nullptr;
    for (int i = 0; i < 200 && !target; i++) {
        Sleep(50);
        target = FindWindowA(TargetClass, nullptr);
    }
    OurInit(OurLibrary);
    SetCursorPos(300, 250);
    Sleep(200);
    std::vector<double> latency;
    int lost = 0;
    for (int i = 0; i < 300; i++) {
        LONG before = Counted;
        ResetEvent(CountedEvent);
        LARGE_INTEGER start = Now();
        SendMouse(MOUSEEVENTF_LEFTDOWN, 0, 0);
        if (WaitForSingleObject(CountedEvent, 1000) == WAIT_OBJECT_0 && Counted > before)
            latency.push_back(Seconds(start, LastCountedAt));
        else
            lost++;
        SendMouse(MOUSEEVENTF_LEFTUP, 0, 0);
        Sleep(15);
    }
    OurReset();
    PostMessageA(target, WM_CLOSE, 0, 0);
    WaitForSingleObject(child.hProcess, 5000);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
    char text[128];
    if (latency.empty()) {
        Row("press to count latency, median / p99", "no press counted", "-");
        return;
    }
    snprintf(text, sizeof text, "%.0f µs / %.0f µs (%d of 300 not counted)", Median(latency) * 1e6,
             Percentile(latency, 0.99) * 1e6, lost);
    Row("press to count latency (other process), median / p99", text, "-");
}

static int RunTarget() {
    CreateTarget();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 1 && !strcmp(argv[1], "target"))
        return RunTarget();
    OurLibrary = LoadLibraryA("Tallywhirl.dll");
    OurInit = reinterpret_cast<InitProc>(
        reinterpret_cast<void*>(GetProcAddress(OurLibrary, "TallywhirlInit")));
    OurReset = reinterpret_cast<ResetProc>(
        reinterpret_cast<void*>(GetProcAddress(OurLibrary, "TallywhirlReset")));
    BareLibrary = LoadLibraryA("BareHook.dll");
    BareProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(BareLibrary, "BareHookProc")));
    if (!OurInit || !OurReset || !BareProc) {
        fprintf(stderr, "Tallywhirl.dll or BareHook.dll missing\n");
        return 1;
    }
    ClickEvent = CreateEventA(nullptr, FALSE, FALSE, EventName);
    CountedEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CreateThread(nullptr, 0, CountingThread, nullptr, 0, nullptr);

    HWND window = CreateTarget();
    CostRows();
    DestroyWindow(window);
    LatencyRows(argv[0]);
    return 0;
}
