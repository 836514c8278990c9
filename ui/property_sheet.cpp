#include "sheet_parts.h"
#include "sheet_flags.h"
#include "../app/app.h"

#include <commctrl.h>

#include <cstddef>

// The first, 40-byte forms of the platform's page and header records: the
// sheet steps through the page array by each record's own size.
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
static_assert(sizeof(PageRecord) == 40, "page record of the first form");
static_assert(offsetof(PROPSHEETHEADERA, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK) == 40,
              "header record of the first form");

static LPCSTR ResourceId(uint32_t id) {
    return id ? MAKEINTRESOURCEA(id & 0xFFFF) : nullptr;
}

static PageRecord DescribePage(const PageSpec& entry, int withHelp) {
    PageRecord page = {};
    page.Size = sizeof page;
    page.Flags = PageFlags(entry.TitleId, entry.IconId, withHelp);
    page.Instance = AppInstance;
    page.Template = MAKEINTRESOURCEA(entry.TemplateId & 0xFFFF);
    page.Icon = ResourceId(entry.IconId);
    page.Title = ResourceId(entry.TitleId);
    page.Procedure = entry.Procedure;
    return page;
}

typedef INT_PTR(WINAPI* PropertySheetProc)(LPCPROPSHEETHEADERA header);

// The common controls serve only the sheet: their library is loaded when the
// sheet first opens rather than at every start of a program that mostly
// sits in the tray.
static PropertySheetProc LoadPropertySheet() {
    static PropertySheetProc propertySheet;
    if (propertySheet)
        return propertySheet;
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library)
        return nullptr;
    typedef void(WINAPI * InitProc)();
    InitProc init = LateProc<InitProc>(library, "InitCommonControls");
    if (init)
        init();
    propertySheet = LateProc<PropertySheetProc>(library, "PropertySheetA");
    return propertySheet;
}

int RunPropertySheet(HWND owner, const char* caption, int startPage, PFNPROPSHEETCALLBACK callback,
                     const PageSpec* pages, int captionIsTitle, int withHelp, int modeless) {
    PageRecord records[MaxSheetPages] = {};
    int count = 0;
    while (count < MaxSheetPages && pages[count].TemplateId != 0) {
        records[count] = DescribePage(pages[count], withHelp);
        count++;
    }
    if (count == 0)
        return 0;

    PROPSHEETHEADERA header = {};
    header.dwSize = 40;
    header.dwFlags = SheetFlags(captionIsTitle, withHelp, modeless);
    header.hwndParent = owner;
    header.hInstance = AppInstance;
    header.pszIcon = MAKEINTRESOURCEA(IDI_APP);
    header.pszCaption = caption;
    header.nPages = count;
    header.nStartPage = startPage;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(records);
    header.pfnCallback = callback;

    PropertySheetProc propertySheet = LoadPropertySheet();
    if (!propertySheet)
        return -1; // as the platform answers a sheet it could not show
    SetFocus(owner);
    return static_cast<int>(propertySheet(&header));
}
