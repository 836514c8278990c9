// The statistics sheet's page templates as the program carries them: every
// control's id, kind, position and text, read from the resource bytes that
// the dialog manager is given.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "res/resource_ids.h"

struct TemplateItem {
    DWORD Style;
    short X, Y, Width, Height;
    WORD Id;
    WORD ClassAtom; // 0x80 button, 0x82 static
    std::string Text;
    WORD TextResource; // an ordinal in place of a text (a picture's id)
};

struct PageTemplate {
    DWORD Style;
    short Width, Height;
    std::string Caption;
    WORD FontSize;
    std::string FontName;
    std::vector<TemplateItem> Items;
};

static const WORD* SkipToDword(const WORD* p, const BYTE* base) {
    size_t offset = reinterpret_cast<const BYTE*>(p) - base;
    return reinterpret_cast<const WORD*>(base + ((offset + 3) & ~size_t{3}));
}

static std::string ReadText(const WORD** p) {
    std::string text;
    while (**p) {
        text += static_cast<char>(**p);
        ++*p;
    }
    ++*p;
    return text;
}

// A name or an ordinal: 0xFFFF followed by the ordinal, else a text.
static std::string ReadNameOrOrdinal(const WORD** p, WORD* ordinal) {
    *ordinal = 0;
    if (**p == 0xFFFF) {
        *ordinal = (*p)[1];
        *p += 2;
        return "";
    }
    return ReadText(p);
}

static bool LoadPageTemplate(int id, PageTemplate* page) {
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!found)
        return false;
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(AppInstance, found)));
    const DLGTEMPLATE* header = reinterpret_cast<const DLGTEMPLATE*>(base);
    page->Style = header->style;
    page->Width = header->cx;
    page->Height = header->cy;
    const WORD* p = reinterpret_cast<const WORD*>(header + 1);
    WORD ordinal;
    ReadNameOrOrdinal(&p, &ordinal); // menu
    ReadNameOrOrdinal(&p, &ordinal); // class
    page->Caption = ReadText(&p);
    if (header->style & DS_SETFONT) {
        page->FontSize = *p++;
        page->FontName = ReadText(&p);
    }
    for (int i = 0; i < header->cdit; i++) {
        p = SkipToDword(p, base);
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        TemplateItem read = {};
        read.Style = item->style;
        read.X = item->x;
        read.Y = item->y;
        read.Width = item->cx;
        read.Height = item->cy;
        read.Id = item->id;
        p = reinterpret_cast<const WORD*>(item + 1);
        std::string className = ReadNameOrOrdinal(&p, &read.ClassAtom);
        if (!read.ClassAtom && !lstrcmpiA(className.c_str(), "Static"))
            read.ClassAtom = 0x82;
        if (!read.ClassAtom && !lstrcmpiA(className.c_str(), "Button"))
            read.ClassAtom = 0x80;
        read.Text = ReadNameOrOrdinal(&p, &read.TextResource);
        p += 1 + *p / sizeof(WORD); // creation data
        page->Items.push_back(read);
    }
    return true;
}

enum Kind {
    GroupBox,
    RightText,
    LeftText,
    CentredText,
    EtchedLine,
    FlatButton,
    FlatDefaultButton,
    BorderedBitmap,
    Icon,
    PushButton,
    AutoCheckBox,
};

static const char* KindName(Kind kind) {
    static const char* const names[] = {
        "group box",   "right-aligned static", "left-aligned static", "centred static",
        "etched line", "flat push button",     "flat default button", "bitmap with a border",
        "icon",        "push button",          "automatic check box",
    };
    return names[kind];
}

static bool IsKind(const TemplateItem& item, Kind kind) {
    DWORD type = item.Style & 0x1F;
    bool button = item.ClassAtom == 0x80, label = item.ClassAtom == 0x82;
    switch (kind) {
    case GroupBox:
        return button && (item.Style & 0xF) == BS_GROUPBOX;
    case RightText:
        return label && type == SS_RIGHT;
    case LeftText:
        return label && type == SS_LEFT;
    case CentredText:
        return label && type == SS_CENTER;
    case EtchedLine:
        return label && type == SS_ETCHEDHORZ;
    case FlatButton:
        return button && (item.Style & 0xF) == BS_PUSHBUTTON && (item.Style & BS_FLAT);
    case FlatDefaultButton:
        return button && (item.Style & 0xF) == BS_DEFPUSHBUTTON && (item.Style & BS_FLAT);
    case BorderedBitmap:
        return label && type == SS_BITMAP && (item.Style & WS_BORDER);
    case Icon:
        return label && type == SS_ICON;
    case PushButton:
        return button && (item.Style & 0xF) == BS_PUSHBUTTON;
    case AutoCheckBox:
        return button && (item.Style & 0xF) == BS_AUTOCHECKBOX;
    }
    return false;
}

struct Expected {
    Kind Kind;
    short X, Y, Width, Height;
    WORD Id;
    const char* Text; // nullptr: a text of our own, not empty
};

enum : WORD { NoId = 0xFFFF };

static void ExpectItems(const PageTemplate& page, const std::vector<Expected>& expected) {
    ASSERT_EQ(expected.size(), page.Items.size());
    for (size_t i = 0; i < expected.size(); i++) {
        const TemplateItem& item = page.Items[i];
        const Expected& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(item.Id) + ")");
        EXPECT_TRUE(IsKind(item, want.Kind))
            << "not a " << KindName(want.Kind) << ", style " << std::hex << item.Style;
        EXPECT_EQ(want.Id, item.Id);
        EXPECT_EQ(want.X, item.X);
        EXPECT_EQ(want.Y, item.Y);
        EXPECT_EQ(want.Width, item.Width);
        EXPECT_EQ(want.Height, item.Height);
        if (want.Text)
            EXPECT_EQ(want.Text, item.Text);
        else
            EXPECT_FALSE(item.Text.empty());
    }
}

static void ExpectPageFrame(const PageTemplate& page, const char* caption) {
    EXPECT_EQ(230, page.Width);
    EXPECT_EQ(180, page.Height);
    EXPECT_EQ(caption, page.Caption);
    EXPECT_EQ(8, page.FontSize);
    EXPECT_EQ("MS Sans Serif", page.FontName);
    EXPECT_TRUE(page.Style & WS_CHILD);
}

TEST(PageTemplates, StatisticsPage) {
    PageTemplate page;
    ASSERT_TRUE(LoadPageTemplate(IDD_STATISTICS, &page));
    ExpectPageFrame(page, "Click Statistics");
    std::vector<Expected> expected = {
        {GroupBox, 7, 7, 216, 166, NoId, ""},
        {GroupBox, 6, 6, 216, 166, NoId, ""},
        {RightText, 49, 18, 44, 8, NoId, "Current"},
        {RightText, 112, 17, 44, 8, NoId, "Last"},
        {RightText, 169, 17, 44, 8, NoId, "Difference"},
        {EtchedLine, 12, 30, 205, 1, NoId, ""},
        {EtchedLine, 12, 101, 205, 1, NoId, ""},
        {EtchedLine, 12, 120, 205, 1, NoId, ""},
    };
    const short rows[] = {37, 50, 63, 76, 89, 107};
    const char* const labels[] = {"Session", "Day", "Week", "Month", "Year", "TOTAL"};
    for (int r = 0; r < 6; r++)
        expected.push_back({RightText, 14, rows[r], 28, 8, NoId, labels[r]});
    const WORD current[] = {1030, 1031, 1032, 1033, 1004, 1005};
    for (int r = 0; r < 6; r++)
        expected.push_back({RightText, 51, rows[r], 48, 8, current[r], "0"});
    const WORD last[] = {1034, 1035, 1036, 1037, 1010};
    for (int r = 0; r < 5; r++)
        expected.push_back({RightText, 108, rows[r], 48, 8, last[r], "0"});
    const WORD difference[] = {1012, 1013, 1014, 1015, 1016};
    for (int r = 0; r < 5; r++)
        expected.push_back({RightText, 165, rows[r], 48, 8, difference[r], "0"});
    expected.push_back({LeftText, 57, 126, 77, 8, NoId, "Time on computer:"});
    expected.push_back({LeftText, 125, 127, 35, 8, 1006, "00:00:00"});
    expected.push_back({PushButton, 165, 123, 50, 14, 1003, "New session"});
    expected.push_back({FlatButton, 16, 145, 199, 18, 1009, nullptr});
    ExpectItems(page, expected);
}

TEST(PageTemplates, AboutPage) {
    PageTemplate page;
    ASSERT_TRUE(LoadPageTemplate(IDD_ABOUT, &page));
    ExpectPageFrame(page, "About Tallywhirl");
    std::vector<Expected> expected = {
        {FlatDefaultButton, 68, 9, 97, 12, 1011, nullptr},
        {CentredText, 11, 31, 207, 27, NoId,
         "Tallywhirl Version 1.2b. A nifty e-dometer for counting mouse clicks. Useful in "
         "computer usage studies, ergonomics, repetitive stress measurement and just GOOD PLAIN "
         "FUN. "},
        {CentredText, 7, 65, 216, 31, NoId, nullptr},
        {BorderedBitmap, 16, 107, 89, 55, NoId, ""},
    };
    const short icons[][2] = {{123, 123}, {151, 132}, {154, 108}, {177, 124},
                              {170, 153}, {193, 106}, {205, 150}};
    for (const auto& at : icons)
        expected.push_back({Icon, at[0], at[1], 20, 20, NoId, ""});
    expected.push_back({LeftText, 69, 168, 70, 8, NoId, nullptr});
    ExpectItems(page, expected);

    EXPECT_EQ(IDB_PICTURE, page.Items[3].TextResource) << "the picture is bitmap 107";
    for (int i = 4; i < 11; i++)
        EXPECT_EQ(IDI_APP, page.Items[i].TextResource) << "icon " << i - 4;
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(IDB_PICTURE), RT_BITMAP);
    ASSERT_NE(nullptr, found);
    const BITMAPINFOHEADER* picture =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(AppInstance, found)));
    EXPECT_EQ(131, picture->biWidth);
    EXPECT_EQ(87, picture->biHeight);
    EXPECT_EQ(24, picture->biBitCount);
}

// Our own layout: the eight controls the page's commands answer, each once.
TEST(PageTemplates, OptionsPage) {
    PageTemplate page;
    ASSERT_TRUE(LoadPageTemplate(IDD_OPTIONS, &page));
    ExpectPageFrame(page, "Options");
    const struct {
        WORD Id;
        Kind Kind;
    } controls[] = {{1002, AutoCheckBox}, {1007, PushButton}, {1008, PushButton},
                    {1009, PushButton},   {1011, PushButton}, {1017, PushButton},
                    {1018, PushButton},   {1012, PushButton}};
    for (const auto& control : controls) {
        int found = 0;
        for (const TemplateItem& item : page.Items) {
            if (item.Id != control.Id)
                continue;
            found++;
            EXPECT_TRUE(IsKind(item, control.Kind)) << control.Id;
            EXPECT_FALSE(item.Text.empty()) << control.Id;
            EXPECT_GE(item.X, 0);
            EXPECT_LE(item.X + item.Width, 230) << control.Id;
            EXPECT_LE(item.Y + item.Height, 180) << control.Id;
        }
        EXPECT_EQ(1, found) << "control " << control.Id;
    }
}
