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
//   twdriver signal N [GAP_MS]            signal the click event N times, GAP_MS apart
//                                         (default 200, so that each wakes the counter)
//   twdriver send CLASS MSG WPARAM LPARAM send a message and print its result
//
// Exit code 0 on success, 1 when the condition was not met, 2 on bad usage.
#include <windows.h>

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
    LRESULT result = SendMessageA(window, strtoul(argv[3], nullptr, 0), strtoul(argv[4], nullptr, 0),
                                  strtol(argv[5], nullptr, 0));
    printf("%ld\n", static_cast<long>(result));
    return 0;
}

struct DriverCommand {
    const char* name;
    int (*run)(int argc, char** argv);
};

static const DriverCommand Commands[] = {
    {"wait-window", WaitWindow}, {"wait-gone", WaitGone}, {"close", Close},
    {"command", Command},        {"answer", Answer},      {"box", Box},
    {"no-box", NoBox},
    {"signal", Signal},          {"send", Send},
};

int main(int argc, char** argv) {
    if (argc >= 2) {
        for (const DriverCommand& c : Commands) {
            if (!strcmp(argv[1], c.name)) {
                int result = c.run(argc, argv);
                if (result == 2)
                    fprintf(stderr, "usage: see the top of twdriver.cpp\n");
                return result;
            }
        }
    }
    fprintf(stderr, "usage: twdriver COMMAND ARGS (see the top of twdriver.cpp)\n");
    return 2;
}
