// The property sheet of the common controls, loaded when first shown.
#include "sheet_parts.h"
#include "../base/library_search.h"
#include "../base/program.h"

#include <commctrl.h>

#include <cstddef>

// The first, 40-byte form of the platform's page record: the sheet steps
// through the page array by each record's own size, so the array is of
// records of exactly that form.
struct PageRecord {
    DWORD Size;
    DWORD Flags;
    HINSTANCE Instance;
    LPCSTR Template;
    LPCSTR Icon;
    LPCSTR Title;
    DLGPROC Procedure;
    LPARAM Parameter;
    LPFNPSPCALLBACKA Callback;
    UINT* RefParent;
};
// The header's PROPSHEETPAGEA_V1_SIZE, which is no constant expression.
static_assert(sizeof(PageRecord) == offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*),
              "page record of the first form");

// The platform takes at most this many pages.
enum { MaxSheetPages = 32 };

typedef INT_PTR(WINAPI* PropertySheetProc)(LPCPROPSHEETHEADERA header);

// The common controls serve only the sheet: their library is loaded when the
// sheet first opens rather than at every start of a program that mostly
// sits in the tray.
static PropertySheetProc LoadPropertySheet() {
    static PropertySheetProc propertySheet;
    if (propertySheet)
        return propertySheet;
    HMODULE library = LoadSystemLibrary("comctl32.dll");
    if (!library)
        return nullptr;
    typedef void(WINAPI * InitProc)();
    InitProc init = LateProc<InitProc>(library, "InitCommonControls");
    if (init)
        init();
    propertySheet = LateProc<PropertySheetProc>(library, "PropertySheetA");
    return propertySheet;
}

int RunPropertySheet(HWND owner, const char* caption, PFNPROPSHEETCALLBACK callback,
                     const PageSpec* pages) {
    PageRecord records[MaxSheetPages] = {};
    int count = 0;
    for (; count < MaxSheetPages && pages[count].TemplateId != 0; count++) {
        PageRecord* page = &records[count];
        page->Size = PROPSHEETPAGEA_V1_SIZE;
        page->Flags = PSP_DEFAULT;
        page->Instance = AppInstance;
        page->Template = MAKEINTRESOURCEA(pages[count].TemplateId);
        page->Procedure = pages[count].Procedure;
    }
    if (count == 0)
        return 0;

    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_USEICONID | PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.hwndParent = owner;
    header.hInstance = AppInstance;
    header.pszIcon = MAKEINTRESOURCEA(IDI_APP);
    header.pszCaption = caption;
    header.nPages = count;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(records);
    header.pfnCallback = callback;

    PropertySheetProc propertySheet = LoadPropertySheet();
    if (!propertySheet)
        return -1; // as the platform answers a sheet it could not show
    SetFocus(owner);
    return static_cast<int>(propertySheet(&header));
}
