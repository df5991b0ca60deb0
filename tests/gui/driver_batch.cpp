// A batch of real files renamed the way a user does it: names out to the clipboard, edited
// names back in, the files renamed on disk and put back; and the in-place edit of a row.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Names = std::vector<std::string>;

const std::string kSlashLine(66, '/');

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The instructions after the names: seven comment lines, the first a row of 66 slashes, the
// last without a line break (an empty last piece would mean one).
void ExpectFooter(const std::string& footer) {
    const std::vector<std::string> lines = gui::SplitLines(footer);
    ASSERT_EQ(lines.size(), 7u) << footer;
    EXPECT_EQ(lines[0], kSlashLine);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind("//", 0), 0u) << "not a comment line: " << line;
    }
}

// A session with a folder of files for it to rename.
class Batch : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    }
    void Make(const std::string& name, const std::string& contents) {
        ASSERT_TRUE(gui::MakeFile(File(name), contents)) << name;
    }
    std::wstring File(const std::string& name) const { return s.PathOf("files\\" + name); }
    std::string Contents(const std::string& name) const { return gui::FileContents(File(name)); }
    Names OnDisk() const { return gui::NamesIn(s.PathOf("files")); }
    std::string FilesFolder() const { return gui::ToCp932(s.PathOf("files")); }
    // An argument naming a file by its full path, quoted.
    std::wstring Quoted(const std::string& name) const { return L"\"" + File(name) + L"\""; }

    gui::ClipboardLock lock;
    gui::Session s;
};

TEST_F(Batch, NamesGoOutAndComeBackThroughTheClipboardAndAreRestored) {
    Make("d.txt", "D");
    Make("b c.txt", "BC");
    Make("a.txt", "A");
    // Relative, quoted with a blank, and absolute; given out of order.
    const std::wstring arguments = L"files\\d.txt " + Quoted("b c.txt") + L" " + File("a.txt");
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, arguments, &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.Column(1), (Names{"a.txt", "b c.txt", "d.txt"})) << "sorted by path";
    EXPECT_EQ(s.Column(0), (Names{"a", "b c", "d"})) << "edit names without extension";
    EXPECT_EQ(s.Column(2), (Names{"a.txt", "b c.txt", "d.txt"}));
    EXPECT_EQ(s.Column(3), Names(3, FilesFolder())) << "relative paths are made absolute";

    ASSERT_TRUE(gui::PutClipboardText("marker"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();
    std::string exported;
    ASSERT_TRUE(gui::ClipboardText(&exported));
    const std::string names = "a\r\nb c\r\nd\r\n";
    ASSERT_EQ(exported.substr(0, names.size()), names) << exported;
    ExpectFooter(exported.substr(names.size()));

    // 表 and ソ end in the byte of a backslash: the new name must not be split there.
    ASSERT_TRUE(gui::PutClipboardText("表ソ\r\nb c 2\r\nd\r\n" + kSlashLine + "\r\n"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed)) << s.Describe();
    EXPECT_EQ(OnDisk(), Sorted({"表ソ.txt", "b c 2.txt", "d.txt"}));
    EXPECT_EQ(Contents("表ソ.txt"), "A");
    EXPECT_EQ(Contents("b c 2.txt"), "BC");
    EXPECT_EQ(Contents("d.txt"), "D");
    EXPECT_EQ(s.Column(1), (Names{"表ソ.txt", "b c 2.txt", "d.txt"}));
    EXPECT_EQ(s.Column(0), (Names{"表ソ", "b c 2", "d"}));
    EXPECT_EQ(s.Column(2), (Names{"a.txt", "b c.txt", "d.txt"})) << "the first names stay";

    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+z"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamable)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b c.txt", "d.txt"}));
    EXPECT_EQ(Contents("a.txt"), "A");
    EXPECT_EQ(Contents("b c.txt"), "BC");
    EXPECT_EQ(s.Column(1), (Names{"a.txt", "b c.txt", "d.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr);
}

// b → c alone would work; a → x, a file outside the list, must stop both. The names are still
// out, and a swap read next renames both files.
TEST_F(Batch, ANameTakenOutsideTheListStopsTheWholeImportAndASwapThenRenamesBoth) {
    Make("a.txt", "A");
    Make("b.txt", "B");
    Make("x.txt", "X");
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, File("a.txt") + L" " + File("b.txt"), &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepExported)) << s.Describe();

    ASSERT_TRUE(gui::PutClipboardText("x\r\nc\r\n" + kSlashLine));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    HWND box = s.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no warning; status: " << s.Describe();
    EXPECT_EQ(gui::WindowText(box), texts::kTitleBadName);
    EXPECT_EQ(gui::MessageBoxText(box), texts::kNamesCollide);
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    ASSERT_TRUE(gui::Settle(s.window()));

    EXPECT_EQ(s.FindMessageBox(), nullptr);
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "x.txt"}));
    EXPECT_EQ(Contents("x.txt"), "X");
    EXPECT_EQ(s.Column(0), (Names{"a", "b"})) << "no edit name taken";
    EXPECT_EQ(s.Status(1), texts::kStepExported);

    // Just the names: the end of the text ends the range as well as the footer does.
    ASSERT_TRUE(gui::PutClipboardText("b\r\na\r\n"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepRenamed)) << s.Describe();
    EXPECT_EQ(Contents("a.txt"), "B");
    EXPECT_EQ(Contents("b.txt"), "A");
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "x.txt"})) << "no temporary name is left behind";
    EXPECT_EQ(s.Column(1), (Names{"b.txt", "a.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr);
}

// Row 0 (a.txt, sorted first) edited in place to each name in turn, each time followed by
// Ctrl+S.
TEST_F(Batch, AnInPlaceEditBecomesTheEditNameAndTheNameOnDisk) {
    Make("a.txt", "A");
    Make("b.txt", "B");
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, File("b.txt") + L" " + File("a.txt"), &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();

    std::string before = "a.txt";
    // Each Japanese character is two bytes in the box's text but one character of the name.
    for (const std::string name : {"b2", "新しい名前"}) {
        SCOPED_TRACE(name);
        HWND edit = gui::BeginLabelEdit(s.list(), 0);
        ASSERT_NE(edit, nullptr) << "no edit box";
        ASSERT_TRUE(gui::SetText(edit, name));
        // Return in the box ends the edit and keeps the text, as for a user.
        ASSERT_TRUE(gui::TypeKeys(s.window(), "Return"));
        ASSERT_TRUE(gui::WaitFor([&] { return s.Cell(0, 0) == name; }))
            << "edit column: " << gui::Readable(s.Cell(0, 0));
        EXPECT_EQ(s.Cell(0, 1), before) << "nothing renamed yet";
        EXPECT_EQ(s.Cell(1, 0), "b");
        EXPECT_EQ(OnDisk(), Sorted({before, "b.txt"}));

        ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+s"));
        // The extension stays: the edit column holds the base only.
        ASSERT_TRUE(gui::WaitFor([&] { return s.Cell(0, 1) == name + ".txt"; }))
            << "now column: " << gui::Readable(s.Cell(0, 1));
        ASSERT_TRUE(s.WaitForStatus("002", texts::kStepRenamed)) << s.Describe();
        EXPECT_EQ(OnDisk(), Sorted({name + ".txt", "b.txt"}));
        EXPECT_EQ(Contents(name + ".txt"), "A");
        EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
        before = name + ".txt";
    }
}

}  // namespace
