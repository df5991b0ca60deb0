// What a fresh window takes and refuses, and the files that reach the list: dropped on the
// window or given on the command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Names = std::vector<std::string>;

int Width(const RECT& r) {
    return r.right - r.left;
}

TEST(Adding, AFreshWindowIsAtTheFirstStep) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, &error)) << error;
    EXPECT_EQ(s.Status(0), "000");
    EXPECT_EQ(s.Status(1), texts::kStepFresh);
    EXPECT_EQ(s.RowCount(), 0);
}

TEST(Adding, AFreshWindowIgnoresTheKeysOfItsGrayedCommands) {
    gui::ClipboardLock lock;
    ASSERT_TRUE(lock.ok());
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, &error)) << error;
    ASSERT_TRUE(gui::PutClipboardText("marker"));
    MoveWindow(s.window(), 40, 40, 500, 300, TRUE);
    ASSERT_TRUE(gui::Settle(s.window()));

    // Keys are taken in order: once Ctrl+1 has set the default size, the two before it have been
    // handled too.
    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+s shift+c ctrl+1"));
    ASSERT_TRUE(gui::WaitFor([&] { return Width(s.WindowRect()) == 620; }))
        << "the keys did not arrive";
    std::string clipboard;
    EXPECT_TRUE(gui::ClipboardText(&clipboard));
    EXPECT_EQ(clipboard, "marker");
    EXPECT_EQ(s.Status(0), "000");
    EXPECT_EQ(s.Status(1), texts::kStepFresh);
    EXPECT_EQ(s.FindMessageBox(), nullptr);
}

class WithFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
        for (const char* name : {"c.txt", "a.txt", "b.txt", "d.txt"}) {
            ASSERT_TRUE(gui::MakeFile(File(name)));
        }
    }
    std::wstring File(const std::string& name) const { return s.PathOf("files\\" + name); }
    std::wstring Wide(const std::wstring& name) const { return s.PathOf("files") + L"\\" + name; }
    // The open dialog's file name box: the one edit of the dialog that shows.
    static HWND FileNameBox(HWND dialog) {
        HWND edit = nullptr;
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM data) -> BOOL {
                if (gui::WindowClass(child) != "Edit" || !IsWindowVisible(child)) {
                    return TRUE;
                }
                *reinterpret_cast<HWND*>(data) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&edit));
        return edit;
    }

    gui::Session s;
};

TEST_F(WithFiles, DroppedFilesAreAddedInTheirOrderAndOnlyOnce) {
    std::string error;
    // Without sorting the rows keep the order of the drop.
    ASSERT_TRUE(s.Start("[Basic]\r\nWindowMode=ListView\r\nAutoSort=off\r\n", &error)) << error;
    ASSERT_TRUE(gui::DropFiles(s.window(), {File("c.txt"), File("a.txt"), File("b.txt")}));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.Column(1), (Names{"c.txt", "a.txt", "b.txt"}));
    EXPECT_EQ(s.Column(3), Names(3, gui::ToCp932(s.PathOf("files"))));

    // The same files again add nothing; the drop after them shows when they have been taken.
    ASSERT_TRUE(gui::DropFiles(s.window(), {File("a.txt"), File("c.txt")}));
    ASSERT_TRUE(gui::DropFiles(s.window(), {File("d.txt")}));
    ASSERT_TRUE(gui::WaitFor([&] { return s.Status(0) != "003"; }));
    EXPECT_EQ(s.Status(0), "004");
    EXPECT_EQ(s.Status(1), texts::kStepAdded);
    EXPECT_EQ(s.Column(1), (Names{"c.txt", "a.txt", "b.txt", "d.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << "a path added before is skipped without a word";

    ASSERT_TRUE(s.Command(IDC_SORT_NOW_PATH));
    EXPECT_EQ(s.Column(1), (Names{"a.txt", "b.txt", "c.txt", "d.txt"}));
    EXPECT_EQ(s.Column(0), (Names{"a", "b", "c", "d"})) << "each row moves whole";
    EXPECT_EQ(s.Status(1), texts::kStepAdded);
}

// The open dialog takes the road a drop takes: the names picked in one folder come in one batch, a
// name listed before is skipped without a word, and the folder is kept for the next time. The
// dialog is the command's own work: what a second start hands over while it is up waits for that
// work to end, so it comes after the picks.
TEST_F(WithFiles, TheOpenDialogAddsWhatIsPickedAsADropDoesBeforeWhatCameMeanwhile) {
    const std::string folder = gui::ToCp932(s.PathOf("files"));
    const std::string ini =
        "[Basic]\r\nWindowMode=ListView\r\nAutoSort=off\r\nPath_CDlgOpen=" + folder + "\r\n";
    std::string error;
    ASSERT_TRUE(s.Start(ini.c_str(), L"files\\b.txt", &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("001", texts::kStepAdded)) << s.Describe();
    s.PostCommand(IDC_OPEN);
    HWND dialog = gui::WaitForDialogTitled(s.processId(), texts::kOpenDialogTitle);
    ASSERT_NE(dialog, nullptr) << s.Describe();
    // Sent: once it returns, the path is kept.
    ASSERT_TRUE(gui::HandOver(s.window(), "\"" + gui::ToCp932(File("d.txt")) + "\""));
    EXPECT_EQ(s.RowCount(), 1) << "nothing is added while the dialog is up";
    HWND box = FileNameBox(dialog);
    ASSERT_NE(box, nullptr) << "no file name box";
    ASSERT_TRUE(gui::SetText(box, "\"c.txt\" \"b.txt\" \"a.txt\""));
    ASSERT_TRUE(gui::PressButton(dialog, IDOK));
    ASSERT_TRUE(s.WaitForStatus("004", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.Column(1), (Names{"b.txt", "c.txt", "a.txt", "d.txt"}));
    EXPECT_EQ(s.Column(3), Names(4, folder));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << "a path added before is skipped without a word";
    DWORD code = 1;
    ASSERT_TRUE(s.Close(&code));
    std::string kept;
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &kept));
    EXPECT_EQ(gui::IniValue(kept, "Path_CDlgOpen"), folder);
}

// Select all, then clear the edit names of the selected rows: list commands of the list window.
TEST_F(WithFiles, SelectedRowsHaveTheirEditNamesClearedInTheListWindow) {
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, L"files\\a.txt files\\b.txt", &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    EXPECT_FALSE(gui::ListRowSelected(s.list(), 0));
    EXPECT_FALSE(gui::ListRowSelected(s.list(), 1));
    ASSERT_TRUE(s.Command(IDC_SELECT_ALL));
    EXPECT_TRUE(gui::ListRowSelected(s.list(), 0));
    EXPECT_TRUE(gui::ListRowSelected(s.list(), 1));
    ASSERT_TRUE(s.Command(IDC_PASTE_DELETE));
    EXPECT_EQ(s.Column(0), (Names{"", ""}));
    EXPECT_EQ(s.Column(1), (Names{"a.txt", "b.txt"}));
}

TEST_F(WithFiles, TheCompactWindowIgnoresTheListCommands) {
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, L"files\\a.txt files\\b.txt", &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(s.Command(IDC_SELECT_ALL));
    ASSERT_TRUE(s.Command(IDC_PASTE_DELETE));
    EXPECT_FALSE(gui::ListRowSelected(s.list(), 0));
    EXPECT_EQ(s.Column(0), (Names{"a", "b"}));
}

// Ctrl+N while a row is edited in place: the edit ends with the rows, and a later Enter (over new
// rows) neither takes the typed text nor reaches the entry that was discarded.
TEST_F(WithFiles, NewEndsAnEditInPlaceAndALaterEnterChangesNothing) {
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, L"files\\a.txt files\\b.txt", &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    MoveWindow(s.window(), 40, 40, 500, 300, TRUE);
    HWND edit = gui::BeginLabelEdit(s.list(), 0);
    ASSERT_NE(edit, nullptr) << "no edit box";
    ASSERT_TRUE(gui::SetText(edit, "typed"));

    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+n"));
    ASSERT_TRUE(s.WaitForStatus("000", texts::kStepFresh)) << s.Describe();
    EXPECT_EQ(s.RowCount(), 0);
    EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(edit) || !IsWindowVisible(edit); }))
        << "the edit box stayed open over the empty list";

    ASSERT_TRUE(gui::DropFiles(s.window(), {File("c.txt"), File("d.txt")}));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    // Keys are taken in order: once Ctrl+1 has set the default size, Enter has been handled.
    ASSERT_TRUE(gui::TypeKeys(s.window(), "Return ctrl+1"));
    ASSERT_TRUE(gui::WaitFor([&] { return Width(s.WindowRect()) == 620 || !s.Running(); }));
    ASSERT_TRUE(s.Running()) << "Varnel ended";
    EXPECT_EQ(s.Column(0), (Names{"c", "d"}));
    EXPECT_EQ(s.Column(1), (Names{"c.txt", "d.txt"}));
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"a.txt", "b.txt", "c.txt", "d.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
}

// A name cp932 cannot hold is added and shown exactly: a look-alike ("cafe.txt") would name
// another file. It sorts after the names cp932 holds.
TEST_F(WithFiles, APathThatCp932CannotHoldIsAddedAndShownExactly) {
    const std::wstring cafe = s.PathOf("files") + L"\\caf\u00e9.txt";
    ASSERT_TRUE(gui::MakeFile(cafe));
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files\\z dir")));
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, L"\"files\\z dir\" \"" + cafe + L"\" files\\a.txt", &error))
        << error;
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.FindMessageBox(), nullptr);
    EXPECT_EQ(s.Column(1)[0], "z dir") << "a folder sorts before the files";
    EXPECT_EQ(gui::ListCellWide(s.list(), 1, 1), L"a.txt");
    EXPECT_EQ(gui::ListCellWide(s.list(), 2, 1), L"caf\u00e9.txt");
    EXPECT_EQ(gui::ListCellWide(s.list(), 2, 0), L"caf\u00e9");
}

// Windows' cp932 converter takes U+F8F0-U+F8F3 to the single bytes A0 and FD-FF, and 0xFF leads
// an escape. A clipboard line ".." U+F8F3 U+0080 U+0080 U+FF9C "escaped" once read as
// "..\escaped" and moved sub\a.txt up to the parent folder; it is a name in sub like any other.
TEST_F(WithFiles, AClipboardLineNeverHidesASeparator) {
    ASSERT_TRUE(gui::MakeFolder(File("sub")));
    ASSERT_TRUE(gui::MakeFile(File("sub\\a.txt"), "a"));
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, L"files\\sub\\a.txt", &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("001", texts::kStepAdded)) << s.Describe();
    s.PostCommand(IDC_EXPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus("001", texts::kStepExported)) << s.Describe();
    const std::wstring name =
        L"..\uF8F3\u0080\u0080\uFF9C"
        L"escaped";
    ASSERT_TRUE(gui::PutClipboardUnicode(name + L"\r\n"));
    s.PostCommand(IDC_IMPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus("001", texts::kStepRenamed)) << s.Describe();
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
    EXPECT_EQ(gui::FileContents(Wide(L"sub\\" + name + L".txt")), "a");
    EXPECT_FALSE(gui::Exists(File("escaped.txt")));
    EXPECT_EQ(gui::NamesIn(File("sub")).size(), 1u);
}

// A name holding one of U+F8F0-U+F8F3 is listed as itself, never as another file of its folder:
// U+F8F3 あ ｱ once read as the escape of 週 (FF 82 A0 B1), and renaming it renamed 週.txt. Each
// of the four is renamed, and 週.txt is left alone.
TEST_F(WithFiles, ANameWithAPrivateCharacterIsRenamedItselfAndNoOtherFile) {
    const std::wstring names[] = {L"\uF8F3\u3042\uFF71.txt", L"\uF8F0x.txt", L"\uF8F1y.txt",
                                  L"\uF8F2z.txt"};
    std::wstring arguments;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(gui::MakeFile(Wide(names[i]), "content" + std::to_string(i)));
        arguments += L"\"" + Wide(names[i]) + L"\" ";
    }
    ASSERT_TRUE(gui::MakeFile(Wide(L"\u9031.txt"), "other"));
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, arguments, &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("004", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
    // The rows in whatever order the sort gave them: each gets the name of its contents.
    std::wstring lines;
    for (int row = 0; row < 4; ++row) {
        const std::wstring shown = gui::ListCellWide(s.list(), row, 1);
        const auto at = std::find(std::begin(names), std::end(names), shown);
        ASSERT_NE(at, std::end(names)) << gui::Narrow(shown);
        lines += L"got" + std::to_wstring(at - std::begin(names)) + L"\r\n";
    }
    s.PostCommand(IDC_EXPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus("004", texts::kStepExported)) << s.Describe();
    ASSERT_TRUE(gui::PutClipboardUnicode(lines));
    s.PostCommand(IDC_IMPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus("004", texts::kStepRenamed)) << s.Describe();
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(gui::FileContents(File("got" + std::to_string(i) + ".txt")),
                  "content" + std::to_string(i));
    }
    EXPECT_EQ(gui::FileContents(Wide(L"\u9031.txt")), "other");
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")).size(), 4u + 4u + 1u);
}

// A drive root cannot be renamed and is refused by name; a folder named with a separator at its
// end is the folder itself, never an entry without a name.
TEST_F(WithFiles, ADriveRootIsRefusedAndATrailingSeparatorNamesTheFolder) {
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files\\z dir")));
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, L"C:\\ \"files\\z dir\\\" files\\a.txt", &error))
        << error;
    HWND box = s.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no warning; rows: " << s.RowCount();
    EXPECT_EQ(gui::WindowText(box), texts::kTitleAdding);
    EXPECT_EQ(gui::MessageBoxText(box), texts::Fill(texts::kAddRoot, {"C:\\"}));
    ASSERT_TRUE(gui::PressButton(box, IDOK));

    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.Column(0), (Names{"z dir", "a"}));
    EXPECT_EQ(s.Column(3), Names(2, gui::ToCp932(s.PathOf("files"))));
}

// A part's rectangle in the bar's client area, read in the bar's own process.
RECT StatusPartRect(const gui::Session& s, int part) {
    RECT rect = {-1, -1, -1, -1};
    gui::RemoteMemory memory(s.processId(), sizeof(RECT));
    if (memory.ok() && memory.Write(&rect, sizeof(rect)) &&
        SendMessageA(s.statusBar(), SB_GETRECT, static_cast<WPARAM>(part), memory.param())) {
        memory.Read(&rect, sizeof(rect));
    }
    return rect;
}

// The width of a text in the font the status bar draws with: a bar without a font of its own
// takes the system's status font.
int StatusTextWidth(const std::string& text) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return -1;
    }
    HFONT font = CreateFontIndirectA(&metrics.lfStatusFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {-1, -1};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size.cx;
}

TEST(StatusBar, AFourDigitCountIsShownWhole) {
    gui::Session s;
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    std::vector<std::wstring> files;
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "files\\f%04d.txt", i);
        files.push_back(s.PathOf(name));
        ASSERT_TRUE(gui::MakeFile(files.back())) << name;
    }
    std::string error;
    // Unsorted, as only the count matters here.
    ASSERT_TRUE(s.Start("[Basic]\r\nAutoSort=off\r\n", &error)) << error;
    ASSERT_TRUE(gui::DropFiles(s.window(), files));
    ASSERT_TRUE(s.WaitForStatus("1000", texts::kStepAdded, 30000)) << s.Describe();

    // Room for the text, the part's one-pixel sunken edge on either side and the three pixels
    // the text is drawn in from the left.
    const RECT count = StatusPartRect(s, 0);
    const int text = StatusTextWidth("1000");
    ASSERT_GT(text, 0);
    EXPECT_GE(count.right - count.left, text + 2 + 3)
        << "part 0 from " << count.left << " to " << count.right << ", text " << text;
    // The step part moved aside and still reaches the right edge.
    RECT bar = {};
    ASSERT_TRUE(GetClientRect(s.statusBar(), &bar));
    const RECT step = StatusPartRect(s, 1);
    EXPECT_GE(step.left, count.right);
    EXPECT_EQ(step.right, bar.right);
}

TEST(StatusBar, TheStepTextRunsToTheRightEdgeOfTheListWindow) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, &error)) << error;
    for (int width : {620, 900}) {
        MoveWindow(s.window(), 40, 40, width, 300, TRUE);
        ASSERT_TRUE(gui::Settle(s.window()));
        RECT bar = {};
        ASSERT_TRUE(GetClientRect(s.statusBar(), &bar));
        const RECT step = StatusPartRect(s, 1);
        EXPECT_EQ(step.right, bar.right) << "window width " << width;
        EXPECT_GT(step.left, StatusPartRect(s, 0).left);
    }
}

}  // namespace
