// twdriver: a small Win32 program that the end-to-end tests run under Wine to
// find, read and drive the program's windows, as a user would.
//
//   twdriver wait-window CLASS [MS]       wait until a top-level window of CLASS exists
//   twdriver wait-gone CLASS [MS]         wait until none exists
//   twdriver close CLASS                  send WM_CLOSE, as another copy does
//   twdriver command CLASS ID             post WM_COMMAND ID
//   twdriver answer TEXT yes|no|ok [MS]   wait for a message box containing TEXT and answer it
//   twdriver box [MS]                     wait for any message box and print its text
//   twdriver no-box [MS]                  fail if a message box appears within MS
//   twdriver place CLASS X Y W H [MS]     wait for a window of CLASS, move and size it
//   twdriver geometry CLASS [MS]          print its window and client rectangles and
//                                         caption height: L T R B  CL CT CR CB  CAPTION
//   twdriver close-wait CLASS [MS]        send WM_CLOSE and wait until the window's process ends
//   twdriver report FILE COMMAND ARGS     run COMMAND with its output in FILE and its exit
//                                         code in FILE.rc (for runs inside a virtual
//                                         desktop, whose starter keeps neither)
//   twdriver kill CLASS                   end the window's process at once, as a crash would
//   twdriver link FILE                    print a shell link's target, working directory
//                                         and description, one a line
//   twdriver window-pid CLASS             print the process id of CLASS's window
//   twdriver signal N [GAP_MS]            signal the click event N times, GAP_MS apart
//                                         (default 200, so that each wakes the counter)
//   twdriver send CLASS MSG WPARAM LPARAM send a message and print its result
//   twdriver windows                      list the visible top-level windows: class, rectangle
//   twdriver post CLASS MSG WPARAM LPARAM post a message (for one whose handling waits,
//                                         such as a menu's); CLASS may be "#32768"
//   twdriver wait-sheet [MS]              wait until the statistics sheet is shown
//   twdriver sheets                       print how many statistics sheets are shown
//   twdriver text ID...                   print each control's text, one a line
//   twdriver rect ID                      print "left top right bottom visible" in screen
//                                         pixels; ID 0 is the sheet itself
//   twdriver press ID                     click a button, as the mouse would
//   twdriver check ID                     print a check box's state (0 or 1)
//   twdriver tab N                        select the sheet's tab N (0 first)
//   twdriver move X Y                     move the sheet, as a user would drag it
//   twdriver hold FILE MS                 open FILE for reading, sharing only reading,
//                                         print "held" and keep it open MS
//   twdriver load LIBRARY MS              load LIBRARY, print "loaded" and keep it MS, as a
//                                         process the hook reached keeps the hook library
//   twdriver start APP LINE               start APP with the command line LINE passed on
//                                         unchanged, as Windows starts a Run entry
//
// A control ID is looked for on the sheet's current page first, then among
// the sheet's own buttons.
//
// Exit code 0 on success, 1 when the condition was not met, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char TitleText[] = "Tallywhirl by Oakhart";

static int Millis(int argc, char** argv, int index, int fallback) {
    return argc > index ? atoi(argv[index]) : fallback;
}

// A message box: a dialog whose text sits in the static with id 0xFFFF.
static HWND FindMessageBox(const char* containing, char* text, int size) {
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
        if (!IsWindowVisible(box))
            continue;
        HWND label = GetDlgItem(box, 0xFFFF);
        if (!label)
            continue;
        GetWindowTextA(label, text, size);
        if (!containing || strstr(text, containing))
            return box;
    }
    return nullptr;
}

static int WaitWindow(int argc, char** argv) {
    if (argc < 3)
        return 2;
    int ms = Millis(argc, argv, 3, 10000);
    for (int waited = 0; waited <= ms; waited += 50) {
        if (FindWindowA(argv[2], nullptr))
            return 0;
        Sleep(50);
    }
    fprintf(stderr, "no window of class %s after %d ms\n", argv[2], ms);
    return 1;
}

static int WaitGone(int argc, char** argv) {
    if (argc < 3)
        return 2;
    int ms = Millis(argc, argv, 3, 10000);
    for (int waited = 0; waited <= ms; waited += 50) {
        if (!FindWindowA(argv[2], nullptr))
            return 0;
        Sleep(50);
    }
    fprintf(stderr, "a window of class %s is still there after %d ms\n", argv[2], ms);
    return 1;
}

static int Close(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND window = FindWindowA(argv[2], nullptr);
    if (!window) {
        fprintf(stderr, "no window of class %s\n", argv[2]);
        return 1;
    }
    SendMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

static int Command(int argc, char** argv) {
    if (argc < 4)
        return 2;
    HWND window = FindWindowA(argv[2], nullptr);
    if (!window) {
        fprintf(stderr, "no window of class %s\n", argv[2]);
        return 1;
    }
    PostMessageA(window, WM_COMMAND, atoi(argv[3]), 0);
    return 0;
}

static int Answer(int argc, char** argv) {
    if (argc < 4)
        return 2;
    WPARAM button;
    if (!strcmp(argv[3], "yes"))
        button = IDYES;
    else if (!strcmp(argv[3], "no"))
        button = IDNO;
    else if (!strcmp(argv[3], "ok"))
        button = IDOK;
    else
        return 2;
    int ms = Millis(argc, argv, 4, 10000);
    char text[1024];
    for (int waited = 0; waited <= ms; waited += 50) {
        HWND box = FindMessageBox(argv[2], text, sizeof text);
        if (box) {
            char caption[256];
            GetWindowTextA(box, caption, sizeof caption);
            printf("%s\n", text);
            if (strcmp(caption, TitleText) != 0) {
                fprintf(stderr, "message box caption is \"%s\"\n", caption);
                return 1;
            }
            PostMessageA(box, WM_COMMAND, button, 0);
            return 0;
        }
        Sleep(50);
    }
    fprintf(stderr, "no message box with \"%s\" after %d ms\n", argv[2], ms);
    return 1;
}

static int Box(int argc, char** argv) {
    int ms = Millis(argc, argv, 2, 10000);
    char text[1024];
    for (int waited = 0; waited <= ms; waited += 50) {
        if (FindMessageBox(nullptr, text, sizeof text)) {
            printf("%s\n", text);
            return 0;
        }
        Sleep(50);
    }
    fprintf(stderr, "no message box after %d ms\n", ms);
    return 1;
}

static int NoBox(int argc, char** argv) {
    int ms = Millis(argc, argv, 2, 2000);
    char text[1024];
    for (int waited = 0; waited <= ms; waited += 50) {
        if (FindMessageBox(nullptr, text, sizeof text)) {
            fprintf(stderr, "unexpected message box: %s\n", text);
            return 1;
        }
        Sleep(50);
    }
    return 0;
}

static HWND WaitForWindow(const char* className, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        // Menus keep hidden windows of their class: look past them.
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
            if (IsWindowVisible(window))
                return window;
        }
        Sleep(50);
    }
    fprintf(stderr, "no visible window of class %s after %d ms\n", className, ms);
    return nullptr;
}

static int Place(int argc, char** argv) {
    if (argc < 7)
        return 2;
    HWND window = WaitForWindow(argv[2], Millis(argc, argv, 7, 10000));
    if (!window)
        return 1;
    ShowWindow(window, SW_RESTORE);
    BOOL moved = SetWindowPos(window, HWND_TOP, atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
                              atoi(argv[6]), SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    return moved ? 0 : 1;
}

static int Geometry(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND window = WaitForWindow(argv[2], Millis(argc, argv, 3, 10000));
    if (!window)
        return 1;
    RECT frame = {}, client = {};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    printf("%ld %ld %ld %ld %ld %ld %ld %ld %d\n", frame.left, frame.top, frame.right, frame.bottom,
           client.left, client.top, client.right, client.bottom, GetSystemMetrics(SM_CYCAPTION));
    return 0;
}

static int CloseWait(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND window = FindWindowA(argv[2], nullptr);
    if (!window) {
        fprintf(stderr, "no window of class %s\n", argv[2]);
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return 1;
    SendMessageA(window, WM_CLOSE, 0, 0);
    DWORD waited = WaitForSingleObject(process, Millis(argc, argv, 3, 10000));
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0) {
        fprintf(stderr, "the process of %s is still running\n", argv[2]);
        return 1;
    }
    return 0;
}

// Signals the named click event as the hook library does for each click.
static int Signal(int argc, char** argv) {
    if (argc < 3)
        return 2;
    int count = atoi(argv[2]);
    int gap = Millis(argc, argv, 3, 200);
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TallywhirlEvent");
    if (!event) {
        fprintf(stderr, "no event TallywhirlEvent\n");
        return 1;
    }
    for (int i = 0; i < count; i++) {
        SetEvent(event);
        Sleep(gap);
    }
    CloseHandle(event);
    return 0;
}

static int Send(int argc, char** argv) {
    if (argc < 6)
        return 2;
    HWND window = FindWindowA(argv[2], nullptr);
    if (!window) {
        fprintf(stderr, "no window of class %s\n", argv[2]);
        return 1;
    }
    LRESULT result = SendMessageA(window, strtoul(argv[3], nullptr, 0),
                                  strtoul(argv[4], nullptr, 0), strtol(argv[5], nullptr, 0));
    printf("%ld\n", static_cast<long>(result));
    return 0;
}

static int Kill(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND window = FindWindowA(argv[2], nullptr);
    DWORD processId = 0;
    if (window)
        GetWindowThreadProcessId(window, &processId);
    HANDLE process =
        processId ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId) : nullptr;
    if (!process) {
        fprintf(stderr, "no process for a window of class %s\n", argv[2]);
        return 1;
    }
    int ended = TerminateProcess(process, 9) && WaitForSingleObject(process, 10000) == 0;
    CloseHandle(process);
    return ended ? 0 : 1;
}

static int PrintLink(IShellLinkA* link, const char* file) {
    IPersistFile* persist = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))))
        return 1;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH);
    int result = 1;
    if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
        char target[MAX_PATH] = "", folder[MAX_PATH] = "", description[MAX_PATH] = "";
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, MAX_PATH);
        link->GetDescription(description, MAX_PATH);
        printf("%s\n%s\n%s\n", target, folder, description);
        result = 0;
    } else {
        fprintf(stderr, "cannot load the link %s\n", file);
    }
    persist->Release();
    return result;
}

static int Link(int argc, char** argv) {
    if (argc < 3)
        return 2;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    int result = 1;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        result = PrintLink(link, argv[2]);
        link->Release();
    }
    CoUninitialize();
    return result;
}

static int WindowPid(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND window = FindWindowA(argv[2], nullptr);
    if (!window) {
        fprintf(stderr, "no window of class %s\n", argv[2]);
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    printf("%lu\n", pid);
    return 0;
}

static int RunCommand(int argc, char** argv);

static int Report(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const char* file = argv[2];
    if (!freopen(file, "w", stdout))
        return 1;
    int result = RunCommand(argc - 2, argv + 2);
    fflush(stdout);
    char rcFile[MAX_PATH];
    if (snprintf(rcFile, sizeof rcFile, "%s.rc", file) >= static_cast<int>(sizeof rcFile))
        return 1;
    FILE* rc = fopen(rcFile, "w");
    if (!rc)
        return 1;
    fprintf(rc, "%d\n", result);
    fclose(rc);
    return result;
}

static BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window))
        return TRUE;
    char className[128] = "";
    GetClassNameA(window, className, sizeof className);
    RECT box = {};
    GetWindowRect(window, &box);
    printf("%s %ld %ld %ld %ld\n", className, box.left, box.top, box.right, box.bottom);
    return TRUE;
}

static int Windows(int, char**) {
    EnumWindows(PrintWindow, 0);
    return 0;
}

static int Post(int argc, char** argv) {
    if (argc < 6)
        return 2;
    HWND window = WaitForWindow(argv[2], 0);
    if (!window)
        window = FindWindowA(argv[2], nullptr);
    if (!window) {
        fprintf(stderr, "no window of class %s\n", argv[2]);
        return 1;
    }
    return PostMessageA(window, strtoul(argv[3], nullptr, 0), strtoul(argv[4], nullptr, 0),
                        strtol(argv[5], nullptr, 0))
               ? 0
               : 1;
}

// A statistics sheet: a dialog with the program's title and a tab control,
// which tells it from a message box of the same caption.
static HWND FindSheet(HWND after) {
    HWND sheet = after;
    while ((sheet = FindWindowExA(nullptr, sheet, "#32770", TitleText)) != nullptr) {
        if (IsWindowVisible(sheet) && FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr))
            return sheet;
    }
    return nullptr;
}

static HWND SheetOrComplain() {
    HWND sheet = FindSheet(nullptr);
    if (!sheet)
        fprintf(stderr, "no statistics sheet\n");
    return sheet;
}

static HWND FindSheetControl(HWND sheet, int id) {
    if (id == 0)
        return sheet;
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND control = page ? GetDlgItem(page, id) : nullptr;
    if (!control)
        control = GetDlgItem(sheet, id);
    if (!control)
        fprintf(stderr, "no control %d on the sheet's current page or the sheet\n", id);
    return control;
}

static HWND ControlOfArgument(int argc, char** argv) {
    if (argc < 3)
        return nullptr;
    HWND sheet = SheetOrComplain();
    return sheet ? FindSheetControl(sheet, atoi(argv[2])) : nullptr;
}

static int WaitSheet(int argc, char** argv) {
    int ms = Millis(argc, argv, 2, 10000);
    for (int waited = 0; waited <= ms; waited += 50) {
        if (FindSheet(nullptr))
            return 0;
        Sleep(50);
    }
    fprintf(stderr, "no statistics sheet after %d ms\n", ms);
    return 1;
}

static int Sheets(int, char**) {
    int count = 0;
    for (HWND sheet = FindSheet(nullptr); sheet; sheet = FindSheet(sheet))
        count++;
    printf("%d\n", count);
    return 0;
}

static int Text(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND sheet = SheetOrComplain();
    if (!sheet)
        return 1;
    for (int i = 2; i < argc; i++) {
        HWND control = FindSheetControl(sheet, atoi(argv[i]));
        if (!control)
            return 1;
        char text[512];
        GetWindowTextA(control, text, sizeof text);
        printf("%s\n", text);
    }
    return 0;
}

static int Rect(int argc, char** argv) {
    HWND control = ControlOfArgument(argc, argv);
    if (!control)
        return argc < 3 ? 2 : 1;
    RECT box;
    GetWindowRect(control, &box);
    printf("%ld %ld %ld %ld %d\n", box.left, box.top, box.right, box.bottom,
           IsWindowVisible(control) ? 1 : 0);
    return 0;
}

static int Press(int argc, char** argv) {
    HWND control = ControlOfArgument(argc, argv);
    if (!control)
        return argc < 3 ? 2 : 1;
    // Posted: a question the click asks must not hold up the driver.
    PostMessageA(control, BM_CLICK, 0, 0);
    return 0;
}

static int Check(int argc, char** argv) {
    HWND control = ControlOfArgument(argc, argv);
    if (!control)
        return argc < 3 ? 2 : 1;
    printf("%d\n", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
    return 0;
}

static int Tab(int argc, char** argv) {
    if (argc < 3)
        return 2;
    HWND sheet = SheetOrComplain();
    if (!sheet)
        return 1;
    return SendMessageA(sheet, PSM_SETCURSEL, atoi(argv[2]), 0) ? 0 : 1;
}

static int Move(int argc, char** argv) {
    if (argc < 4)
        return 2;
    HWND sheet = SheetOrComplain();
    if (!sheet)
        return 1;
    return SetWindowPos(sheet, nullptr, atoi(argv[2]), atoi(argv[3]), 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}

struct DriverCommand {
    const char* name;
    int (*run)(int argc, char** argv);
};

// Wine rewrites a line with the program path quoted when it has to search
// for the program itself; given the application name it passes the line on
// as it stands, as Windows always does.
static int Start(int argc, char** argv) {
    if (argc < 4)
        return 2;
    char line[1024];
    if (snprintf(line, sizeof line, "%s", argv[3]) >= static_cast<int>(sizeof line))
        return 2;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(argv[2], line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        fprintf(stderr, "CreateProcessA failed: %lu\n", GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// Says `word` once it holds what it was given, keeps it for MS, lets go.
static int KeepFor(int argc, char** argv, const char* word) {
    printf("%s\n", word);
    fflush(stdout);
    Sleep(Millis(argc, argv, 3, 0));
    return 0;
}

static int Hold(int argc, char** argv) {
    if (argc < 4)
        return 2;
    HANDLE file = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "CreateFileA failed: %lu\n", GetLastError());
        return 1;
    }
    KeepFor(argc, argv, "held");
    CloseHandle(file);
    return 0;
}

static int Load(int argc, char** argv) {
    if (argc < 4)
        return 2;
    HMODULE library = LoadLibraryA(argv[2]);
    if (!library) {
        fprintf(stderr, "LoadLibraryA failed: %lu\n", GetLastError());
        return 1;
    }
    KeepFor(argc, argv, "loaded");
    FreeLibrary(library);
    return 0;
}

static const DriverCommand Commands[] = {
    {"wait-window", WaitWindow},
    {"start", Start},
    {"hold", Hold},
    {"load", Load},
    {"wait-gone", WaitGone},
    {"close", Close},
    {"command", Command},
    {"answer", Answer},
    {"box", Box},
    {"no-box", NoBox},
    {"place", Place},
    {"geometry", Geometry},
    {"close-wait", CloseWait},
    {"report", Report},
    {"kill", Kill},
    {"link", Link},
    {"window-pid", WindowPid},
    {"signal", Signal},
    {"send", Send},
    {"post", Post},
    {"windows", Windows},
    {"wait-sheet", WaitSheet},
    {"sheets", Sheets},
    {"text", Text},
    {"rect", Rect},
    {"press", Press},
    {"check", Check},
    {"tab", Tab},
    {"move", Move},
};

// ARGV[1] names the command; 2 when there is none of that name.
static int RunCommand(int argc, char** argv) {
    if (argc >= 2) {
        for (const DriverCommand& c : Commands) {
            if (!strcmp(argv[1], c.name))
                return c.run(argc, argv);
        }
    }
    return 2;
}

int main(int argc, char** argv) {
    int result = RunCommand(argc, argv);
    if (result == 2)
        fprintf(stderr, "usage: twdriver COMMAND ARGS (see the top of twdriver.cpp)\n");
    return result;
}
