// A rename pass ended from outside while it shows a message, and the next start putting its files
// back to the names they had before it.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Names = std::vector<std::string>;

// The session's own copy of the exe, as its first start used it.
std::wstring CopiedExe(const gui::Session& s) {
    const std::wstring app = gui::AppPath();
    return s.folder() + app.substr(app.find_last_of(L"\\/"));
}

// The next start in the session's folder, and the question it asks about the journal left.
HWND StartAndAsk(gui::AppProcess* again, const gui::Session& s) {
    std::string error;
    if (!again->Start(CopiedExe(s), s.folder(), &error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    // The review reads every item's identity before it asks: on a busy machine that takes long.
    return gui::WaitForMessageBox(again->id(), 120000);
}

// A pass over a.txt, b.txt and c.txt (a rotation) that stops when the move aside of a.txt, held
// open, fails, and whose Varnel is then killed: the journal is left. The box's text, and the
// names in the folder then.
void CutAPassShort(gui::Session& s, std::string* boxText, Names* cut) {
    const auto file = [&](const std::string& name) { return s.PathOf("files\\" + name); };
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    for (const char* name : {"a", "b", "c"}) {
        ASSERT_TRUE(gui::MakeFile(file(std::string(name) + ".txt"), name));
    }
    std::string error;
    ASSERT_TRUE(
        s.Start(nullptr, file("a.txt") + L" " + file("b.txt") + L" " + file("c.txt"), &error))
        << error;
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();

    // a -> b, b -> c, c -> a: each file goes aside first, a.txt last, and a.txt is held open
    // without sharing, so its move aside fails and the pass shows why.
    HANDLE held = CreateFileW(file("a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(gui::PutClipboardText("b\r\nc\r\na\r\n"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    HWND box = s.WaitForMessageBox(10000);
    ASSERT_NE(box, nullptr) << s.Describe();
    *boxText = gui::MessageBoxText(box);
    s.Kill();
    CloseHandle(held);
    *cut = gui::NamesIn(s.PathOf("files"));
    ASSERT_EQ(cut->size(), 3u);
    EXPECT_EQ((*cut)[0], "a.txt");
    EXPECT_EQ((*cut)[1].rfind("~%_", 0), 0u) << gui::Readable((*cut)[1]);
    ASSERT_TRUE(gui::Exists(s.PathOf("varnel.journal")));
}

// Each test here starts from a pass cut short (CutAPassShort): the box it showed, and the names
// in the folder then.
class CutJournal : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
        ASSERT_NO_FATAL_FAILURE(CutAPassShort(s, &boxText, &cut));
    }

    gui::ClipboardLock lock;
    gui::Session s;
    std::string boxText;
    Names cut;
};

// A journal whose files are all gone since: nothing is left to move, so the list is shown once
// with the offer to end the journal (No by default); Yes ends it, and the next start asks nothing.
TEST_F(CutJournal, AJournalWithNothingLeftToMoveMayBeEnded) {
    for (const std::string& name : cut) {
        ASSERT_TRUE(DeleteFileW(s.PathOf("files\\" + name).c_str())) << name;
    }
    gui::AppProcess again;
    HWND question = StartAndAsk(&again, s);
    ASSERT_NE(question, nullptr);
    const std::string asked = gui::MessageBoxText(question);
    EXPECT_EQ(
        asked.rfind(
            texts::Fill(texts::kNothingToPutBack, {gui::ToCp932(s.PathOf("varnel.journal"))}), 0),
        0u)
        << gui::Readable(asked);
    EXPECT_NE(GetWindowLongA(GetDlgItem(question, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
    ASSERT_TRUE(gui::PressButton(question, IDYES));
    EXPECT_TRUE(gui::WaitFor([&] { return !gui::Exists(s.PathOf("varnel.journal")); }));
    again.Kill();
}

TEST_F(CutJournal, APassEndedFromOutsideIsPutBackAtTheNextStart) {
    const auto file = [&](const std::string& name) { return s.PathOf("files\\" + name); };
    std::string error;
    EXPECT_EQ(boxText, texts::Fill(texts::kMoveFailedOne, {gui::ToCp932(file("a.txt")), "b.txt",
                                                           texts::kWhyMoveInUseOrDenied}) +
                           texts::kPassStoppedBeforeRenaming);

    gui::AppProcess again;
    const std::wstring exe = CopiedExe(s);
    HWND question = StartAndAsk(&again, s);
    ASSERT_NE(question, nullptr);
    // The question names what it would move: the two files set aside and not yet back.
    const std::string asked = gui::MessageBoxText(question);
    EXPECT_NE(asked.find(texts::kInterruptedAsk), std::string::npos) << gui::Readable(asked);
    EXPECT_NE(
        asked.find(texts::Fill(texts::kInterruptedMoving, {gui::ToCp932(file("b.txt")), cut[1]}) +
                   "\n"),
        std::string::npos)
        << gui::Readable(asked);

    // A second start meanwhile gets its answer at once; its path waits for the files to be back.
    ASSERT_TRUE(gui::MakeFile(s.PathOf("d.txt"), "d"));
    gui::AppProcess third;
    ASSERT_TRUE(third.Start(exe, s.folder(), &error, L"d.txt")) << error;
    DWORD code = 99;
    ASSERT_TRUE(third.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")), cut) << "nothing moves before the answer";

    ASSERT_TRUE(gui::PressButton(question, IDYES));
    HWND window = again.WaitForWindow("varnel", 15000, &error);
    ASSERT_NE(window, nullptr) << error;
    HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    EXPECT_TRUE(gui::WaitFor([&] {
        return gui::StatusPartText(bar, 0) == "001" &&
               gui::StatusPartText(bar, 1) == texts::kStepAdded;
    }));
    EXPECT_EQ(gui::FindMessageBox(again.id()), nullptr) << "every file is back: nothing to tell";
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"a.txt", "b.txt", "c.txt"}));
    for (const char* name : {"a", "b", "c"}) {
        EXPECT_EQ(gui::FileContents(file(std::string(name) + ".txt")), name);
    }
    EXPECT_FALSE(gui::Exists(s.PathOf("varnel.journal")));
    again.Kill();
}

// A user who wants the new names answers Cancel and then Yes: the journal goes and the files keep
// their names, none a temporary one. Cancel followed by No (what Esc and Enter give) changes
// nothing.
TEST_F(CutJournal, KeepingTheNamesAsTheyAreNeedsASecondYes) {
    for (const int second : {IDNO, IDYES}) {
        SCOPED_TRACE(second);
        gui::AppProcess again;
        HWND question = StartAndAsk(&again, s);
        ASSERT_NE(question, nullptr);
        ASSERT_TRUE(gui::PressButton(question, IDCANCEL));
        HWND confirm = nullptr;
        ASSERT_TRUE(gui::WaitFor([&] {
            for (HWND box : gui::MessageBoxes(again.id())) {
                if (gui::WindowText(box) == texts::kTitleForgetJournal) {
                    confirm = box;
                }
            }
            return confirm != nullptr;
        }));
        EXPECT_EQ(gui::MessageBoxText(confirm),
                  texts::Fill(texts::kForgetJournal, {gui::ToCp932(s.PathOf("varnel.journal"))}));
        ASSERT_TRUE(gui::PressButton(confirm, second));
        std::string error;
        ASSERT_NE(again.WaitForWindow("varnel", 15000, &error), nullptr) << error;
        EXPECT_EQ(gui::Exists(s.PathOf("varnel.journal")), second == IDNO);
        // Kept, a file at a temporary name goes to a free one of its own names: here its first.
        const Names first = {"a.txt", "b.txt", "c.txt"};
        EXPECT_EQ(gui::NamesIn(s.PathOf("files")), second == IDNO ? cut : first);
        std::string kept;
        EXPECT_EQ(s.ReadFile(L"varnel.history", &kept) && kept.size() > 8 && kept[8] == 'F',
                  second == IDYES)
            << "the names kept go into the history";
        again.Kill();
    }
}

// Long work says how far it got: a pass over thousands of files before it stops, and the next
// start while it puts back the files of that pass, cut short.
TEST(Journal, LongWorkShowsItsProgressBeforeTheMovesAndWhileFilesGoBack) {
    constexpr int kFiles = 3000;
    gui::ClipboardLock lock;
    ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
    gui::Session s;
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    const auto name = [](int i) { return "f" + std::to_string(10000 + i); };
    std::string line;
    std::string names;
    for (int i = 0; i < kFiles; ++i) {
        const std::wstring path = s.PathOf("files\\" + name(i) + ".txt");
        ASSERT_TRUE(gui::MakeFile(path, name(i)));
        line += gui::ToCp932(path) + " ";
        names += name((i + 1) % kFiles) + "\r\n";  // a rotation: every file goes aside first
    }
    std::string error;
    // Without the automatic sort, which could still run after the export and refuse the import.
    const std::string ini = std::string(texts::kListWindow) + "AutoSort=off\r\n";
    ASSERT_TRUE(s.Start(ini.c_str(), &error)) << error;
    ASSERT_TRUE(gui::HandOver(s.window(), line, 30000));
    const std::string count = std::to_string(kFiles);
    ASSERT_TRUE(s.WaitForStatus(count, texts::kStepAdded, 60000)) << s.Describe();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus(count, texts::kStepExported, 30000)) << s.Describe();

    // The first file goes aside last; held open, its move fails and the pass shows why.
    HANDLE held = CreateFileW(s.PathOf("files\\" + name(0) + ".txt").c_str(), GENERIC_READ, 0,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(gui::PutClipboardText(names));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    // The box of the failed move comes while the pass still holds the list, so the progress it
    // showed is still there to read: however fast the machine, nothing is missed between looks.
    // (The unit tests see every stage report.)
    HWND box = nullptr;
    ASSERT_TRUE(gui::WaitFor([&] { return (box = s.FindMessageBox()) != nullptr; }, 120000))
        << s.Describe();
    const std::string status = s.Status(1);
    EXPECT_TRUE(status.rfind(texts::ProgressHead(texts::kWorkPreparing), 0) == 0 ||
                status.rfind(texts::ProgressHead(texts::kWorkRenaming), 0) == 0)
        << "no progress before the pass stopped: " << s.Describe();
    s.Kill();
    CloseHandle(held);

    gui::AppProcess again;
    HWND question = StartAndAsk(&again, s);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(gui::MessageBoxText(question).find(
                  texts::Fill(texts::kMoreItems, {std::to_string(kFiles - 1 - 10)})),
              std::string::npos)
        << gui::Readable(gui::MessageBoxText(question));
    HWND window = gui::FindTopLevelWindow(again.id(), "varnel");
    ASSERT_NE(window, nullptr);
    HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    ASSERT_TRUE(gui::PressButton(question, IDYES));
    bool recovering = false;
    ASSERT_TRUE(gui::WaitFor(
        [&] {
            recovering = recovering || gui::StatusPartText(bar, 1).rfind(
                                           texts::ProgressHead(texts::kWorkRecovering), 0) == 0;
            return !gui::Exists(s.PathOf("varnel.journal"));
        },
        120000));
    EXPECT_TRUE(recovering) << "no progress while the files went back";
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")).size(), static_cast<size_t>(kFiles));
    EXPECT_EQ(gui::FileContents(s.PathOf("files\\" + name(1) + ".txt")), name(1));
    again.Kill();
}

// The list's names exported to the clipboard, these put in their place and imported, which
// renames (the automatic rename is on): false when a step did not show its status.
bool RenameThroughClipboard(gui::Session& s, const std::string& count, const char* names) {
    s.PostCommand(IDC_EXPORT_CLIPBOARD);
    if (!s.WaitForStatus(count, texts::kStepExported) || !gui::PutClipboardText(names)) {
        return false;
    }
    s.PostCommand(IDC_IMPORT_CLIPBOARD);
    return s.WaitForStatus(count, texts::kStepRenamed);
}

// The history dialog (or, with `besides` given, the undo's report beside it): posted the command
// when the window is given, then found among the process's dialogs by its title.
HWND OpenHistory(HWND window, DWORD process, HWND besides = nullptr) {
    if (window != nullptr) {
        PostMessageA(window, WM_COMMAND, IDC_HISTORY, 0);
    }
    HWND found = nullptr;
    gui::WaitFor([&] {
        for (HWND w : gui::MessageBoxes(process)) {
            if (w != besides && gui::WindowText(w) == texts::kTitleHistory) {
                found = w;
            }
        }
        return found != nullptr;
    });
    return found;
}

// An undo from the history that brings every row back to its first name leaves the window at
// the step a restore leaves it at.
TEST(History, AnUndoBackToTheFirstNamesShowsTheStepOfARestore) {
    gui::ClipboardLock lock;
    ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
    gui::Session s;
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    for (const char* name : {"a", "b"}) {
        ASSERT_TRUE(gui::MakeFile(s.PathOf("files\\" + std::string(name) + ".txt"), name));
    }
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, L"files\\a.txt files\\b.txt", &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(RenameThroughClipboard(s, "002", "b\r\na\r\n")) << s.Describe();
    HWND dialog = OpenHistory(s.window(), s.processId());
    ASSERT_NE(dialog, nullptr) << s.Describe();
    ASSERT_TRUE(gui::PressButton(dialog, IDOK));
    HWND box = OpenHistory(nullptr, s.processId(), dialog);
    ASSERT_NE(box, nullptr) << s.Describe();
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    EXPECT_TRUE(s.WaitForStatus("002", texts::kStepRenamable)) << s.Describe();
    EXPECT_EQ(gui::FileContents(s.PathOf("files\\a.txt")), "a");
}

// The history dialog after a restart: a rotation of three files, Varnel closed, started again
// with one of them, the pass undone from the dialog. The files and the list row come back, and
// the pass shows as undone and cannot be undone twice.
TEST(History, APassIsUndoneFromTheDialogAfterARestart) {
    gui::ClipboardLock lock;
    ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
    gui::Session s;
    const auto file = [&](const std::string& name) { return s.PathOf("files\\" + name); };
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    for (const char* name : {"a", "b", "c"}) {
        ASSERT_TRUE(gui::MakeFile(file(std::string(name) + ".txt"), name));
    }
    std::string error;
    ASSERT_TRUE(
        s.Start(nullptr, file("a.txt") + L" " + file("b.txt") + L" " + file("c.txt"), &error))
        << error;
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(RenameThroughClipboard(s, "003", "b\r\nc\r\na\r\n")) << s.Describe();
    ASSERT_EQ(gui::FileContents(file("b.txt")), "a");
    // Closing asks first, the names having changed.
    s.PostClose();
    HWND asked = s.WaitForMessageBox();
    ASSERT_NE(asked, nullptr) << s.Describe();
    ASSERT_TRUE(gui::PressButton(asked, IDYES));
    DWORD code = 99;
    ASSERT_TRUE(s.WaitForExit(&code));

    gui::AppProcess again;
    ASSERT_TRUE(again.Start(CopiedExe(s), s.folder(), &error, file("b.txt"))) << error;
    HWND window = again.WaitForWindow("varnel", 15000, &error);
    ASSERT_NE(window, nullptr) << error;
    HWND list = GetDlgItem(window, 100);
    ASSERT_TRUE(gui::WaitFor([&] { return gui::ListRowCount(list) == 1; }));
    const auto openHistory = [&] { return OpenHistory(window, again.id()); };
    HWND dialog = openHistory();
    ASSERT_NE(dialog, nullptr);
    HWND passes = GetDlgItem(dialog, IDL_HISTORY_PASSES);
    ASSERT_EQ(gui::ListRowCount(passes), 1);
    EXPECT_TRUE(gui::ListRowSelected(passes, 0)) << "the newest is selected";
    EXPECT_EQ(gui::ListCellText(passes, 0, 0).size(), 19u) << gui::ListCellText(passes, 0, 0);
    EXPECT_EQ(gui::ListCellText(passes, 0, 1), texts::kHistoryRename);
    EXPECT_EQ(gui::ListCellText(passes, 0, 2), texts::Fill(texts::kHistoryCount, {"3"}));
    EXPECT_EQ(gui::ListCellText(passes, 0, 3), gui::ToCp932(s.PathOf("files")) + "\\");
    ASSERT_TRUE(gui::PressButton(dialog, IDOK));

    HWND box = OpenHistory(nullptr, again.id(), dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::MessageBoxText(box), texts::Fill(texts::kUndoDone, {"3"}));
    EXPECT_EQ(GetWindow(box, GW_OWNER), window);
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    for (const char* name : {"a", "b", "c"}) {
        EXPECT_EQ(gui::FileContents(file(std::string(name) + ".txt")), name) << name;
    }
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_FALSE(gui::Exists(s.PathOf("varnel.journal")));
    EXPECT_EQ(gui::ListCellText(list, 0, 1), "a.txt") << "the row follows its file";

    dialog = openHistory();
    ASSERT_NE(dialog, nullptr);
    passes = GetDlgItem(dialog, IDL_HISTORY_PASSES);
    EXPECT_EQ(gui::ListCellText(passes, 0, 1),
              texts::Fill(texts::kHistoryUndone, {texts::kHistoryRename}));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "no second undo";
    ASSERT_TRUE(gui::PressButton(dialog, IDCANCEL));
    EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(dialog); }));
    again.Kill();
}

// The undo from the history moves only what it owns, and never leaves a file at a temporary
// name. a.txt is renamed b.txt, put back, and c.txt takes b.txt: undoing that first pass moves
// nothing, says so, and the next restore still puts back c.txt, not a.txt's file. Then a swap is
// undone while one of its files is held open: both stay as they are, named as held and taken,
// nothing at a temporary name, and once the file is free the undo brings both back.
TEST(History, AnUndoMovesOnlyWhatItOwnsAndLeavesNoFileAtATemporaryName) {
    gui::ClipboardLock lock;
    ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
    gui::Session s;
    const auto file = [&](const std::string& name) { return s.PathOf("files\\" + name); };
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    ASSERT_TRUE(gui::MakeFile(file("a.txt"), "A"));
    ASSERT_TRUE(gui::MakeFile(file("c.txt"), "C"));
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, L"files\\a.txt files\\c.txt", &error)) << error;
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    // The undo chosen from the bottom of the history (the oldest pass) or its top, and its box.
    const auto undo = [&](bool oldest, std::string* report) {
        HWND dialog = OpenHistory(s.window(), s.processId());
        HWND list = dialog ? FindWindowExA(dialog, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
        if (list == nullptr || (oldest && !gui::TypeKeys(dialog, "End")) ||
            (oldest && !gui::WaitFor([&] {
                 return gui::ListRowSelected(list, gui::ListRowCount(list) - 1);
             })) ||
            !gui::PressButton(dialog, IDOK)) {
            return false;
        }
        HWND box = OpenHistory(nullptr, s.processId(), dialog);
        if (box == nullptr) {
            return false;
        }
        *report = gui::MessageBoxText(box);
        return gui::PressButton(box, IDOK);
    };
    ASSERT_TRUE(RenameThroughClipboard(s, "002", "b\r\nc\r\n")) << s.Describe();
    s.PostCommand(IDC_RESTORE);
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepRenamable)) << s.Describe();
    ASSERT_TRUE(RenameThroughClipboard(s, "002", "a\r\nb\r\n")) << s.Describe();
    std::string report;
    ASSERT_TRUE(undo(true, &report)) << s.Describe();
    EXPECT_EQ(report, texts::Fill(texts::kUndoDone, {"0"}));
    s.PostCommand(IDC_RESTORE);
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepRenamable)) << s.Describe();
    EXPECT_EQ(gui::FileContents(file("a.txt")), "A");
    EXPECT_EQ(gui::FileContents(file("c.txt")), "C");

    ASSERT_TRUE(RenameThroughClipboard(s, "002", "c\r\na\r\n")) << s.Describe();
    {
        // Held without sharing, as an editor or a viewer may: no move can take it.
        HANDLE held = CreateFileW(file("c.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const bool undone = undo(false, &report);
        CloseHandle(held);
        ASSERT_TRUE(undone) << s.Describe();
    }
    EXPECT_EQ(report.rfind(texts::Fill(texts::kUndoLeftAlone, {"0", "2"}), 0), 0u)
        << gui::Readable(report);
    EXPECT_NE(report.find(texts::Fill(texts::kLeftInUse, {gui::ToCp932(file("a.txt")), "c.txt"})),
              std::string::npos)
        << gui::Readable(report);
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"a.txt", "c.txt"}));
    EXPECT_EQ(gui::FileContents(file("a.txt")), "C");
    EXPECT_FALSE(gui::Exists(s.PathOf("varnel.journal")));
    ASSERT_TRUE(undo(false, &report)) << s.Describe();
    EXPECT_EQ(report, texts::Fill(texts::kUndoDone, {"2"}));
    EXPECT_EQ(gui::FileContents(file("a.txt")), "A");
    EXPECT_EQ(gui::FileContents(file("c.txt")), "C");
    s.Kill();
}

}  // namespace
