// Varnel at the screen's scale. The wrapper (run-dpi-test.sh) runs this once for each of 96, 144,
// 168 and 192 dpi, in a prefix of its own set to that dpi; each run's first case is one start of
// Varnel: the window's sizes, the texts of the main window and of every dialog within their
// controls, the editor's place, a picture of the main window and of the wait dialog, and the
// settings as they were. The run at 96 dpi leaves its measures for the larger scales to compare
// with; its other cases tell the window it moved to monitors of other scales (Wine has one).
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Problems = std::vector<std::string>;

constexpr char kAddTextTitle[] = "エディットに付け足し";
constexpr char kEditorClass[] = "varnel_fake_editor";

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return dpi;
}

int Px(int stored, int dpi) {
    return MulDiv(stored, dpi, 96);
}

// What grows with the scale, as measured; the run at 96 dpi keeps its own in this file.
struct Measures {
    int buttonWidth = 0;
    int buttonHeight = 0;
    int rowHeight = 0;
    // How many pixels each column header's text needs beyond its column (0 when it fits).
    int headerOverflow[4] = {};
};

std::string BaselinePath() {
    const char* path = std::getenv("VARNEL_DPI_BASELINE");
    return path ? path : "";
}

bool SaveBaseline(const Measures& m) {
    FILE* file = _wfopen(gui::ToWindowsPath(BaselinePath()).c_str(), L"w");
    if (!file) {
        return false;
    }
    std::fprintf(file, "%d %d %d %d %d %d %d\n", m.buttonWidth, m.buttonHeight, m.rowHeight,
                 m.headerOverflow[0], m.headerOverflow[1], m.headerOverflow[2],
                 m.headerOverflow[3]);
    return std::fclose(file) == 0;
}

bool LoadBaseline(Measures* m) {
    FILE* file = _wfopen(gui::ToWindowsPath(BaselinePath()).c_str(), L"r");
    if (!file) {
        return false;
    }
    const bool read = std::fscanf(file, "%d %d %d %d %d %d %d", &m->buttonWidth, &m->buttonHeight,
                                  &m->rowHeight, &m->headerOverflow[0], &m->headerOverflow[1],
                                  &m->headerOverflow[2], &m->headerOverflow[3]) == 7;
    std::fclose(file);
    return read;
}

std::wstring TextOf(HWND control) {
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, &ignored);
    return text;
}

// As the control draws it: "&&" is one "&", a lone "&" underlines the next character.
std::wstring WithoutMnemonics(const std::wstring& text) {
    std::wstring drawn;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        drawn += text[i];
    }
    return drawn;
}

// Wine answers no WM_GETFONT from another process, so the fonts are made here as the controls
// get theirs: the dialogs' from their templates (9 points of "ＭＳ Ｐゴシック", at the screen's
// dpi), the list's and its edit box's from the system's icon font.
HFONT DialogFont(int dpi) {
    return CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE, L"ＭＳ Ｐゴシック");
}

HFONT ListFont() {
    LOGFONTW font = {};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0);
    return CreateFontIndirectW(&font);
}

// The size the text takes in this font; with a width to wrap at, the height of its lines.
SIZE Extent(HFONT font, const std::wstring& text, int wrapWidth = 0) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    if (wrapWidth > 0) {
        RECT r = {0, 0, wrapWidth, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        size = {r.right, r.bottom};
    } else {
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

std::string Name(HWND control, const std::wstring& text) {
    return gui::WindowClass(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" +
           gui::Readable(gui::ToCp932(text)) + "\"";
}

// Every shown button and static of the dialog with a text: the text in the dialog's font fits the
// room its kind leaves for it (a wrapping one in its height).
void CheckTextsFit(HWND window, int dpi, const std::string& where, Problems* problems) {
    struct Search {
        std::vector<HWND> controls;
    } search;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) -> BOOL {
            reinterpret_cast<Search*>(found)->controls.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND control : search.controls) {
        const std::string kind = gui::WindowClass(control);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        if (!IsWindowVisible(control) || (kind != "Button" && kind != "Static")) {
            continue;
        }
        const LONG type = style & (kind == "Button" ? BS_TYPEMASK : SS_TYPEMASK);
        // Drawn by the program itself, or a picture.
        if ((kind == "Button" && type == BS_OWNERDRAW) ||
            (kind == "Static" && (type == SS_ICON || type == SS_BITMAP || type == SS_OWNERDRAW ||
                                  type == SS_ETCHEDHORZ || type == SS_BLACKFRAME))) {
            continue;
        }
        const std::wstring text = WithoutMnemonics(TextOf(control));
        if (text.empty()) {
            continue;
        }
        RECT client = {};
        GetClientRect(control, &client);
        int room = client.right;
        if (kind == "Button") {
            if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
                room -= GetSystemMetrics(SM_CXMENUCHECK) + Px(2, dpi);
            } else if (type == BS_GROUPBOX) {
                room -= Px(8, dpi);
            } else {
                room -= 2 * GetSystemMetrics(SM_CXEDGE);
            }
        }
        HFONT font = DialogFont(dpi);
        const SIZE line = Extent(font, text);
        const bool wraps =
            (kind == "Static" && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)) ||
            (kind == "Button" && (style & BS_MULTILINE));
        if (line.cx > room) {
            const SIZE lines = wraps ? Extent(font, text, room) : line;
            if (!wraps || lines.cy > client.bottom) {
                problems->push_back(where + ": " + Name(control, text) + " needs " +
                                    std::to_string(line.cx) + " x " + std::to_string(lines.cy) +
                                    ", has " + std::to_string(room) + " x " +
                                    std::to_string(client.bottom));
            }
        }
        DeleteObject(font);
    }
}

// The list's column headers are no windows of their own: how far each text reaches beyond its
// column.
void MeasureHeaders(HWND list, int dpi, Measures* m) {
    const char* const headers[] = {texts::kColumnEditWithoutExtension, texts::kColumnNow,
                                   texts::kColumnFirst, texts::kColumnPlace};
    HFONT font = ListFont();
    for (int i = 0; i < 4; ++i) {
        const int width =
            static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        // The header leaves a margin of three edges either side of its text.
        const int needs = Extent(font, gui::FromCp932(headers[i])).cx + Px(12, dpi);
        m->headerOverflow[i] = needs > width ? needs - width : 0;
    }
    DeleteObject(font);
}

int RowHeight(const gui::Session& s) {
    gui::RemoteMemory rect(s.processId(), sizeof(RECT));
    RECT r = {};
    r.left = LVIR_BOUNDS;
    rect.Write(&r, sizeof(r));
    SendMessageA(s.list(), LVM_GETITEMRECT, 0, rect.param());
    rect.Read(&r, sizeof(r));
    return r.bottom - r.top;
}

// A modal dialog under Wine looks at its end only when a message is posted to it.
bool Dismiss(HWND dialog, int button) {
    PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    return gui::WaitFor([&] { return !IsWindow(dialog); });
}

Measures ButtonsAndRows(const gui::Session& s) {
    HWND bar = FindWindowExA(s.window(), nullptr, TOOLBARCLASSNAMEA, nullptr);
    const LRESULT button = bar ? SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0) : 0;
    Measures m;
    m.buttonWidth = LOWORD(button);
    m.buttonHeight = HIWORD(button);
    m.rowHeight = RowHeight(s);
    return m;
}

std::vector<int> ColumnWidths(const gui::Session& s) {
    std::vector<int> widths;
    for (WPARAM i = 0; i < 4; ++i) {
        widths.push_back(static_cast<int>(SendMessageA(s.list(), LVM_GETCOLUMNWIDTH, i, 0)));
    }
    return widths;
}

// Tells the window it came to a monitor of `dpi`, as the system does, with the box it suggests:
// Wine has a single monitor. The box goes in the window's own memory, as the system's would be.
bool TellDpiChanged(const gui::Session& s, int dpi, const RECT& suggested) {
    gui::RemoteMemory box(s.processId(), sizeof(RECT));
    DWORD_PTR ignored = 0;
    return box.Write(&suggested, sizeof(suggested)) &&
           SendMessageTimeoutA(s.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), box.param(),
                               SMTO_NORMAL, gui::kPatienceMs, &ignored) != 0;
}

std::string Lines(const Problems& problems) {
    std::string all;
    for (const std::string& p : problems) {
        all += "\n  " + p;
    }
    return all;
}

const char* const kWidthKeys[] = {"ColumnWidth_Edit", "ColumnWidth_Now", "ColumnWidth_Old",
                                  "ColumnWidth_Path"};

// The list window with two names in it, and the stand-in editor as its tool, which stays until
// it is asked to close.
void StartListWindow(gui::Session* s) {
    ASSERT_TRUE(gui::MakeFolder(s->PathOf("files")));
    ASSERT_TRUE(gui::MakeFile(s->PathOf("files\\a.txt")));
    ASSERT_TRUE(gui::MakeFile(s->PathOf("files\\a much longer name of a file.txt")));
    SetEnvironmentVariableA("VARNEL_FAKE_EDITOR", "stay:");
    const std::string ini =
        std::string(texts::kListWindow) + "ToolPath=" + gui::Narrow(gui::ToolPath()) + "\r\n";
    std::string error;
    ASSERT_TRUE(
        s->Start(ini.c_str(), L"files\\a.txt \"files\\a much longer name of a file.txt\"", &error))
        << error;
    ASSERT_TRUE(s->WaitForStatus("002", texts::kStepAdded)) << s->Describe();
}

void RunAt(int dpi) {
    ASSERT_EQ(ScreenDpi(), dpi) << "the prefix is not set to " << dpi << " dpi";
    ASSERT_FALSE(BaselinePath().empty()) << "VARNEL_DPI_BASELINE is not set";
    ASSERT_FALSE(gui::ToolPath().empty()) << "no --tool= given";
    Measures baseline;
    if (dpi != 96) {
        ASSERT_TRUE(LoadBaseline(&baseline)) << "no measures of the run at 96 dpi";
    }
    gui::Session s;
    ASSERT_NO_FATAL_FAILURE(StartListWindow(&s));
    const std::string at = " at " + std::to_string(dpi) + " dpi";

    // The kept box (the place 100, 100 and the list window's 620 x 400) in this screen's pixels.
    const RECT box = s.WindowRect();
    EXPECT_EQ(box.left, Px(100, dpi)) << at;
    EXPECT_EQ(box.top, Px(100, dpi)) << at;
    EXPECT_EQ(box.right - box.left, Px(620, dpi)) << at;
    EXPECT_EQ(box.bottom - box.top, Px(400, dpi)) << at;
    Measures now = ButtonsAndRows(s);
    ASSERT_GT(now.buttonWidth, 0) << "no toolbar";
    MeasureHeaders(s.list(), dpi, &now);
    if (dpi == 96) {
        ASSERT_TRUE(SaveBaseline(now)) << BaselinePath();
    } else {
        // At 144 dpi at least 1.4 times, at 192 at least 1.9 times the sizes at 96.
        const double least = dpi / 96.0 - 0.1;
        EXPECT_GE(now.buttonWidth, least * baseline.buttonWidth) << at;
        EXPECT_GE(now.buttonHeight, least * baseline.buttonHeight) << at;
        EXPECT_GE(now.rowHeight, least * baseline.rowHeight) << at;
        // The default widths are those of 100 %: a header cut there (the first, by a few
        // pixels in Wine's stand-in font) may be cut as much here, and no more.
        for (int i = 0; i < 4; ++i) {
            EXPECT_LE(now.headerOverflow[i], Px(baseline.headerOverflow[i], dpi) + 1)
                << "column " << i << at;
        }
    }
    std::printf(
        "at %d dpi: window %ld x %ld, buttons %d x %d, rows %d high, the first header %d "
        "pixels beyond its column\n",
        dpi, box.right - box.left, box.bottom - box.top, now.buttonWidth, now.buttonHeight,
        now.rowHeight, now.headerOverflow[0]);

    Problems problems;
    gui::SaveScreenshot("main-" + std::to_string(dpi));

    // The in-place edit: its box holds the row's name.
    HWND edit = gui::BeginLabelEdit(s.list(), 1);
    ASSERT_NE(edit, nullptr);
    RECT editBox = {};
    GetClientRect(edit, &editBox);
    HFONT editFont = ListFont();
    const SIZE name = Extent(editFont, TextOf(edit));
    DeleteObject(editFont);
    EXPECT_GE(editBox.right, name.cx) << at;
    EXPECT_GE(editBox.bottom, name.cy) << at;
    SendMessageA(s.list(), LVM_CANCELEDITLABEL, 0, 0);
    ASSERT_TRUE(gui::WaitFor([&] { return !IsWindow(edit); }));

    ASSERT_TRUE(s.Command(IDC_SELECT_ALL));
    s.PostCommand(IDC_ADD_TEXT_FRONT);
    HWND addText = gui::WaitForDialogTitled(s.processId(), kAddTextTitle);
    ASSERT_NE(addText, nullptr) << s.Describe();
    CheckTextsFit(addText, dpi, "add text", &problems);
    ASSERT_TRUE(Dismiss(addText, IDCANCEL));

    s.PostCommand(IDC_HISTORY);
    HWND history = gui::WaitForDialogTitled(s.processId(), texts::kTitleHistory);
    ASSERT_NE(history, nullptr) << s.Describe();
    CheckTextsFit(history, dpi, "history", &problems);
    ASSERT_TRUE(Dismiss(history, IDCANCEL));

    s.PostCommand(IDC_SETTINGS);
    HWND sheet = gui::WaitForDialogTitled(s.processId(), texts::kSheetCaption);
    ASSERT_NE(sheet, nullptr) << s.Describe();
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_GE(pages, 3);
    for (int i = 0; i < pages; ++i) {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        ASSERT_NE(page, nullptr) << "page " << i;
        CheckTextsFit(page, dpi, "settings page " + std::to_string(i + 1), &problems);
    }
    CheckTextsFit(sheet, dpi, "settings", &problems);
    ASSERT_TRUE(Dismiss(sheet, IDCANCEL));

    // The names out to the stand-in editor, which stays until it is asked to close.
    s.PostCommand(IDC_EXPORT_FILE);
    HWND wait = gui::WaitForDialogTitled(s.processId(), texts::kWaitTitle);
    ASSERT_NE(wait, nullptr) << s.Describe();
    HWND editor = nullptr;
    ASSERT_TRUE(gui::WaitFor([&] { return (editor = FindWindowA(kEditorClass, nullptr)); }));
    // The editor over the main window's place, the wait dialog in the screen's corner.
    EXPECT_TRUE(gui::WaitFor([&] {
        RECT placed = {};
        GetWindowRect(editor, &placed);
        return placed.left == box.left && placed.top == box.top;
    })) << at;
    RECT waitBox = {};
    GetWindowRect(wait, &waitBox);
    EXPECT_EQ(waitBox.left, 0) << at;
    EXPECT_EQ(waitBox.top, 0) << at;
    CheckTextsFit(wait, dpi, "wait", &problems);
    gui::SaveScreenshot("wait-" + std::to_string(dpi));
    ASSERT_TRUE(Dismiss(wait, IDCANCEL));
    EXPECT_TRUE(gui::WaitFor([] { return FindWindowA(kEditorClass, nullptr) == nullptr; }));
    EXPECT_TRUE(problems.empty()) << "texts wider than their controls" << at << Lines(problems);

    if (dpi == 96) {
        // Over to a monitor of 150 %, and back: the window takes the box it is given, and its
        // bars and list are made for that scale; back at 100 % they are as they were.
        const RECT before = s.WindowRect();
        const std::vector<int> columns = ColumnWidths(s);
        const RECT over = {1000, 100, 1000 + Px(620, 144), 100 + Px(400, 144)};
        ASSERT_TRUE(TellDpiChanged(s, 144, over));
        EXPECT_EQ(s.WindowRect().left, over.left);
        EXPECT_EQ(s.WindowRect().right, over.right);
        EXPECT_EQ(s.WindowRect().bottom, over.bottom);
        const Measures moved = ButtonsAndRows(s);
        EXPECT_GE(moved.buttonWidth, 1.4 * now.buttonWidth);
        EXPECT_GE(moved.buttonHeight, 1.4 * now.buttonHeight);
        EXPECT_GE(moved.rowHeight, 1.4 * now.rowHeight);
        EXPECT_EQ(ColumnWidths(s), (std::vector<int>{225, 225, 225, 225}));
        ASSERT_TRUE(TellDpiChanged(s, 96, before));
        EXPECT_EQ(s.WindowRect().left, before.left);
        EXPECT_EQ(s.WindowRect().bottom, before.bottom);
        const Measures back = ButtonsAndRows(s);
        EXPECT_EQ(back.buttonWidth, now.buttonWidth);
        EXPECT_EQ(back.buttonHeight, now.buttonHeight);
        EXPECT_EQ(back.rowHeight, now.rowHeight);
        EXPECT_EQ(ColumnWidths(s), columns);
    }

    // The settings keep what they kept: the box and the columns at 96 dpi.
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
    EXPECT_EQ(code, 0u);
    std::string kept;
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &kept));
    EXPECT_EQ(gui::IniValue(kept, "WindowPos_X"), "100") << at;
    EXPECT_EQ(gui::IniValue(kept, "WindowPos_Y"), "100") << at;
    EXPECT_EQ(gui::IniValue(kept, "WindowSize_X"), "620") << at;
    EXPECT_EQ(gui::IniValue(kept, "WindowSize_Y"), "400") << at;
    for (const char* column : kWidthKeys) {
        EXPECT_EQ(gui::IniValue(kept, column), "150") << column << at;
    }
}

TEST(Dpi, At96TheWindowIsAsItWasAndEveryTextFits) {
    RunAt(96);
}

TEST(Dpi, At144EverythingIsAHalfLargerAndEveryTextFits) {
    RunAt(144);
}

// 175 %: a scale no picture is drawn for, whose lengths do not come out whole.
TEST(Dpi, At168EverythingIsThreeQuartersLargerAndEveryTextFits) {
    RunAt(168);
}

TEST(Dpi, At192EverythingIsTwiceAsLargeAndEveryTextFits) {
    RunAt(192);
}

// The list window's kept size at `dpi` where the window is now, as the system suggests it.
RECT BoxAt(const gui::Session& s, int dpi) {
    const RECT now = s.WindowRect();
    return {now.left, now.top, now.left + Px(620, dpi), now.top + Px(400, dpi)};
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

// The scale changes while the names are out in the tool and the window is hidden: the window
// comes back in the box it took for the new scale, not in the one of the old.
TEST(Dpi, At96TheWindowBackFromTheToolKeepsTheBoxOfItsNewScale) {
    gui::Session s;
    ASSERT_NO_FATAL_FAILURE(StartListWindow(&s));
    s.PostCommand(IDC_EXPORT_FILE);
    HWND wait = gui::WaitForDialogTitled(s.processId(), texts::kWaitTitle);
    ASSERT_NE(wait, nullptr) << s.Describe();
    ASSERT_TRUE(gui::WaitFor([] { return FindWindowA(kEditorClass, nullptr) != nullptr; }));
    ASSERT_FALSE(IsWindowVisible(s.window()));
    const RECT told = BoxAt(s, 144);
    ASSERT_TRUE(TellDpiChanged(s, 144, told));
    ASSERT_TRUE(Dismiss(wait, IDCANCEL));
    ASSERT_TRUE(gui::WaitFor([&] { return IsWindowVisible(s.window()) != FALSE; }));
    EXPECT_EQ(Text(s.WindowRect()), Text(told));
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
}

RECT ScreenRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

// Bar 100, above the list: it shares the list's id, and the compact window's bars are hidden.
HWND ListModeBar(const gui::Session& s) {
    for (HWND bar = nullptr;
         (bar = FindWindowExA(s.window(), bar, TOOLBARCLASSNAMEA, nullptr)) != nullptr;) {
        if (IsWindowVisible(bar)) {
            return bar;
        }
    }
    return nullptr;
}

int Height(HWND window) {
    const RECT r = ScreenRect(window);
    return r.bottom - r.top;
}

// Changes of scale as moves over monitors of 150 %, 125 %, 150 % and back to 100 % make them, the
// first with the box as it was (a maximized window keeps its screen): the bar grows and the list
// goes down below it; the texts grow with the pictures (a start at 150 % makes the list's header
// and the status bar 1.4 times as high as at 100 %); the columns are as wide as a start at each
// scale makes them, and the settings keep what they kept.
TEST(Dpi, At96ChangesOfScaleLayTheWindowOutAgainAndKeepWhatItKept) {
    gui::Session s;
    ASSERT_NO_FATAL_FAILURE(StartListWindow(&s));
    const RECT bar = ScreenRect(ListModeBar(s));
    ASSERT_EQ(ScreenRect(s.list()).top, bar.bottom);
    HWND header = FindWindowExA(s.list(), nullptr, WC_HEADERA, nullptr);
    ASSERT_NE(header, nullptr);
    const int headerHeight = Height(header);
    const int statusHeight = Height(s.statusBar());

    ASSERT_TRUE(TellDpiChanged(s, 144, s.WindowRect()));
    const RECT grown = ScreenRect(ListModeBar(s));
    ASSERT_GT(grown.bottom, bar.bottom);
    EXPECT_EQ(ScreenRect(s.list()).top, grown.bottom);
    EXPECT_EQ(ScreenRect(s.list()).bottom, ScreenRect(s.statusBar()).top);
    header = FindWindowExA(s.list(), nullptr, WC_HEADERA, nullptr);
    EXPECT_GE(Height(header), 1.3 * headerHeight);
    EXPECT_GE(Height(s.statusBar()), 1.3 * statusHeight);

    for (int dpi : {120, 144, 96}) {
        ASSERT_TRUE(TellDpiChanged(s, dpi, BoxAt(s, dpi)));
        EXPECT_EQ(ColumnWidths(s), std::vector<int>(4, Px(150, dpi))) << "at " << dpi << " dpi";
    }
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
    std::string kept;
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &kept));
    for (const char* column : kWidthKeys) {
        EXPECT_EQ(gui::IniValue(kept, column), "150") << column;
    }
}

}  // namespace
