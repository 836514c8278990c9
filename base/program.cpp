// The program's instance and its message box, which every layer shows its
// words through.
#include "program.h"

HINSTANCE AppInstance;

int ShowMessage(HWND owner, int textId, UINT flags) {
    return MessageBoxA(owner, LoadResString(textId), LoadResString(IDS_TITLE), flags);
}
