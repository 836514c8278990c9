// What every page answers the sheet: a page may always be left, and the
// sheet's closing applies nothing, as the pages change nothing on OK.
#include "sheet_parts.h"
#include "../base/program.h"

#include <commctrl.h>

static int AnswerKillActive(HWND page) {
    SetWindowLongA(page, DWL_MSGRESULT, FALSE);
    return 1;
}

static int AnswerApply(HWND page) {
    SetWindowLongA(page, DWL_MSGRESULT, PSNRET_NOERROR);
    return 1;
}

INT_PTR AnswerSheetNotify(HWND page, LPARAM lParam) {
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_KILLACTIVE:
        return AnswerKillActive(page);
    case PSN_APPLY:
        return AnswerApply(page);
    }
    return 0;
}
