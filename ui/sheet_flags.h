#pragma once
// The flags of the statistics sheet's page and header records. Platform-free.

#include <cstdint>

// The platform's property sheet takes at most this many pages here.
inline constexpr int MaxSheetPages = 32;

// A page record's flags: a tab title from the string table when titleId is
// not 0, a tab icon when iconId is not 0, a Help button when withHelp.
uint32_t PageFlags(uint32_t titleId, uint32_t iconId, int withHelp);

// The header's flags: icon by id, page records, no Apply button and a
// callback, with the caption as a "Properties for" title, a Help button or
// a modeless sheet on request.
uint32_t SheetFlags(int captionIsTitle, int withHelp, int modeless);
