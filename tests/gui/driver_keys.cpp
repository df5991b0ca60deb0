// The keys of the main window, what a rename pass lets through while it shows a message, and the
// settings that run the next step by themselves or leave it to the user.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Names = std::vector<std::string>;

const std::string kSlashLine(66, '/');

int Width(const RECT& r) {
    return r.right - r.left;
}

// A file held open without sharing, so that nobody else can move it until it is closed.
class LockedFile {
  public:
    explicit LockedFile(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~LockedFile() { Close(); }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close() {
        if (ok()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE handle_;
};

class Keys : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    }
    void Make(const std::string& name) { ASSERT_TRUE(gui::MakeFile(File(name), name)) << name; }
    std::wstring File(const std::string& name) const { return s.PathOf("files\\" + name); }
    Names OnDisk() const { return gui::NamesIn(s.PathOf("files")); }
    // Starts with the files, given in this order on the command line.
    void StartWith(const char* ini, const Names& names) {
        std::wstring arguments;
        for (const std::string& name : names) {
            arguments += (arguments.empty() ? L"files\\" : L" files\\") + gui::FromCp932(name);
        }
        std::string error;
        ASSERT_TRUE(s.Start(ini, arguments, &error)) << error;
    }
    // A size that the window's default size differs from, so that Ctrl+1 shows.
    void Shrink() {
        MoveWindow(s.window(), 40, 40, 500, 300, TRUE);
        ASSERT_TRUE(gui::Settle(s.window()));
        ASSERT_EQ(Width(s.WindowRect()), 500);
    }
    bool BackToDefaultSize() const {
        return gui::WaitFor([&] { return Width(s.WindowRect()) != 500; });
    }
    // Every cell, and the status bar, as the window shows them now (readable in a log).
    std::vector<Names> Shown() const {
        std::vector<Names> shown;
        for (int column = 0; column < 4; ++column) {
            shown.push_back(s.Column(column));
        }
        shown.push_back({s.Status(0), s.Status(1)});
        for (Names& texts : shown) {
            for (std::string& text : texts) {
                text = gui::Readable(text);
            }
        }
        return shown;
    }
    // The list, the status bar, the one message and the names on disk are as they were.
    void ExpectUnchanged(const std::vector<Names>& shown, HWND box, const Names& onDisk) const {
        EXPECT_EQ(s.RowCount(), static_cast<int>(shown[0].size()));
        EXPECT_EQ(Shown(), shown);
        EXPECT_EQ(gui::MessageBoxes(s.processId()), std::vector<HWND>{box})
            << "another message: " << s.Describe();
        EXPECT_EQ(OnDisk(), onDisk);
    }

    gui::ClipboardLock lock;
    gui::Session s;
};

TEST_F(Keys, CtrlWConvertsIllegalCharactersAndShiftWDoesNot) {
    Make("a.txt");
    StartWith(texts::kListWindow, {"a.txt"});
    ASSERT_TRUE(s.WaitForStatus("001", texts::kStepAdded)) << s.Describe();

    HWND edit = gui::BeginLabelEdit(s.list(), 0);
    ASSERT_NE(edit, nullptr) << "no edit box";
    ASSERT_TRUE(gui::SetText(edit, "x?y"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "Return"));
    ASSERT_TRUE(gui::WaitFor([&] { return s.Cell(0, 0) == "x?y"; }))
        << "edit column: " << gui::Readable(s.Cell(0, 0)) << "; " << s.Describe();

    // Keys are taken in order: once Ctrl+1 has set the default size, Shift+W has been handled.
    Shrink();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+w ctrl+1"));
    ASSERT_TRUE(BackToDefaultSize()) << "the keys did not arrive";
    EXPECT_EQ(s.Cell(0, 0), "x?y") << "Shift+W converted: " << gui::Readable(s.Cell(0, 0));

    // The full-width question mark.
    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+w"));
    EXPECT_TRUE(gui::WaitFor([&] { return s.Cell(0, 0) == "x\x81\x48y"; }))
        << "edit column: " << gui::Readable(s.Cell(0, 0));
    EXPECT_EQ(s.Cell(0, 1), "a.txt");
    EXPECT_EQ(OnDisk(), (Names{"a.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
}

TEST_F(Keys, NothingChangesTheListWhileARenameShowsItsMessage) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        Make(name);
    }
    StartWith(texts::kListWindow, {"a.txt", "b.txt", "c.txt"});
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();

    // b.txt cannot be moved while it is open without sharing: its rename fails, the others are
    // made, and the box that names it is shown before the pass ends.
    LockedFile locked(File("b.txt"));
    ASSERT_TRUE(locked.ok());
    ASSERT_TRUE(gui::PutClipboardText("x\r\ny\r\nz\r\n"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    HWND box = s.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message; status: " << s.Describe();
    EXPECT_EQ(gui::WindowText(box), texts::kTitleRenameError);
    EXPECT_EQ(gui::MessageBoxText(box),
              texts::Fill(texts::kMoveFailedOne,
                          {gui::ToCp932(File("b.txt")), "y.txt", texts::kWhyMoveInUseOrDenied}));
    // The main window owns the box: the user reads it over the list.
    ASSERT_EQ(GetWindow(box, GW_OWNER), s.window());
    const Names halfway = {"b.txt", "d.txt", "x.txt", "z.txt"};
    ASSERT_EQ(OnDisk(), halfway);
    const std::vector<Names> before = Shown();
    ASSERT_EQ(s.Column(1), (Names{"x.txt", "b.txt", "z.txt"}));

    // Posted messages are taken in order: once the size has changed, all before it are done.
    Shrink();
    s.PostCommand(IDC_NEW);
    s.PostCommand(IDC_SORT_NOW_PATH);
    s.PostCommand(IDC_RENAME);
    s.PostCommand(IDC_RESTORE);
    ASSERT_TRUE(gui::DropFiles(s.window(), {File("d.txt")}));
    // Closing would end the program under the pass that is still running.
    PostMessageA(s.window(), WM_CLOSE, 0, 0);
    s.PostCommand(IDC_ADJUST_DEFAULT);
    ASSERT_TRUE(BackToDefaultSize()) << "the posted messages were not taken";
    ASSERT_TRUE(IsWindow(s.window())) << "the window closed while the pass was running";
    ExpectUnchanged(before, box, halfway);

    // The dropped file was kept: it is added once the pass has ended, and the list sorted.
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    locked.Close();
    ASSERT_TRUE(s.WaitForStatus("004", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"b.txt", "d.txt", "x.txt", "z.txt"}));
    EXPECT_EQ(gui::FileContents(File("x.txt")), "a.txt");
    EXPECT_EQ(gui::FileContents(File("z.txt")), "c.txt");
    EXPECT_EQ(s.Column(1), (Names{"b.txt", "d.txt", "x.txt", "z.txt"}));
    EXPECT_EQ(s.Column(2), (Names{"b.txt", "d.txt", "a.txt", "c.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();

    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+z"));
    ASSERT_TRUE(s.WaitForStatus("004", texts::kStepRenamable)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt", "d.txt"}));
    EXPECT_EQ(gui::FileContents(File("a.txt")), "a.txt");
    EXPECT_EQ(gui::FileContents(File("c.txt")), "c.txt");
    EXPECT_EQ(s.Column(1), (Names{"b.txt", "d.txt", "a.txt", "c.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
}

// Six of eight files held open by another program: the pass renames the other two and shows one
// report that names the six, not six boxes.
TEST_F(Keys, ManyFailedRenamesShowOneReport) {
    Names names;
    for (int i = 1; i <= 8; ++i) {
        names.push_back("f" + std::to_string(i) + ".txt");
        Make(names.back());
    }
    StartWith(texts::kListWindow, names);
    ASSERT_TRUE(s.WaitForStatus("008", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus("008", texts::kStepExported)) << s.Describe();
    std::vector<std::unique_ptr<LockedFile>> held;
    for (int i = 3; i <= 8; ++i) {
        held.push_back(std::make_unique<LockedFile>(File("f" + std::to_string(i) + ".txt")));
        ASSERT_TRUE(held.back()->ok());
    }
    ASSERT_TRUE(gui::PutClipboardText("n1\r\nn2\r\nn3\r\nn4\r\nn5\r\nn6\r\nn7\r\nn8\r\n"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    HWND box = s.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_EQ(gui::WindowText(box), texts::kTitleRenameReport);
    EXPECT_EQ(GetWindow(box, GW_OWNER), s.window());
    std::string expected = texts::Fill(texts::kPassReport, {"2", "6"});
    for (int i = 3; i <= 8; ++i) {
        const std::string n = std::to_string(i);
        expected += texts::Fill(
            texts::kPassReportLine,
            {gui::ToCp932(File("f" + n + ".txt")), "n" + n + ".txt", texts::kWhyMoveInUseOrDenied});
    }
    EXPECT_EQ(gui::MessageBoxText(box), expected + texts::kPassReportCopy);
    ASSERT_TRUE(gui::PressButton(box, IDNO));
    held.clear();
    ASSERT_TRUE(gui::WaitFor([&] { return s.FindMessageBox() == nullptr; })) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"f3.txt", "f4.txt", "f5.txt", "f6.txt", "f7.txt", "f8.txt", "n1.txt",
                               "n2.txt"}));
    EXPECT_EQ(gui::MessageBoxes(s.processId()).size(), 0u) << "one report, no box after it";
}

TEST_F(Keys, WithoutAutoRenameAnImportWaitsForCtrlS) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        Make(name);
    }
    StartWith("[Basic]\r\nWindowMode=ListView\r\nAutoRename=off\r\n", {"a.txt", "b.txt", "c.txt"});
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();

    ASSERT_TRUE(gui::PutClipboardText("x\r\ny\r\nz\r\n" + kSlashLine));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamable)) << s.Describe();
    EXPECT_EQ(s.Column(0), (Names{"x", "y", "z"}));
    EXPECT_EQ(s.Column(1), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"}));

    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+s"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
    EXPECT_EQ(gui::FileContents(File("x.txt")), "a.txt");
    EXPECT_EQ(s.Column(1), (Names{"x.txt", "y.txt", "z.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
}

TEST_F(Keys, WithAutoCBCopyTheAddedNamesGoToTheClipboard) {
    Make("a.txt");
    Make("b.txt");
    ASSERT_TRUE(gui::PutClipboardText("marker"));
    StartWith("[Basic]\r\nAutoCBCopy=on\r\n", {"b.txt", "a.txt"});
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepExported)) << s.Describe();
    std::string exported;
    ASSERT_TRUE(gui::ClipboardText(&exported));
    const std::string names = "a\r\nb\r\n";
    ASSERT_EQ(exported.substr(0, names.size()), names) << exported;
    const std::string footer = exported.substr(names.size());
    EXPECT_EQ(footer.substr(0, footer.find("\r\n")), kSlashLine) << footer;
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt"}));
}

TEST_F(Keys, WithoutAutoSortTheFilesKeepTheirOrder) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        Make(name);
    }
    StartWith("[Basic]\r\nWindowMode=ListView\r\nAutoSort=off\r\n", {"c.txt", "a.txt", "b.txt"});
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.Column(1), (Names{"c.txt", "a.txt", "b.txt"}));
    EXPECT_EQ(s.Column(0), (Names{"c", "a", "b"}));
}

}  // namespace
