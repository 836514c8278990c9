// twdriver: a small Win32 program that the end-to-end tests run under Wine to
// find, read and drive the program's windows, as a user would.
//
//   wait-window|wait-gone CLASS [MS]  wait until a top-level window of CLASS exists | none does
//   close|close-wait CLASS [MS]  send WM_CLOSE, as another copy does | and wait for its process
//   process-of CLASS             print its process's "ID ELEVATED(1|0) PARENT-ID"
//   command CLASS ID             post WM_COMMAND ID
//   send|post CLASS MSG WP LP [MS]  send a message and print its result | post it (for one
//                                whose handling waits), waiting MS for a visible window (a menu)
//   answer TEXT yes|no|ok|leave [MS]  wait for a message box containing TEXT, print it, answer
//                                it | leave it and print its process's id and its parent's
//   no-box [MS]                  fail if a message box appears within MS
//   signal N [GAP_MS]            signal the click event N times, GAP_MS (200) apart
//   wait-sheet [MS] | sheets     wait for the statistics sheet | print how many are shown
//   text ID... | rect ID         print each control's text | "left top right bottom visible
//                                CLIENT-LEFT CLIENT-TOP CLIENT-RIGHT CLIENT-BOTTOM" on the screen
//   check ID                     print a check box's state (0 or 1)
//   press ID | tab N             click a button, as the mouse would | select tab N (0 first)
//   start-limited APP LINE       start APP with LINE unchanged, as Windows starts an entry,
//                                with a limited user's token; print its process id
//   wait-pid PID MS              wait until process PID has ended
//   link FILE                    print a shell link's target, working directory, description,
//                                and, where it has them, its arguments and "ICONFILE INDEX"
//   hold|load|hold-mutex X MS    open file X for reading, sharing only reading | load it, as a
//                                process the hook reached keeps the hook library | hold a mutex
//                                named X; print "held" or "loaded" once done, keep it MS
//   hook-cycle FILE              set and remove FILE's hook, as another session's copy does
//   unhook CLASS FILE            run FILE's TallywhirlReset in the window's process
//   deny-writes|allow-writes KEY deny everyone setting values under HKLM\KEY | allow it again
//   tray-delete CLASS | broadcast NAME  remove the window's icon 1 from the notification area |
//                                post the registered message NAME to every top-level window
//   progman-mute MS              be a Program Manager DDE service for MS that takes every
//                                conversation and carries out no command; print "ready"
//   wait-child PID MS            print "watching", then "ID FILE" of the first process PID starts
//   decoy CLASS swap FILE NEW | decoy CLASS hang  own a window of CLASS, print "ready"; asked
//                                to close, rename FILE away and copy NEW in its place, print
//                                "swapped" or "refused" and end | never answer
//   end CLASS                    end the window's process
//   fake-tray MS [REFUSE_MS [ghost]]  be the notification area for MS: print "ready", refuse
//                                icons for REFUSE_MS (a shell not ready), then print each
//                                "add|modify|delete CLASS" taken; ghost: answer each add with
//                                failure, the icon made all the same (a shell at logon)
//   layout FILE ID               each text and icon of FILE's dialog ID as the sheet's current
//                                page shows it: "FITS TOP TEXT" (FITS 1 for a text that fits, an
//                                icon of the system's size), then "FITS 0 tabs" (need no arrows)
//
// Before any command, --desktop=NAME moves the driver onto the Wine virtual
// desktop NAME, whose windows and notification area it then sees.
//
// Windows of a class are looked for among the visible ones first (menus keep
// hidden windows of their class); a control ID (0: the sheet) on the sheet's
// current page first, then among its own buttons. Exit code 0 on success, 1
// when the condition was not met, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>
#include <ddeml.h>
#include <sddl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char TitleText[] = "Tallywhirl by Oakhart";

static int Millis(int argc, char** argv, int index, int fallback) {
    return argc > index ? atoi(argv[index]) : fallback;
}

static UINT_PTR Number(const char* text) {
    return strtoul(text, nullptr, 0);
}

static bool Is(const char* text, const char* name) {
    return strcmp(text, name) == 0;
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

// The visible top-level windows of a class, in z-order. A FindWindowEx walk
// ends early when the window it stands on is destroyed meanwhile (a message
// box just answered, hidden and not yet gone); EnumWindows takes them at once.
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

static HWND FindVisible(const char* className) {
    Windows windows = VisibleWindows(className);
    return windows.count ? windows.found[0] : nullptr;
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

// wait-window, wait-gone and wait-sheet.
static int Wait(int argc, char** argv) {
    bool sheet = Is(argv[1], "wait-sheet"), present = !Is(argv[1], "wait-gone");
    const char* name = sheet ? "statistics sheet" : argv[2];
    int ms = Millis(argc, argv, sheet ? 2 : 3, 10000);
    auto shown = [&] { return sheet ? Sheets().count > 0 : FindWindowA(name, nullptr) != nullptr; };
    if (WaitUntil(ms, [&] { return shown() == present; }))
        return 0;
    fprintf(stderr, "%s %s after %d ms\n", present ? "no" : "still a", name, ms);
    return 1;
}

// The commands on a window of class argv[2].
static int OnWindow(int argc, char** argv) {
    HWND window = nullptr;
    WaitUntil(Millis(argc, argv, 6, 0), [&] { return (window = FindVisible(argv[2])) != nullptr; });
    if (!window && !(window = FindWindowA(argv[2], nullptr))) {
        fprintf(stderr, "no window of class %s\n", argv[2]);
        return 1;
    }
    if (Is(argv[1], "command"))
        return !PostMessageA(window, WM_COMMAND, atoi(argv[3]), 0);
    if (Is(argv[1], "post"))
        return !PostMessageA(window, Number(argv[3]), Number(argv[4]), Number(argv[5]));
    if (Is(argv[1], "send")) {
        LRESULT result = SendMessageA(window, Number(argv[3]), Number(argv[4]), Number(argv[5]));
        printf("%ld\n", static_cast<long>(result));
        return 0;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = Is(argv[1], "close")
                         ? nullptr
                         : OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    if (Is(argv[1], "end"))
        TerminateProcess(process, 1);
    else
        SendMessageA(window, WM_CLOSE, 0, 0);
    if (!process)
        return Is(argv[1], "close") ? 0 : 1;
    DWORD waited = WaitForSingleObject(process, Millis(argc, argv, 3, 10000));
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0)
        fprintf(stderr, "the process of %s is still running\n", argv[2]);
    return waited != WAIT_OBJECT_0;
}

static DWORD ParentOf(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        parent = entry.th32ProcessID == processId ? entry.th32ParentProcessID : parent;
    CloseHandle(snapshot);
    return parent;
}

static int Answer(int argc, char** argv) {
    WPARAM button = Is(argv[3], "yes") ? IDYES : Is(argv[3], "no") ? IDNO : IDOK;
    if (button == IDOK && !Is(argv[3], "ok") && !Is(argv[3], "leave"))
        return 2;
    int ms = Millis(argc, argv, 4, 10000);
    char text[1024], caption[256];
    HWND box = nullptr;
    if (!WaitUntil(ms,
                   [&] { return (box = FindMessageBox(argv[2], text, sizeof text)) != nullptr; })) {
        fprintf(stderr, "no message box with \"%s\" after %d ms\n", argv[2], ms);
        return 1;
    }
    GetWindowTextA(box, caption, sizeof caption);
    DWORD processId = 0;
    GetWindowThreadProcessId(box, &processId);
    if (Is(argv[3], "leave"))
        return printf("%lu %lu\n", processId, ParentOf(processId)) < 0;
    printf("%s\n", text);
    if (!Is(caption, TitleText)) {
        fprintf(stderr, "message box caption is \"%s\"\n", caption);
        return 1;
    }
    PostMessageA(box, WM_COMMAND, button, 0);
    return 0;
}

static int NoBox(int argc, char** argv) {
    char text[1024];
    if (!WaitUntil(Millis(argc, argv, 2, 2000),
                   [&] { return FindMessageBox(nullptr, text, sizeof text) != nullptr; }))
        return 0;
    fprintf(stderr, "unexpected message box: %s\n", text);
    return 1;
}

// Signals the named click event as the hook library does for each click.
static int Signal(int argc, char** argv) {
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TallywhirlEvent");
    if (!event) {
        fprintf(stderr, "no event TallywhirlEvent\n");
        return 1;
    }
    for (int i = 0; i < atoi(argv[2]); i++) {
        SetEvent(event);
        Sleep(Millis(argc, argv, 3, 200));
    }
    CloseHandle(event);
    return 0;
}

// The commands on the sheet and on its controls argv[2...].
static int OnSheet(int argc, char** argv) {
    Windows sheets = Sheets();
    if (Is(argv[1], "sheets")) {
        printf("%d\n", sheets.count);
        return 0;
    }
    HWND sheet = sheets.count ? sheets.found[0] : nullptr;
    if (!sheet) {
        fprintf(stderr, "no statistics sheet\n");
        return 1;
    }
    if (Is(argv[1], "tab"))
        return !SendMessageA(sheet, PSM_SETCURSEL, atoi(argv[2]), 0);
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int i = 2; i < argc; i++) {
        int id = atoi(argv[i]);
        HWND control = id == 0 ? sheet : page ? GetDlgItem(page, id) : nullptr;
        if (!control && !(control = GetDlgItem(sheet, id))) {
            fprintf(stderr, "no control %d on the sheet's current page or the sheet\n", id);
            return 1;
        }
        RECT box = {};
        char text[512] = "";
        if (Is(argv[1], "press")) {
            // Posted: a question the click asks must not hold up the driver.
            PostMessageA(control, BM_CLICK, 0, 0);
        } else if (Is(argv[1], "rect")) {
            RECT client;
            GetWindowRect(control, &box);
            GetClientRect(control, &client);
            MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
            printf("%ld %ld %ld %ld %d %ld %ld %ld %ld\n", box.left, box.top, box.right, box.bottom,
                   IsWindowVisible(control) ? 1 : 0, client.left, client.top, client.right,
                   client.bottom);
        } else if (Is(argv[1], "check")) {
            printf("%d\n", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
        } else {
            GetWindowTextA(control, text, sizeof text);
            printf("%s\n", text);
        }
    }
    return 0;
}

// Given the application name, Wine passes the line on as it stands, as
// Windows does. Its elevated tokens are linked to limited ones, as an
// administrator's are on Windows. The standard handles are NUL: a process
// that held the driver's output would keep its reader waiting.
static int Start(int, char** argv) {
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
                   CreateProcessAsUserA(linked.LinkedToken, argv[2], argv[3], nullptr, nullptr,
                                        TRUE, 0, nullptr, nullptr, &startup, &process);
    if (!started) {
        fprintf(stderr, "%s failed: %lu\n", argv[1], GetLastError());
        return 1;
    }
    printf("%lu\n", process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// A process that has ended and been released is no process any more: the
// platform refuses its id as an invalid parameter, and it counts as ended.
// Any other refusal (no right to wait, an id that is no number) is a failure.
static int WaitPid(int argc, char** argv) {
    char* end = nullptr;
    DWORD id = strtoul(argv[2], &end, 10);
    if (!id || *end) {
        fprintf(stderr, "wait-pid: '%s' is no process id\n", argv[2]);
        return 2;
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) {
        DWORD error = GetLastError();
        if (error == ERROR_INVALID_PARAMETER)
            return 0;
        fprintf(stderr, "wait-pid: process %lu cannot be opened (error %lu)\n", id, error);
        return 1;
    }
    DWORD waited = WaitForSingleObject(process, Millis(argc, argv, 3, 10000));
    CloseHandle(process);
    return waited != WAIT_OBJECT_0;
}

static int ProcessOf(int, char** argv) {
    DWORD processId = 0;
    HWND window = FindWindowA(argv[2], nullptr);
    if (!window || !GetWindowThreadProcessId(window, &processId))
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

// Prints a shell link's target, working directory and description.
static int Link(int, char** argv) {
    WCHAR file[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[2], -1, file, MAX_PATH);
    char target[MAX_PATH] = "", folder[MAX_PATH] = "", description[MAX_PATH] = "";
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    bool read =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(file, STGM_READ));
    char arguments[MAX_PATH] = "", icon[MAX_PATH] = "";
    int index = 0;
    if (read) {
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, MAX_PATH);
        link->GetDescription(description, MAX_PATH);
        link->GetArguments(arguments, MAX_PATH);
        link->GetIconLocation(icon, MAX_PATH, &index);
        printf("%s\n%s\n%s\n%s\n", target, folder, description, arguments);
        if (icon[0])
            printf("%s %d\n", icon, index);
    } else {
        fprintf(stderr, "cannot read the link %s\n", argv[2]);
    }
    if (persist)
        persist->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return read ? 0 : 1;
}

// hold and load: a file that cannot be replaced or deleted while they keep
// it; hold-mutex: a name no event can take. The driver's end lets go of it.
static int Keep(int argc, char** argv) {
    bool load = Is(argv[1], "load");
    bool kept = load ? LoadLibraryA(argv[2]) != nullptr
                : Is(argv[1], "hold-mutex")
                    ? CreateMutexA(nullptr, TRUE, argv[2]) != nullptr
                    : CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr) != INVALID_HANDLE_VALUE;
    if (!kept) {
        fprintf(stderr, "cannot %s %s: %lu\n", argv[1], argv[2], GetLastError());
        return 1;
    }
    printf("%s\n", load ? "loaded" : "held");
    fflush(stdout);
    Sleep(Millis(argc, argv, 3, 0));
    return 0;
}

static int HookCycle(int, char** argv) {
    HMODULE library = LoadLibraryA(argv[2]);
    auto init = reinterpret_cast<BOOL(WINAPI*)(HMODULE)>(
        reinterpret_cast<void*>(GetProcAddress(library, "TallywhirlInit")));
    auto reset = reinterpret_cast<void(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "TallywhirlReset")));
    if (!init || !reset) {
        fprintf(stderr, "no hook library at %s\n", argv[2]);
        return 1;
    }
    BOOL set = init(library);
    reset();
    return set ? 0 : 1;
}

// Runs TallywhirlReset on a thread of the window's process. The library
// lies at the same address in every process that maps the same file.
static int Unhook(int, char** argv) {
    DWORD processId = 0;
    GetWindowThreadProcessId(FindWindowA(argv[2], nullptr), &processId);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    void* reset = reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(argv[3]), "TallywhirlReset"));
    HANDLE thread = process && reset
                        ? CreateRemoteThread(process, nullptr, 0,
                                             reinterpret_cast<LPTHREAD_START_ROUTINE>(reset),
                                             nullptr, 0, nullptr)
                        : nullptr;
    bool ran = thread && WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
    if (!ran)
        fprintf(stderr, "no TallywhirlReset ran in process %lu\n", processId);
    return !ran;
}

static int Writes(int, char** argv) {
    const char* rule =
        Is(argv[1], "deny-writes") ? "D:(D;;0x2;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)";
    PSECURITY_DESCRIPTOR security = nullptr;
    HKEY key;
    bool set = ConvertStringSecurityDescriptorToSecurityDescriptorA(rule, SDDL_REVISION_1,
                                                                    &security, nullptr) &&
               RegOpenKeyExA(HKEY_LOCAL_MACHINE, argv[2], 0, WRITE_DAC, &key) == ERROR_SUCCESS &&
               RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security) == ERROR_SUCCESS;
    LocalFree(security);
    return !set;
}

static int Tray(int, char** argv) {
    if (Is(argv[1], "broadcast"))
        return !PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(argv[2]), 0, 0);
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = FindWindowA(argv[2], nullptr);
    icon.uID = 1;
    return !Shell_NotifyIconA(NIM_DELETE, &icon);
}

static DWORD TrayReadyAt;
static bool TrayGhosts;

// The shell hands each icon to the window of this class as WM_COPYDATA,
// with the icon's owner as wParam and NIM_ADD, NIM_MODIFY or NIM_DELETE as
// dwData.
static LRESULT CALLBACK FakeTrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const char* const Verbs[] = {"add", "modify", "delete"};
    char name[64] = "";
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    if (static_cast<LONG>(GetTickCount() - TrayReadyAt) < 0)
        return FALSE;
    ULONG_PTR verb = reinterpret_cast<COPYDATASTRUCT*>(lParam)->dwData;
    if (verb <= NIM_DELETE && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name))
        printf("%s %s\n", Verbs[verb], name);
    return !(TrayGhosts && verb == NIM_ADD);
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

static int FakeTray(int argc, char** argv) {
    WNDCLASSA trayClass = {};
    trayClass.lpfnWndProc = FakeTrayProc;
    trayClass.lpszClassName = "Shell_TrayWnd";
    if (!RegisterClassA(&trayClass) || !CreateWindowExA(0, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 1,
                                                        1, nullptr, nullptr, nullptr, nullptr))
        return 1;
    printf("ready\n");
    TrayReadyAt = GetTickCount() + Millis(argc, argv, 3, 0);
    TrayGhosts = argc > 4 && Is(argv[4], "ghost");
    Pump(Millis(argc, argv, 2, 0));
    return 0;
}

static HDDEDATA CALLBACK MuteProgmanProc(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                         ULONG_PTR) {
    if (type == XTYP_CONNECT)
        return reinterpret_cast<HDDEDATA>(TRUE);
    return reinterpret_cast<HDDEDATA>(type == XTYP_EXECUTE ? DDE_FNOTPROCESSED : 0);
}

// Its service window, made after the shell's, is the first to take a
// conversation that a client asks every window for.
static int MuteProgman(int argc, char** argv) {
    DWORD instance = 0;
    HSZ name = nullptr;
    if (DdeInitializeA(&instance, MuteProgmanProc, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR ||
        !(name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI)) ||
        !DdeNameService(instance, name, nullptr, DNS_REGISTER))
        return 1;
    printf("ready\n");
    Pump(Millis(argc, argv, 2, 0));
    return 0;
}

// Looks all the time, not every 50 ms: the child may live briefly.
static int WaitChild(int argc, char** argv) {
    DWORD parent = atoi(argv[2]), end = GetTickCount() + Millis(argc, argv, 3, 10000);
    printf("watching\n");
    do {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more;
             more = Process32Next(snapshot, &entry)) {
            // A process just made may not have its file's name yet.
            if (entry.th32ParentProcessID == parent && entry.szExeFile[0])
                return printf("%lu %s\n", entry.th32ProcessID, entry.szExeFile) < 0;
        }
        CloseHandle(snapshot);
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
    fprintf(stderr, "process %lu started none\n", parent);
    return 1;
}

static char** DecoyArgs;

static LRESULT CALLBACK DecoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLOSE)
        return DefWindowProcA(window, message, wParam, lParam);
    if (Is(DecoyArgs[3], "hang"))
        Sleep(INFINITE);
    char away[MAX_PATH];
    snprintf(away, sizeof away, "%s.away", DecoyArgs[4]);
    bool swapped = MoveFileA(DecoyArgs[4], away) && CopyFileA(DecoyArgs[5], DecoyArgs[4], FALSE);
    printf("%s\n", swapped ? "swapped" : "refused");
    PostQuitMessage(0);
    return 0;
}

static int Decoy(int argc, char** argv) {
    if (!Is(argv[3], "hang") && argc < 6)
        return 2;
    DecoyArgs = argv;
    WNDCLASSA decoyClass = {};
    decoyClass.lpfnWndProc = DecoyProc;
    decoyClass.lpszClassName = argv[2];
    if (!RegisterClassA(&decoyClass) ||
        !CreateWindowExA(0, argv[2], "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr))
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

static int Layout(int, char** argv) {
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, 0);
    HWND twin = CreateDialogParamA(LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE),
                                   MAKEINTRESOURCEA(atoi(argv[3])), host, IgnoreAll, 0);
    if (!twin)
        return fprintf(stderr, "no dialog %s in %s\n", argv[3], argv[2]), 1;
    Windows sheets = Sheets();
    HWND sheet = sheets.count ? sheets.found[0] : nullptr;
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

// A table of three columns.
// clang-format off
static const struct {
    const char* name;
    int minArgc;
    int (*run)(int argc, char** argv);
} Commands[] = {
    {"wait-window", 3, Wait},     {"wait-gone", 3, Wait},       {"wait-sheet", 2, Wait},
    {"close", 3, OnWindow},       {"close-wait", 3, OnWindow},  {"command", 4, OnWindow},
    {"send", 6, OnWindow},        {"post", 6, OnWindow},        {"answer", 4, Answer},
    {"no-box", 2, NoBox},         {"signal", 3, Signal},        {"sheets", 2, OnSheet},
    {"text", 3, OnSheet},         {"rect", 3, OnSheet},         {"press", 3, OnSheet},
    {"tab", 3, OnSheet},          {"check", 3, OnSheet},        {"start-limited", 4, Start},
    {"wait-pid", 3, WaitPid},     {"process-of", 3, ProcessOf}, {"link", 3, Link},
    {"hold", 4, Keep},            {"load", 4, Keep},            {"hold-mutex", 4, Keep},
    {"hook-cycle", 3, HookCycle}, {"unhook", 4, Unhook},        {"deny-writes", 3, Writes},
    {"allow-writes", 3, Writes},  {"tray-delete", 3, Tray},     {"broadcast", 3, Tray},
    {"fake-tray", 3, FakeTray},   {"progman-mute", 3, MuteProgman},
    {"wait-child", 3, WaitChild}, {"decoy", 4, Decoy},          {"end", 3, OnWindow},
    {"layout", 4, Layout},
};
// clang-format on

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 1 && strncmp(argv[1], "--desktop=", 10) == 0) {
        HDESK desktop = OpenDesktopA(argv[1] + 10, 0, FALSE, GENERIC_ALL);
        if (!desktop || !SetThreadDesktop(desktop)) {
            fprintf(stderr, "cannot move onto desktop %s\n", argv[1] + 10);
            return 2;
        }
        argc--;
        argv++;
    }
    for (const auto& c : Commands) {
        if (argc >= c.minArgc && Is(argv[1], c.name))
            return c.run(argc, argv);
    }
    fprintf(stderr, "usage: twdriver COMMAND ARGS (see the top of twdriver.cpp)\n");
    return 2;
}
