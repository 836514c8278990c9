#include "sheet_flags.h"

enum : uint32_t {
    PageUseIconId = 0x4,
    PageUseTitle = 0x8,
    PageHasHelp = 0x20,
    SheetPropTitle = 0x1,
    SheetUseIconId = 0x4,
    SheetPropSheetPage = 0x8,
    SheetNoApplyNow = 0x80,
    SheetHasHelp = 0x200,
    SheetModeless = 0x400,
    SheetUseCallback = 0x100,
};

uint32_t PageFlags(uint32_t titleId, uint32_t iconId, int withHelp) {
    uint32_t flags = 0;
    if (titleId)
        flags |= PageUseTitle;
    if (iconId)
        flags |= PageUseIconId;
    if (withHelp)
        flags |= PageHasHelp;
    return flags;
}

uint32_t SheetFlags(int captionIsTitle, int withHelp, int modeless) {
    uint32_t flags = SheetUseIconId | SheetPropSheetPage | SheetNoApplyNow | SheetUseCallback;
    if (captionIsTitle)
        flags |= SheetPropTitle;
    if (withHelp)
        flags |= SheetHasHelp;
    if (modeless)
        flags |= SheetModeless;
    return flags;
}
