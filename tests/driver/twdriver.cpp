// twdriver [--desktop=NAME] COMMAND ARGS...: the small Win32 program that the
// end-to-end tests run under Wine to find, read and drive the program's windows
// as a user would, on the Wine virtual desktop NAME if given. The commands are
// the table at the end; the comment on each one's function says what it does
// and prints (MS: milliseconds; ID: a number of res/resource_ids.h). Exit code
// 0 on success, 1 when the condition was not met, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>
#include <ddeml.h>
#include <sddl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char TitleText[] = "Tallywhirl by Oakhart";

// The optional time at args[index], in milliseconds.
static int Millis(int count, char** args, int index, int fallback) {
    return count > index ? atoi(args[index]) : fallback;
}

static UINT_PTR Number(const char* text) {
    return strtoul(text, nullptr, 0);
}

static bool Is(const char* text, const char* name) {
    return strcmp(text, name) == 0;
}

// Says why a command failed; its exit code.
static int Fail(const char* format, ...) {
    va_list why;
    va_start(why, format);
    vfprintf(stderr, format, why);
    va_end(why);
    return 1;
}

// Looks every 50 ms, for up to MS, whether FOUND holds.
template <typename Found> static bool WaitUntil(int ms, Found found) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (found())
            return true;
        Sleep(50);
    }
    return false;
}

// Waits up to MS for PROCESS (none: fails) to end; says so of CLASS's window.
static int AwaitEnd(HANDLE process, int ms, const char* className) {
    if (!process)
        return Fail("the process of %s cannot be opened\n", className);
    DWORD waited = WaitForSingleObject(process, ms);
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0 && className)
        return Fail("the process of %s is still running\n", className);
    return waited != WAIT_OBJECT_0;
}

static DWORD ProcessIdOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

// Whether FOUND holds for one of the processes running now.
template <typename Found> static bool AnyProcess(Found found) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool any = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !any;
         more = Process32Next(snapshot, &entry))
        any = found(entry);
    CloseHandle(snapshot);
    return any;
}

static DWORD ParentOf(DWORD processId) {
    DWORD parent = 0;
    AnyProcess([&](const PROCESSENTRY32& p) {
        return p.th32ProcessID == processId && (parent = p.th32ParentProcessID, true);
    });
    return parent;
}

// The visible top-level windows of a class, in z-order, taken at once: a
// FindWindowEx walk ends early at a window destroyed meanwhile (a box answered).
struct Windows {
    const char* className;
    HWND found[16];
    int count;
};

static BOOL CALLBACK CollectVisible(HWND window, LPARAM lParam) {
    auto* windows = reinterpret_cast<Windows*>(lParam);
    char name[64];
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) &&
        Is(name, windows->className) && windows->count < 16)
        windows->found[windows->count++] = window;
    return TRUE;
}

static Windows VisibleWindows(const char* className) {
    Windows windows = {className, {}, 0};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The window of CLASS a command acts on: a visible one, looked for up to MS (menus
// keep hidden windows of their class), else a hidden one.
static HWND WindowOf(const char* className, int ms) {
    HWND window = nullptr;
    WaitUntil(ms, [&] { return (window = VisibleWindows(className).found[0]) != nullptr; });
    if (!window && !(window = FindWindowA(className, nullptr)))
        Fail("no window of class %s\n", className);
    return window;
}

// A message box: a dialog whose text sits in the static with id 0xFFFF.
static HWND FindMessageBox(const char* containing, char* text, int size) {
    Windows dialogs = VisibleWindows("#32770");
    for (int i = 0; i < dialogs.count; i++) {
        HWND label = GetDlgItem(dialogs.found[i], 0xFFFF);
        if (!label)
            continue;
        GetWindowTextA(label, text, size);
        if (!containing || strstr(text, containing))
            return dialogs.found[i];
    }
    return nullptr;
}

// The statistics sheets shown: dialogs of the program's title with tabs.
static Windows Sheets() {
    Windows dialogs = VisibleWindows("#32770"), sheets = {"#32770", {}, 0};
    char title[64];
    for (int i = 0; i < dialogs.count; i++) {
        HWND dialog = dialogs.found[i];
        if (GetWindowTextA(dialog, title, sizeof title) && Is(title, TitleText) &&
            FindWindowExA(dialog, nullptr, "SysTabControl32", nullptr))
            sheets.found[sheets.count++] = dialog;
    }
    return sheets;
}

// The sheet a command acts on; says so when there is none.
static HWND OpenSheet() {
    HWND sheet = Sheets().found[0];
    if (!sheet)
        Fail("no statistics sheet\n");
    return sheet;
}

// Does ACT on each control IDS in turn: on the current page, else the sheet's (0: itself).
static int ForEachControl(int count, char** ids, void (*act)(HWND control)) {
    HWND sheet = OpenSheet();
    if (!sheet)
        return 1;
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int i = 0; i < count; i++) {
        int id = atoi(ids[i]);
        HWND control = id == 0 ? sheet : page ? GetDlgItem(page, id) : nullptr;
        if (!control && !(control = GetDlgItem(sheet, id)))
            return Fail("no control %d on the sheet's current page or the sheet\n", id);
        act(control);
    }
    return 0;
}

// Waits up to MS until a window of CLASS (none: the sheet) is PRESENT or gone.
static int WaitFor(const char* className, int ms, bool present) {
    auto there = [&] { return className ? !!FindWindowA(className, nullptr) : !!Sheets().count; };
    if (WaitUntil(ms, [&] { return there() == present; }))
        return 0;
    return Fail("%s %s after %d ms\n", present ? "no" : "still a",
                className ? className : "statistics sheet", ms);
}

// wait-window CLASS [MS]: waits (10 s) until a top-level window of CLASS exists.
static int WaitWindow(int count, char** args) {
    return WaitFor(args[0], Millis(count, args, 1, 10000), true);
}

// wait-gone CLASS [MS]: waits (10 s) until no top-level window of CLASS exists.
static int WaitGone(int count, char** args) {
    return WaitFor(args[0], Millis(count, args, 1, 10000), false);
}

// wait-sheet [MS]: waits (10 s) until the statistics sheet is shown.
static int WaitSheet(int count, char** args) {
    return WaitFor(nullptr, Millis(count, args, 0, 10000), true);
}

// close CLASS [MS]: sends the window WM_CLOSE, as another copy of the program does;
// with MS, waits that long for its process, opened first so that its id cannot go
// to another process meanwhile.
static int Close(int count, char** args) {
    HWND window = WindowOf(args[0], 0);
    if (!window)
        return 1;
    HANDLE process = count > 1 ? OpenProcess(SYNCHRONIZE, FALSE, ProcessIdOf(window)) : nullptr;
    SendMessageA(window, WM_CLOSE, 0, 0);
    return count > 1 ? AwaitEnd(process, atoi(args[1]), args[0]) : 0;
}

// end CLASS [MS]: ends the window's process and waits (10 s) until it has.
static int End(int count, char** args) {
    HWND window = WindowOf(args[0], 0);
    if (!window)
        return 1;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ProcessIdOf(window));
    TerminateProcess(process, 1);
    return AwaitEnd(process, Millis(count, args, 1, 10000), args[0]);
}

// command CLASS ID: posts the window WM_COMMAND ID, as its menu does.
static int Command(int, char** args) {
    HWND window = WindowOf(args[0], 0);
    return !window || !PostMessageA(window, WM_COMMAND, atoi(args[1]), 0);
}

// send CLASS MSG WP LP [MS]: sends the message and prints its result.
static int Send(int count, char** args) {
    HWND window = WindowOf(args[0], Millis(count, args, 4, 0));
    if (!window)
        return 1;
    LRESULT result = SendMessageA(window, Number(args[1]), Number(args[2]), Number(args[3]));
    return printf("%ld\n", static_cast<long>(result)) < 0;
}

// post CLASS MSG WP LP [MS]: posts it, for one whose handling waits; MS for a menu to show.
static int Post(int count, char** args) {
    HWND window = WindowOf(args[0], Millis(count, args, 4, 0));
    return !window || !PostMessageA(window, Number(args[1]), Number(args[2]), Number(args[3]));
}

// process-of CLASS: prints the window's process as "ID ELEVATED(1|0) PARENT-ID".
static int ProcessOf(int, char** args) {
    DWORD processId = ProcessIdOf(FindWindowA(args[0], nullptr));
    if (!processId)
        return 1;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId), token = nullptr;
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    if (!process || !OpenProcessToken(process, TOKEN_QUERY, &token) ||
        !GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size))
        return 1;
    printf("%lu %lu %lu\n", processId, elevation.TokenIsElevated, ParentOf(processId));
    return 0;
}

// answer TEXT yes|no|ok|leave [MS]: waits (10 s) for the program's message box
// with TEXT, prints its text, answers it | prints "ID PARENT-ID" of its process.
static int Answer(int count, char** args) {
    const char* how = args[1];
    WPARAM button = Is(how, "yes") ? IDYES : Is(how, "no") ? IDNO : IDOK;
    if (button == IDOK && !Is(how, "ok") && !Is(how, "leave"))
        return 2;
    int ms = Millis(count, args, 2, 10000);
    char text[1024], caption[256];
    HWND box = nullptr;
    if (!WaitUntil(ms, [&] { return (box = FindMessageBox(args[0], text, sizeof text)); }))
        return Fail("no message box with \"%s\" after %d ms\n", args[0], ms);
    GetWindowTextA(box, caption, sizeof caption);
    DWORD processId = ProcessIdOf(box);
    if (Is(how, "leave"))
        return printf("%lu %lu\n", processId, ParentOf(processId)) < 0;
    printf("%s\n", text);
    if (!Is(caption, TitleText))
        return Fail("message box caption is \"%s\"\n", caption);
    PostMessageA(box, WM_COMMAND, button, 0);
    return 0;
}

// no-box [MS]: fails, printing its text, when a message box shows within MS (2 s).
static int NoBox(int count, char** args) {
    char text[1024];
    if (!WaitUntil(Millis(count, args, 0, 2000),
                   [&] { return FindMessageBox(nullptr, text, sizeof text) != nullptr; }))
        return 0;
    return Fail("unexpected message box: %s\n", text);
}

// signal N [GAP_MS]: signals the click event N times, GAP_MS (200) apart, as clicks do.
static int Signal(int count, char** args) {
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TallywhirlEvent");
    if (!event)
        return Fail("no event TallywhirlEvent\n");
    for (int i = 0; i < atoi(args[0]); i++) {
        SetEvent(event);
        Sleep(Millis(count, args, 1, 200));
    }
    CloseHandle(event);
    return 0;
}

// sheets: prints how many statistics sheets are shown.
static int CountSheets(int, char**) {
    return printf("%d\n", Sheets().count) < 0;
}

// tab N: selects the sheet's page N (0 first).
static int Tab(int, char** args) {
    HWND sheet = OpenSheet();
    return !sheet || !SendMessageA(sheet, PSM_SETCURSEL, atoi(args[0]), 0);
}

// text ID...: prints each control's text, one a line.
static int Text(int count, char** args) {
    return ForEachControl(count, args, [](HWND control) {
        char text[512] = "";
        GetWindowTextA(control, text, sizeof text);
        printf("%s\n", text);
    });
}

// rect ID...: prints "LEFT TOP RIGHT BOTTOM VISIBLE(1|0)" and the client area's four.
static int Rect(int count, char** args) {
    return ForEachControl(count, args, [](HWND control) {
        RECT box, client;
        GetWindowRect(control, &box);
        GetClientRect(control, &client);
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
        printf("%ld %ld %ld %ld %d %ld %ld %ld %ld\n", box.left, box.top, box.right, box.bottom,
               IsWindowVisible(control) ? 1 : 0, client.left, client.top, client.right,
               client.bottom);
    });
}

// press ID...: clicks each button, posted: a question it asks must not wait on us.
static int Press(int count, char** args) {
    return ForEachControl(count, args, [](HWND control) { PostMessageA(control, BM_CLICK, 0, 0); });
}

// check ID...: prints each check box's state, 0 or 1.
static int Check(int count, char** args) {
    return ForEachControl(count, args, [](HWND control) {
        printf("%d\n", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
    });
}

// start-limited APP LINE: starts APP with LINE as it stands and the limited token
// linked to ours, as Windows starts an entry for an administrator; prints its
// id. Its handles are NUL: one that held our output would keep its reader waiting.
static int StartLimited(int, char** args) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE nul =
        CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    HANDLE token = nullptr;
    TOKEN_LINKED_TOKEN linked = {};
    DWORD size = 0;
    bool started = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
                   GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &size) &&
                   CreateProcessAsUserA(linked.LinkedToken, args[0], args[1], nullptr, nullptr,
                                        TRUE, 0, nullptr, nullptr, &startup, &process);
    if (!started)
        return Fail("start-limited failed: %lu\n", GetLastError());
    printf("%lu\n", process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// wait-pid PID [MS]: waits (10 s) until process PID has ended. One released is
// refused as an invalid parameter, and ended; any other refusal is a failure.
static int WaitPid(int count, char** args) {
    char* end = nullptr;
    DWORD id = strtoul(args[0], &end, 10);
    if (!id || *end)
        return Fail("wait-pid: '%s' is no process id\n", args[0]) + 1;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    DWORD error = process ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_INVALID_PARAMETER)
        return 0;
    if (error)
        return Fail("wait-pid: process %lu cannot be opened (error %lu)\n", id, error);
    return AwaitEnd(process, Millis(count, args, 1, 10000), nullptr);
}

// wait-child PID [MS]: prints "watching", then "ID FILE" of the first process PID
// starts within MS (10 s); looks all the time, as the child may live briefly.
// One running before is no child of PID's: its parent's id may since have gone
// to PID (Wine's services.exe often outlives the process that started it).
static int WaitChild(int count, char** args) {
    DWORD parent = atoi(args[0]), end = GetTickCount() + Millis(count, args, 1, 10000);
    DWORD before[1024];
    int known = 0;
    AnyProcess([&](const PROCESSENTRY32& p) {
        return (before[known++] = p.th32ProcessID, known == 1024);
    });
    printf("watching\n");
    PROCESSENTRY32 child = {};
    auto isChild = [&](const PROCESSENTRY32& p) {
        // A process just made may not have its file's name yet.
        return p.th32ParentProcessID == parent && p.szExeFile[0] &&
               std::find(before, before + known, p.th32ProcessID) == before + known &&
               (child = p, true);
    };
    do {
        if (AnyProcess(isChild))
            return printf("%lu %s\n", child.th32ProcessID, child.szExeFile) < 0;
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
    return Fail("process %lu started none\n", parent);
}

// link FILE: prints target, folder, description, arguments, "ICONFILE INDEX" if any.
static int Link(int, char** args) {
    WCHAR file[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, args[0], -1, file, MAX_PATH);
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    bool read =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(file, STGM_READ));
    if (read) {
        char target[MAX_PATH] = "", folder[MAX_PATH] = "", description[MAX_PATH] = "";
        char arguments[MAX_PATH] = "", icon[MAX_PATH] = "";
        int index = 0;
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, MAX_PATH);
        link->GetDescription(description, MAX_PATH);
        link->GetArguments(arguments, MAX_PATH);
        link->GetIconLocation(icon, MAX_PATH, &index);
        printf("%s\n%s\n%s\n%s\n", target, folder, description, arguments);
        if (icon[0])
            printf("%s %d\n", icon, index);
    }
    if (persist)
        persist->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return read ? 0 : Fail("cannot read the link %s\n", args[0]);
}

// Once KEPT, prints WORD and keeps it for args[1] ms; our end lets go of it.
static int KeepFor(bool kept, const char* verb, char** args, const char* word) {
    if (!kept)
        return Fail("cannot %s %s: %lu\n", verb, args[0], GetLastError());
    printf("%s\n", word);
    Sleep(atoi(args[1]));
    return 0;
}

// hold FILE MS: opens FILE sharing only reading, to be neither replaced nor deleted.
static int Hold(int, char** args) {
    HANDLE file = CreateFileA(args[0], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return KeepFor(file != INVALID_HANDLE_VALUE, "hold", args, "held");
}

// load FILE MS: loads the library, as a process the hook reached keeps it.
static int Load(int, char** args) {
    return KeepFor(LoadLibraryA(args[0]) != nullptr, "load", args, "loaded");
}

// hold-mutex NAME MS: owns a mutex NAME, a name no event can take.
static int HoldMutex(int, char** args) {
    return KeepFor(CreateMutexA(nullptr, TRUE, args[0]) != nullptr, "hold-mutex", args, "held");
}

// hook-cycle FILE: sets and removes FILE's hook, as another session's copy does.
static int HookCycle(int, char** args) {
    HMODULE library = LoadLibraryA(args[0]);
    auto init = reinterpret_cast<BOOL(WINAPI*)(HMODULE)>(
        reinterpret_cast<void*>(GetProcAddress(library, "TallywhirlInit")));
    auto reset = reinterpret_cast<void(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "TallywhirlReset")));
    if (!init || !reset)
        return Fail("no hook library at %s\n", args[0]);
    BOOL set = init(library);
    reset();
    return set ? 0 : 1;
}

// unhook CLASS FILE: runs FILE's TallywhirlReset in the window's process (same address).
static int Unhook(int, char** args) {
    DWORD processId = ProcessIdOf(FindWindowA(args[0], nullptr));
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    void* reset = reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(args[1]), "TallywhirlReset"));
    HANDLE thread = process && reset
                        ? CreateRemoteThread(process, nullptr, 0,
                                             reinterpret_cast<LPTHREAD_START_ROUTINE>(reset),
                                             nullptr, 0, nullptr)
                        : nullptr;
    if (!thread || WaitForSingleObject(thread, 10000) != WAIT_OBJECT_0)
        return Fail("no TallywhirlReset ran in process %lu\n", processId);
    return 0;
}

// writes KEY deny|allow: denies everyone setting values under HKLM\KEY, or
// allows everyone everything there again.
static int Writes(int, char** args) {
    bool deny = Is(args[1], "deny");
    if (!deny && !Is(args[1], "allow"))
        return 2;
    PSECURITY_DESCRIPTOR security = nullptr;
    HKEY opened;
    bool set = ConvertStringSecurityDescriptorToSecurityDescriptorA(
                   deny ? "D:(D;;0x2;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)", SDDL_REVISION_1,
                   &security, nullptr) &&
               RegOpenKeyExA(HKEY_LOCAL_MACHINE, args[0], 0, WRITE_DAC, &opened) == ERROR_SUCCESS &&
               RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, security) == ERROR_SUCCESS;
    LocalFree(security);
    return !set;
}

// tray-delete CLASS: removes the window's icon 1 from the notification area.
static int TrayDelete(int, char** args) {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = FindWindowA(args[0], nullptr);
    icon.uID = 1;
    return !Shell_NotifyIconA(NIM_DELETE, &icon);
}

// broadcast NAME: posts the registered message NAME to every top-level window.
static int Broadcast(int, char** args) {
    return !PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(args[0]), 0, 0);
}

// Makes a hidden window of CLASS whose messages PROC takes.
static bool OwnWindow(const char* className, WNDPROC proc) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) && CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 1, 1,
                                                           nullptr, nullptr, nullptr, nullptr);
}

// Dispatches this thread's messages for ms.
static void Pump(int ms) {
    DWORD end = GetTickCount() + ms;
    MSG message;
    while (static_cast<LONG>(GetTickCount() - end) < 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
}

static DWORD TrayReadyAt;
static bool TrayGhosts;

// The shell hands on each icon as WM_COPYDATA: owner in wParam, NIM_* in dwData.
// The icon's tip in Wine's own form of the icon: 128 characters after four
// 32-bit fields, or, in later versions, after the icon's size (four more,
// the first of them no character).
static void TipOf(const COPYDATASTRUCT* data, char* tip, int size) {
    WCHAR wide[128] = {};
    for (DWORD at : {16u, 32u}) {
        if (data->cbData >= at + sizeof wide)
            memcpy(wide, static_cast<const BYTE*>(data->lpData) + at, sizeof wide);
        if (wide[0] == 0 || wide[0] >= ' ')
            break;
    }
    wide[127] = 0;
    if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, tip, size, nullptr, nullptr))
        tip[0] = '\0';
}

static LRESULT CALLBACK FakeTrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const char* const Verbs[] = {"add", "modify", "delete"};
    char name[64] = "", tip[256];
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    if (static_cast<LONG>(GetTickCount() - TrayReadyAt) < 0)
        return FALSE;
    auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
    TipOf(data, tip, sizeof tip);
    if (data->dwData <= NIM_DELETE &&
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name))
        printf("%s %s %s\n", Verbs[data->dwData], name, tip);
    return !(TrayGhosts && data->dwData == NIM_ADD);
}

// fake-tray MS [REFUSE_MS [ghost]]: is the notification area for MS: prints "ready",
// refuses icons for REFUSE_MS (a shell not ready), then prints each "add|modify|delete
// CLASS TIP" taken; ghost fails each add, made all the same (a shell at logon).
static int FakeTray(int count, char** args) {
    if (!OwnWindow("Shell_TrayWnd", FakeTrayProc))
        return 1;
    printf("ready\n");
    TrayReadyAt = GetTickCount() + Millis(count, args, 1, 0);
    TrayGhosts = count > 2 && Is(args[2], "ghost");
    Pump(atoi(args[0]));
    return 0;
}

static HDDEDATA CALLBACK MuteProgmanProc(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                         ULONG_PTR) {
    if (type == XTYP_CONNECT)
        return reinterpret_cast<HDDEDATA>(TRUE);
    return reinterpret_cast<HDDEDATA>(type == XTYP_EXECUTE ? DDE_FNOTPROCESSED : 0);
}

// progman-mute MS: prints "ready", is for MS a Program Manager that carries out no
// command; made after the shell's, it is the first to take a conversation.
static int MuteProgman(int, char** args) {
    DWORD instance = 0;
    HSZ name = nullptr;
    if (DdeInitializeA(&instance, MuteProgmanProc, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR ||
        !(name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI)) ||
        !DdeNameService(instance, name, nullptr, DNS_REGISTER))
        return 1;
    printf("ready\n");
    Pump(atoi(args[0]));
    return 0;
}

// The file a decoy swaps and the one it puts in its place; none: it hangs.
static const char* DecoyFile;
static const char* DecoyNew;

static LRESULT CALLBACK DecoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLOSE)
        return DefWindowProcA(window, message, wParam, lParam);
    if (!DecoyFile)
        Sleep(INFINITE);
    char away[MAX_PATH];
    snprintf(away, sizeof away, "%s.away", DecoyFile);
    bool swapped = MoveFileA(DecoyFile, away) && CopyFileA(DecoyNew, DecoyFile, FALSE);
    printf("%s\n", swapped ? "swapped" : "refused");
    PostQuitMessage(0);
    return 0;
}

// decoy CLASS swap FILE NEW | decoy CLASS hang: owns a window of CLASS, prints "ready";
// asked to close, puts NEW in FILE's place, prints "swapped" or "refused", ends | hangs.
static int Decoy(int count, char** args) {
    if (!Is(args[1], "hang")) {
        if (count < 4)
            return 2;
        DecoyFile = args[2];
        DecoyNew = args[3];
    }
    if (!OwnWindow(args[0], DecoyProc))
        return 1;
    printf("ready\n");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

static INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// Whether TEXT fits the client area of SHOWN in TWIN's font (the dialog manager
// made both from one template at one scale): a static wraps at words, a button
// keeps one line within its edges, or beside its box.
static bool TextFits(HWND twin, HWND shown, const char* text, LONG style, bool button) {
    RECT client, need = {};
    GetClientRect(shown, &client);
    int edges =
        (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON ? 6 : GetSystemMetrics(SM_CXMENUCHECK) + 4;
    LONG room = need.right = client.right - (button ? edges : 0);
    HDC dc = GetDC(twin);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(twin, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text, -1, &need, DT_CALCRECT | (button ? DT_SINGLELINE : DT_WORDBREAK));
    ReleaseDC(twin, dc);
    return need.right <= room && need.bottom <= client.bottom;
}

// layout FILE ID: prints "FITS TOP TEXT" of each text and icon of FILE's dialog ID as
// the current page shows it (1: fits, an icon of the system's size), "FITS 0 tabs".
static int Layout(int, char** args) {
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, 0);
    HWND twin = CreateDialogParamA(LoadLibraryExA(args[0], nullptr, LOAD_LIBRARY_AS_DATAFILE),
                                   MAKEINTRESOURCEA(atoi(args[1])), host, IgnoreAll, 0);
    if (!twin)
        return Fail("no dialog %s in %s\n", args[1], args[0]);
    HWND sheet = Sheets().found[0];
    HWND page =
        sheet ? reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : twin;
    for (HWND c = GetWindow(twin, GW_CHILD), shown = GetWindow(page, GW_CHILD); c && shown;
         c = GetWindow(c, GW_HWNDNEXT), shown = GetWindow(shown, GW_HWNDNEXT)) {
        char name[16], text[512] = "";
        GetClassNameA(c, name, sizeof name);
        GetWindowTextA(shown, text, sizeof text);
        LONG style = GetWindowLongA(c, GWL_STYLE);
        bool button = Is(name, "Button"), icon = !button && (style & SS_TYPEMASK) == SS_ICON;
        if (!icon && (!*text || (!button && (style & SS_TYPEMASK) > SS_RIGHT)))
            continue;
        RECT box, client;
        GetWindowRect(shown, &box);
        GetClientRect(shown, &client);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 1);
        bool fits = icon ? client.right == GetSystemMetrics(SM_CXICON)
                         : TextFits(c, shown, text, style, button);
        std::replace_if(
            text, text + strlen(text), [](char t) { return t < ' '; }, ' ');
        printf("%d %ld %s\n", fits ? 1 : 0, box.top, icon ? "icon" : text);
    }
    HWND tabs = sheet ? FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr) : nullptr;
    HWND arrows = tabs ? FindWindowExA(tabs, nullptr, "msctls_updown32", nullptr) : nullptr;
    if (tabs)
        printf("%d 0 tabs\n", arrows && IsWindowVisible(arrows) ? 0 : 1);
    return 0;
}

// Two a line: name, fewest arguments, usage, function (given those after the name).
// clang-format off
static const struct {
    const char* name;
    int args;
    const char* usage;
    int (*run)(int count, char** args);
} Commands[] = {
    {"wait-window", 1, "CLASS [MS]", WaitWindow},        {"wait-gone", 1, "CLASS [MS]", WaitGone},
    {"wait-sheet", 0, "[MS]", WaitSheet},                {"sheets", 0, "", CountSheets},
    {"close", 1, "CLASS [MS]", Close},                   {"end", 1, "CLASS [MS]", End},
    {"command", 2, "CLASS ID", Command},                 {"writes", 2, "KEY deny|allow", Writes},
    {"send", 4, "CLASS MSG WP LP [MS]", Send},           {"post", 4, "CLASS MSG WP LP [MS]", Post},
    {"answer", 2, "TEXT yes|no|ok|leave [MS]", Answer},  {"process-of", 1, "CLASS", ProcessOf},
    {"no-box", 0, "[MS]", NoBox},                        {"signal", 1, "N [GAP_MS]", Signal},
    {"tab", 1, "N", Tab},                                {"text", 1, "ID...", Text},
    {"rect", 1, "ID...", Rect},                          {"press", 1, "ID...", Press},
    {"start-limited", 2, "APP LINE", StartLimited},      {"check", 1, "ID...", Check},
    {"wait-pid", 1, "PID [MS]", WaitPid},                {"wait-child", 1, "PID [MS]", WaitChild},
    {"link", 1, "FILE", Link},                           {"hook-cycle", 1, "FILE", HookCycle},
    {"hold", 2, "FILE MS", Hold},                        {"load", 2, "FILE MS", Load},
    {"hold-mutex", 2, "NAME MS", HoldMutex},             {"unhook", 2, "CLASS FILE", Unhook},
    {"tray-delete", 1, "CLASS", TrayDelete},             {"broadcast", 1, "NAME", Broadcast},
    {"fake-tray", 1, "MS [REFUSE_MS [ghost]]", FakeTray}, {"progman-mute", 1, "MS", MuteProgman},
    {"decoy", 2, "CLASS swap FILE NEW | CLASS hang", Decoy}, {"layout", 2, "FILE ID", Layout},
};
// clang-format on

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 1 && strncmp(argv[1], "--desktop=", 10) == 0) {
        HDESK desktop = OpenDesktopA(argv[1] + 10, 0, FALSE, GENERIC_ALL);
        if (!desktop || !SetThreadDesktop(desktop))
            return Fail("cannot move onto desktop %s\n", argv[1] + 10) + 1;
        argc--;
        argv++;
    }
    for (const auto& c : Commands) {
        if (argc < 2 || !Is(argv[1], c.name))
            continue;
        int result = argc - 2 >= c.args ? c.run(argc - 2, argv + 2) : 2;
        if (result == 2)
            fprintf(stderr, "usage: twdriver %s %s\n", c.name, c.usage);
        return result;
    }
    fprintf(stderr, "usage: twdriver [--desktop=NAME] COMMAND ARGS, one of:\n");
    for (const auto& c : Commands)
        fprintf(stderr, "  %s %s\n", c.name, c.usage);
    return 2;
}
