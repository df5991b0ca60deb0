// The names handed to an editor through the IO file: Varnel starts the editor on the file, steps
// aside while it is open, and takes the edited names back when its window closes. The editor is
// the stand-in fake_editor.exe, told what to do through VARNEL_FAKE_EDITOR.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Names = std::vector<std::string>;

const std::string kSlashLine(66, '/');
constexpr char kEditorClass[] = "varnel_fake_editor";
// The stand-in's own window size, which Varnel keeps.
constexpr int kEditorWidth = 320;
constexpr int kEditorHeight = 240;
// Where the main window is put first: away from the stand-in's own place and from (0,0).
constexpr RECT kMainPlace = {60, 50, 620, 410};

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string RectOf(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return Text(r);
}

std::string Placed(int left, int top, int width, int height) {
    return Text({left, top, left + width, top + height});
}

// WM_GETTEXT is carried between processes with its buffer.
std::string ControlText(HWND control) {
    char text[1024] = {};
    DWORD_PTR ignored = 0;
    if (control == nullptr ||
        !SendMessageTimeoutA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, 5000, &ignored)) {
        return "<unreadable>";
    }
    return text;
}

std::vector<std::string> StaticTexts(HWND dialog) {
    std::vector<HWND> statics;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM found) -> BOOL {
            if (gui::WindowClass(child) == "Static") {
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&statics));
    std::vector<std::string> texts;
    for (HWND control : statics) {
        texts.push_back(gui::Readable(ControlText(control)));
    }
    return texts;
}

// The IO file as Varnel writes it: the names, then seven comment lines, the first a row of 66
// slashes, each ended by CR LF (so the last piece after splitting is empty).
void ExpectExported(const std::string& file, const std::string& names) {
    ASSERT_EQ(file.substr(0, names.size()), names) << gui::Readable(file);
    const std::vector<std::string> lines = gui::SplitLines(file.substr(names.size()));
    ASSERT_EQ(lines.size(), 8u) << gui::Readable(file);
    EXPECT_EQ(lines[0], kSlashLine);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(lines[i].rfind("//", 0), 0u) << "not a comment line: " << gui::Readable(lines[i]);
    }
    EXPECT_EQ(lines[7], "") << "the last line has no line break";
}

class Tool : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(gui::ToolPath().empty()) << "no --tool= given";
        ASSERT_EQ(FindWindowA(kEditorClass, nullptr), nullptr)
            << "an editor from an earlier test is still open";
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            ASSERT_TRUE(gui::MakeFile(File(name), name)) << name;
        }
        ASSERT_TRUE(gui::MakeFile(s.PathOf("names.txt"), "x\r\ny\r\nz\r\n"));
    }
    // An editor left open by a failed test is asked to close, and killed if it does not.
    void TearDown() override {
        HWND editor = FindWindowA(kEditorClass, nullptr);
        if (editor == nullptr) {
            return;
        }
        DWORD id = 0;
        GetWindowThreadProcessId(editor, &id);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        gui::RequestClose(editor, 2000);
        if (process != nullptr) {
            if (WaitForSingleObject(process, 3000) != WAIT_OBJECT_0) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, 5000);
            }
            CloseHandle(process);
        }
    }

    std::wstring File(const std::string& name) const { return s.PathOf("files\\" + name); }
    Names OnDisk() const { return gui::NamesIn(s.PathOf("files")); }
    std::string Editor() const { return gui::Narrow(gui::ToolPath()); }
    // A script whose rewrite makes the names x, y, z.
    std::string Script(const std::string& mode) const {
        return mode + gui::Narrow(s.PathOf("names.txt"));
    }
    // Starts in list view with the stand-in as the tool (or another one) and the three files
    // added, with the main window at kMainPlace.
    void StartWith(const std::string& extra, const std::string& script) {
        StartWith(extra, script, Editor());
    }
    void StartWith(const std::string& extra, const std::string& script, const std::string& tool) {
        SetEnvironmentVariableA("VARNEL_FAKE_EDITOR", script.c_str());
        const std::string ini =
            std::string(texts::kListWindow) + "ToolPath=" + tool + "\r\n" + extra;
        std::string error;
        ASSERT_TRUE(s.Start(ini.c_str(), L"files\\a.txt files\\b.txt files\\c.txt", &error))
            << error;
        ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
        MoveWindow(s.window(), kMainPlace.left, kMainPlace.top, kMainPlace.right - kMainPlace.left,
                   kMainPlace.bottom - kMainPlace.top, TRUE);
        ASSERT_TRUE(gui::Settle(s.window()));
        ASSERT_EQ(Text(s.WindowRect()), Text(kMainPlace));
    }
    // The default IO file, tmp.txt beside the exe, in cp932.
    std::string DefaultIoFile() const { return gui::Narrow(s.folder()) + "\\tmp.txt"; }
    std::string Beside(const std::string& ioFile, const char* suffix) const {
        return gui::FileContents(gui::FromCp932(ioFile + suffix));
    }
    bool ExistsBeside(const std::string& ioFile, const char* suffix) const {
        return gui::Exists(gui::FromCp932(ioFile + suffix));
    }
    HWND WaitForEditor() const {
        HWND editor = nullptr;
        gui::WaitFor([&] { return (editor = FindWindowA(kEditorClass, nullptr)) != nullptr; },
                     10000);
        return editor;
    }
    bool EditorGone() const {
        return gui::WaitFor([] { return FindWindowA(kEditorClass, nullptr) == nullptr; }, 10000);
    }
    // A message box of Varnel's with this title (the wait dialog may be shown beside it).
    HWND WaitForBoxTitled(const char* title) const {
        return gui::WaitForDialogTitled(s.processId(), title, 10000);
    }
    // The wait dialog: a dialog of Varnel's with its title.
    HWND WaitForWaitDialog() const { return WaitForBoxTitled(texts::kWaitTitle); }
    // Varnel is back as a user can use it: visible, enabled, where expected, nothing over it.
    void ExpectBack(const std::string& where) const {
        EXPECT_TRUE(IsWindowVisible(s.window())) << "the main window stayed hidden";
        EXPECT_TRUE(IsWindowEnabled(s.window()));
        EXPECT_EQ(Text(s.WindowRect()), where);
        EXPECT_EQ(gui::MessageBoxes(s.processId()), std::vector<HWND>{}) << s.Describe();
    }

    gui::Session s;
};

TEST_F(Tool, ShiftDHandsTheNamesToTheEditorAndRenamesWhenItCloses) {
    StartWith("", Script("stay:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    HWND dialog = WaitForWaitDialog();
    ASSERT_NE(dialog, nullptr) << "no wait dialog; " << s.Describe();
    EXPECT_FALSE(IsWindowVisible(s.window())) << "the main window stays shown while waiting";
    EXPECT_EQ(StaticTexts(dialog), (std::vector<std::string>{gui::Readable(texts::kWaitMessage)}));
    EXPECT_EQ(ControlText(GetDlgItem(dialog, IDCANCEL)), texts::kWaitCancel);
    RECT box = {};
    GetWindowRect(dialog, &box);
    EXPECT_EQ(box.left, 0) << Text(box);
    EXPECT_EQ(box.top, 0) << Text(box);

    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(RectOf(editor), Placed(kMainPlace.left, kMainPlace.top, kEditorWidth, kEditorHeight))
        << "the editor is not over the main window";
    const std::string io = DefaultIoFile();
    EXPECT_EQ(gui::Readable(Beside(io, ".cmdline")), gui::Readable(Editor() + " " + io));
    ExpectExported(Beside(io, ".orig"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"})) << "renamed before the editor closed";

    ASSERT_TRUE(gui::RequestClose(editor, 5000));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
    EXPECT_EQ(gui::FileContents(File("x.txt")), "a.txt");
    EXPECT_EQ(gui::FileContents(File("z.txt")), "c.txt");
    EXPECT_EQ(s.Column(0), (Names{"x", "y", "z"}));
    EXPECT_FALSE(IsWindow(dialog));
    ExpectBack(Text(kMainPlace));
}

std::string Utf8(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0],
                            length, nullptr, nullptr);
    }
    return utf8;
}

// Names cp932 cannot hold make the IO file UTF-8 with a byte-order mark; the editor's UTF-8
// names come back exactly, are renamed, and restored.
TEST_F(Tool, NamesCp932CannotHoldGoThroughTheIoFileAsUtf8) {
    const std::wstring first[] = {L"Pok\u00E9mon", L"\u301Cx", L"\U0001F600"};
    const std::wstring wanted[] = {L"x", L"\u00E9\u301C", L"\U0001F600\U0001F600"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(gui::MakeFile(s.PathOf("files\\") + first[i] + L".txt", std::to_string(i)));
    }
    std::string names = "\xEF\xBB\xBF";
    for (const std::wstring& name : wanted) {
        names += Utf8(name) + "\r\n";
    }
    ASSERT_TRUE(gui::MakeFile(s.PathOf("utf8 names.txt"), names));
    const std::string script = "rewrite:" + gui::Narrow(s.PathOf("utf8 names.txt"));
    SetEnvironmentVariableA("VARNEL_FAKE_EDITOR", script.c_str());
    const std::string ini = std::string(texts::kListWindow) + "ToolPath=" + Editor() + "\r\n";
    std::string error;
    ASSERT_TRUE(s.Start(
        ini.c_str(), L"files\\Pok\u00E9mon.txt files\\\u301Cx.txt files\\\U0001F600.txt", &error))
        << error;
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    s.PostCommand(IDC_EXPORT_FILE);
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();

    // The file as the editor found it: a byte-order mark, the names in UTF-8 in the list's order.
    const std::string io = DefaultIoFile();
    const std::string found = Beside(io, ".orig");
    ASSERT_EQ(found.rfind("\xEF\xBB\xBF", 0), 0u) << gui::Readable(found);
    std::vector<int> order;
    std::size_t at = 3;
    for (int line = 0; line < 3; ++line) {
        const std::size_t end = found.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        const std::string name = found.substr(at, end - at);
        for (int i = 0; i < 3; ++i) {
            if (Utf8(first[i]) == name) {
                order.push_back(i);
            }
        }
        at = end + 2;
    }
    ASSERT_EQ(order.size(), 3u) << "a name did not go out exactly: " << gui::Readable(found);
    for (int line = 0; line < 3; ++line) {
        EXPECT_EQ(gui::FileContents(s.PathOf("files\\") + wanted[line] + L".txt"),
                  std::to_string(order[line]))
            << line;
    }

    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+z"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamable)) << s.Describe();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(gui::FileContents(s.PathOf("files\\") + first[i] + L".txt"), std::to_string(i));
    }
}

// An editor that saves the IO file in its own encoding, the user having changed only "plain"
// (the first of the names, in their order on the command line). Varnel's box comes, is answered,
// and no file is renamed.
HWND SaveReencoded(gui::Session& s, const std::string& editor, const char* encoding,
                   const std::vector<std::wstring>& names, const char* title) {
    const std::wstring folder = s.PathOf(encoding);
    std::wstring arguments;
    std::string edited;
    EXPECT_TRUE(gui::MakeFolder(folder));
    for (const std::wstring& name : names) {
        EXPECT_TRUE(gui::MakeFile(folder + L"\\" + name + L".txt", Utf8(name)));
        arguments += L"\"" + folder + L"\\" + name + L".txt\" ";
        edited += (edited.empty() ? "plain2" : Utf8(name)) + "\r\n";
    }
    EXPECT_TRUE(gui::MakeFile(s.PathOf("edited.txt"), edited));
    const std::string script =
        std::string("recode:") + encoding + ":" + gui::Narrow(s.PathOf("edited.txt"));
    SetEnvironmentVariableA("VARNEL_FAKE_EDITOR", script.c_str());
    const std::string ini =
        std::string(texts::kListWindow) + "AutoSort=off\r\nToolPath=" + editor + "\r\n";
    std::string error;
    if (!s.Start(ini.c_str(), arguments, &error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    const std::string count = "00" + std::to_string(names.size());
    EXPECT_TRUE(s.WaitForStatus(count, texts::kStepAdded)) << s.Describe();
    s.PostCommand(IDC_EXPORT_FILE);
    HWND box = nullptr;
    gui::WaitFor([&] {
        for (HWND found : gui::MessageBoxes(s.processId())) {
            if (gui::WindowText(found) == title) {
                box = found;
            }
        }
        return box != nullptr;
    });
    return box;
}

void ExpectNoneRenamed(const gui::Session& s, const char* encoding,
                       const std::vector<std::wstring>& names) {
    const std::wstring folder = s.PathOf(encoding);
    for (const std::wstring& name : names) {
        EXPECT_EQ(gui::FileContents(folder + L"\\" + name + L".txt"), Utf8(name));
    }
    EXPECT_EQ(gui::NamesIn(folder).size(), names.size());
}

// Saved as EUC-JP, which Varnel does not read: its own footer says so, and nothing is taken.
TEST_F(Tool, AFileSavedInEucJpIsRefusedAndNothingRenamed) {
    const std::vector<std::wstring> names = {L"plain", L"\u5199\u771F", L"\u8868\u8A08\u7B97"};
    HWND box = SaveReencoded(s, Editor(), "euc", names, texts::kTitleFileContents);
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_EQ(gui::MessageBoxText(box), texts::Fill(texts::kImportReEncoded, {DefaultIoFile()}));
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    ASSERT_TRUE(gui::WaitFor([&] { return gui::MessageBoxes(s.processId()).empty(); }));
    ExpectNoneRenamed(s, "euc", names);
}

// Went out as UTF-8, saved as "ANSI": café became cafe, naïve naive, 한국 "??". The question names
// those rows, its default is No, and No renames nothing.
TEST_F(Tool, NamesCp932LostAreAskedAboutAndNoRenamesNothing) {
    const std::vector<std::wstring> names = {L"plain", L"caf\u00E9", L"na\u00EFve",
                                             L"\uD55C\uAD6D"};
    HWND box = SaveReencoded(s, Editor(), "ansi", names, texts::kTitleFileEncoding);
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_NE(GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, 0)
        << "No is not the default";
    // "N 行目：" of each row named.
    const auto rowHead = [](const char* row) {
        const std::string line = texts::Fill(texts::kImportChangedRow, {row, "", ""});
        return line.substr(0, line.find(' ', 2));
    };
    const std::string asked = gui::MessageBoxText(box);
    for (const char* row : {"2", "3", "4"}) {
        EXPECT_NE(asked.find(rowHead(row)), std::string::npos) << row << gui::Readable(asked);
    }
    EXPECT_EQ(asked.find(rowHead("1")), std::string::npos) << gui::Readable(asked);
    ASSERT_TRUE(gui::PressButton(box, IDNO));
    ASSERT_TRUE(gui::WaitFor([&] { return gui::MessageBoxes(s.processId()).empty(); }));
    ExpectNoneRenamed(s, "ansi", names);
}

// An IO file whose path has blanks and a character whose second byte is 0x5C (表) reaches the
// editor unquoted and is read back; the editor closes by itself.
TEST_F(Tool, AnEditorThatClosesByItselfIsReadBackFromAnIoPathWithBlanks) {
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("io 表")));
    const std::string io = gui::Narrow(s.folder()) + "\\io 表\\名前 一覧.txt";
    StartWith("IOFilePath=" + io + "\r\n", Script("rewrite:"));
    s.PostCommand(IDC_EXPORT_FILE);

    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
    EXPECT_EQ(gui::Readable(Beside(io, ".cmdline")), gui::Readable(Editor() + " " + io));
    ExpectExported(Beside(io, ".orig"), "a\r\nb\r\nc\r\n");
    ExpectExported(Beside(io, ""), "x\r\ny\r\nz\r\n");
    EXPECT_TRUE(EditorGone());
    ExpectBack(Text(kMainPlace));
}

TEST_F(Tool, TheMainWindowComesBackWhereTheEditorWasLastSeen) {
    StartWith("", Script("move:300,200:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
    ExpectBack(
        Placed(300, 200, kMainPlace.right - kMainPlace.left, kMainPlace.bottom - kMainPlace.top));
}

// A minimized window's rect lies far off the screen; the main window must not come back there.
TEST_F(Tool, AnEditorClosedWhileMinimizedBringsTheMainWindowBackOnTheScreen) {
    StartWith("", Script("minimize:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
    ExpectBack(Text(kMainPlace));
}

// Every GUI thread has hidden top-level windows too; the tool's own window is the one placed, and
// its closing ends the wait.
TEST_F(Tool, AHiddenWindowListedBeforeTheEditorsOwnIsPassedOver) {
    SetEnvironmentVariableA("VARNEL_FAKE_EDITOR_DECOY", "1");
    StartWith("", Script("stay:"));
    SetEnvironmentVariableA("VARNEL_FAKE_EDITOR_DECOY", nullptr);
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(WaitForWaitDialog(), nullptr) << s.Describe();
    EXPECT_EQ(RectOf(editor), Placed(kMainPlace.left, kMainPlace.top, kEditorWidth, kEditorHeight))
        << "the editor is not over the main window";
    ASSERT_TRUE(gui::RequestClose(editor, 5000));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    ExpectBack(Text(kMainPlace));
}

TEST_F(Tool, AMaximizedMainWindowComesBackMaximized) {
    StartWith("", Script("rewrite:"));
    SendMessageA(s.window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(IsZoomed(s.window()));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    EXPECT_TRUE(IsWindowVisible(s.window()));
    EXPECT_TRUE(IsZoomed(s.window())) << "came back as " << RectOf(s.window());
}

// While the names are out, nothing may change the list: a hand-over and a drop are kept and
// added after the edited names have been taken, and New and a sort do nothing. The new paths sort
// before the others, so taking them at once would move the lines onto the wrong files.
TEST_F(Tool, PathsThatArriveWhileTheNamesAreOutAreAddedAfterTheRename) {
    for (const char* name : {"0.txt", "1.txt"}) {
        ASSERT_TRUE(gui::MakeFile(File(name), name)) << name;
    }
    StartWith("", Script("stay:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));
    ASSERT_NE(WaitForWaitDialog(), nullptr) << "no wait dialog; " << s.Describe();
    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);

    ASSERT_TRUE(gui::HandOver(s.window(), gui::Narrow(File("0.txt"))));
    ASSERT_TRUE(gui::DropFiles(s.window(), {File("1.txt")}));
    s.PostCommand(IDC_NEW);
    s.PostCommand(IDC_SORT_NOW_PATH);
    // Posted messages are taken in order: once the size has changed, all before it are done.
    s.PostCommand(IDC_ADJUST_DEFAULT);
    ASSERT_TRUE(gui::WaitFor([&] { return s.WindowRect().right - s.WindowRect().left == 620; }))
        << "the posted messages were not taken";
    EXPECT_EQ(s.Column(1), (Names{"a.txt", "b.txt", "c.txt"})) << "the list changed";

    ASSERT_TRUE(gui::RequestClose(editor, 5000));
    ASSERT_TRUE(s.WaitForStatus("005", texts::kStepAdded, 10000)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"0.txt", "1.txt", "x.txt", "y.txt", "z.txt"}));
    EXPECT_EQ(gui::FileContents(File("x.txt")), "a.txt");
    EXPECT_EQ(gui::FileContents(File("y.txt")), "b.txt");
    EXPECT_EQ(gui::FileContents(File("z.txt")), "c.txt");
    EXPECT_EQ(s.Column(1), (Names{"0.txt", "1.txt", "x.txt", "y.txt", "z.txt"}));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
}

TEST_F(Tool, CancelAsksTheEditorToCloseAndReadsNothing) {
    StartWith("", Script("stay:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));
    HWND dialog = WaitForWaitDialog();
    ASSERT_NE(dialog, nullptr) << "no wait dialog; " << s.Describe();
    ASSERT_NE(WaitForEditor(), nullptr);
    const std::string io = DefaultIoFile();
    ASSERT_FALSE(ExistsBeside(io, ".closed"));

    ASSERT_TRUE(gui::PressButton(dialog, IDCANCEL));
    EXPECT_TRUE(gui::WaitFor([&] { return ExistsBeside(io, ".closed"); }))
        << "the editor was not asked to close";
    EXPECT_TRUE(EditorGone());
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();
    EXPECT_EQ(s.Column(0), (Names{"a", "b", "c"})) << "the edited names were read";
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"}));
    ExpectBack(Text(kMainPlace));
}

TEST_F(Tool, WithoutAutoFileOpenOnlyTheFileIsWritten) {
    StartWith("AutoFileOpen=off\r\n", Script("rewrite:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();
    const std::string io = DefaultIoFile();
    ExpectExported(Beside(io, ""), "a\r\nb\r\nc\r\n");
    EXPECT_FALSE(ExistsBeside(io, ".cmdline")) << "the editor was started";
    EXPECT_EQ(FindWindowA(kEditorClass, nullptr), nullptr) << "the editor was started";
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"}));
    ExpectBack(Text(kMainPlace));
}

TEST_F(Tool, WithoutAutoFileCloseTheEditorOpensBesideAndVarnelGoesOn) {
    StartWith("AutoFileClose=off\r\n", Script("stay:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    // Shown while the editor is still open: Varnel did not wait for it.
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported, 10000)) << s.Describe();
    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);
    const std::string beside =
        Placed(kMainPlace.left + 200, kMainPlace.top, kEditorWidth, kEditorHeight);
    EXPECT_TRUE(gui::WaitFor([&] { return RectOf(editor) == beside; })) << RectOf(editor);
    ExpectBack(Text(kMainPlace));
    const std::string io = DefaultIoFile();
    EXPECT_EQ(gui::Readable(Beside(io, ".cmdline")), gui::Readable(Editor() + " " + io));
    ExpectExported(Beside(io, ".orig"), "a\r\nb\r\nc\r\n");

    ASSERT_TRUE(gui::RequestClose(editor, 5000));
    EXPECT_TRUE(EditorGone());
    ASSERT_TRUE(gui::Settle(s.window()));
    EXPECT_EQ(s.Status(1), texts::kStepExported) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"}));
}

TEST_F(Tool, AToolThatCannotBeStartedIsNamedAndLeavesVarnelAsAfterExport) {
    const std::string missing = gui::Narrow(s.folder()) + "\\missing.exe";
    StartWith("", Script("rewrite:"), missing);
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    HWND box = WaitForBoxTitled(texts::kTitleToolNotStarted);
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_EQ(gui::MessageBoxText(box),
              texts::Fill(texts::kToolNotStarted, {missing, texts::kWhyToolNotFound}));
    EXPECT_EQ(GetWindow(box, GW_OWNER), s.window());
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported, 10000)) << s.Describe();
    ExpectExported(Beside(DefaultIoFile(), ""), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"}));
    ExpectBack(Text(kMainPlace));
}

// A tool that hands the file to another process and ends: the window that shows the file is
// followed, placed over the main window, and its close reads the names back.
TEST_F(Tool, AToolThatHandsItsFileOnIsFollowedToTheWindowThatShowsIt) {
    StartWith("", "handon:" + Script("rewrite:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));
    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr) << s.Describe();
    EXPECT_EQ(gui::WindowText(editor), "tmp.txt - fake editor");
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 15000)) << s.Describe();
    EXPECT_EQ(Beside(DefaultIoFile(), ".placed"),
              Placed(kMainPlace.left, kMainPlace.top, kEditorWidth, kEditorHeight));
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
    ExpectBack(Text(kMainPlace));
}

// A window that shows the file among others stays open: importing now reads the names and
// renames, and leaves that window open, as Cancel would too.
TEST_F(Tool, ImportNowReadsTheFileFromAWindowThatStaysOpen) {
    StartWith("", "handon:" + Script("stay:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));
    HWND dialog = WaitForWaitDialog();
    ASSERT_NE(dialog, nullptr) << s.Describe();
    EXPECT_EQ(ControlText(GetDlgItem(dialog, IDB_WAIT_IMPORT_NOW)), texts::kWaitImportNow);
    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr) << s.Describe();
    ASSERT_TRUE(gui::WaitFor([&] { return ExistsBeside(DefaultIoFile(), ".placed"); }, 10000));
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"})) << "nothing read before the button";
    ASSERT_TRUE(gui::PressButton(dialog, IDB_WAIT_IMPORT_NOW));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
    EXPECT_TRUE(IsWindow(editor)) << "the editor's window was closed";
    EXPECT_FALSE(ExistsBeside(DefaultIoFile(), ".closed"));
    ExpectBack(Text(kMainPlace));
}

// A tool that shows no window at all: the wait says so after a few seconds, and goes on until
// the user ends it.
TEST_F(Tool, WithoutAWindowTheWaitSaysSoAndCancelLeavesTheNamesOut) {
    StartWith("", "quit");
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));
    HWND dialog = WaitForWaitDialog();
    ASSERT_NE(dialog, nullptr) << s.Describe();
    EXPECT_TRUE(gui::WaitFor(
        [&] { return ControlText(GetDlgItem(dialog, IDT_WAIT_MESSAGE)) == texts::kWaitNoWindow; },
        10000))
        << gui::Readable(ControlText(GetDlgItem(dialog, IDT_WAIT_MESSAGE)));
    EXPECT_TRUE(IsWindow(dialog)) << "the wait gave up by itself";
    ASSERT_TRUE(gui::PressButton(dialog, IDCANCEL));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported, 10000)) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"}));
    ExpectBack(Text(kMainPlace));
}

// Opening the IO file again after a rename: the editor is placed beside, Varnel goes on at once
// and does not read the file when the editor closes.
TEST_F(Tool, ShiftEOpensTheIoFileBesideWithoutWaiting) {
    StartWith("", Script("rewrite:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed, 10000)) << s.Describe();
    ASSERT_TRUE(EditorGone());
    const std::string io = DefaultIoFile();
    for (const char* suffix : {".cmdline", ".orig", ".placed"}) {
        ASSERT_TRUE(DeleteFileW(gui::FromCp932(io + suffix).c_str())) << suffix;
    }

    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+e"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported, 10000)) << s.Describe();
    EXPECT_TRUE(gui::WaitFor([&] { return ExistsBeside(io, ".placed"); })) << "not placed";
    EXPECT_EQ(Beside(io, ".placed"),
              Placed(kMainPlace.left + 200, kMainPlace.top, kEditorWidth, kEditorHeight));
    EXPECT_EQ(gui::Readable(Beside(io, ".cmdline")), gui::Readable(Editor() + " " + io));
    ExpectExported(Beside(io, ".orig"), "x\r\ny\r\nz\r\n");
    ExpectBack(Text(kMainPlace));

    // The editor closes by itself; nothing is read back.
    ASSERT_TRUE(EditorGone());
    ASSERT_TRUE(gui::Settle(s.window()));
    EXPECT_EQ(s.Status(1), texts::kStepExported) << s.Describe();
    EXPECT_EQ(OnDisk(), (Names{"x.txt", "y.txt", "z.txt"}));
}

// Two equal lines: the import after the editor closes is refused. The names are still out: the
// step says so, and the file keeps what the user saved, to be mended and read again.
TEST_F(Tool, ARefusedImportAfterTheEditorClosesLeavesTheNamesOut) {
    ASSERT_TRUE(gui::MakeFile(s.PathOf("same.txt"), "x\r\nx\r\nz\r\n"));
    StartWith("", "rewrite:" + gui::Narrow(s.PathOf("same.txt")));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    HWND box = WaitForBoxTitled(texts::kTitleBadName);
    ASSERT_NE(box, nullptr) << s.Describe();
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();
    ExpectExported(Beside(DefaultIoFile(), ""), "x\r\nx\r\nz\r\n");
    EXPECT_EQ(s.Column(0), (Names{"a", "b", "c"}));
    EXPECT_EQ(OnDisk(), (Names{"a.txt", "b.txt", "c.txt"}));
    ExpectBack(Text(kMainPlace));
}

TEST_F(Tool, AnIoFileThatCannotBeWrittenIsNamedWithTheReason) {
    const std::string io = gui::Narrow(s.folder()) + "\\missing\\tmp.txt";
    StartWith("IOFilePath=" + io + "\r\n", Script("rewrite:"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));

    HWND box = WaitForBoxTitled(texts::kTitleExport);
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_EQ(gui::Readable(gui::MessageBoxText(box)),
              gui::Readable(texts::Fill(texts::kExportFailed, {io, texts::kWriteFolderMissing})));
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    ASSERT_TRUE(gui::Settle(s.window()));
    EXPECT_EQ(s.Status(1), texts::kStepAdded) << s.Describe();
    EXPECT_EQ(FindWindowA(kEditorClass, nullptr), nullptr) << "the editor was started";
    ExpectBack(Text(kMainPlace));
}

}  // namespace
