// Starting anew and closing the window ask first only when files have been renamed (the first
// names could not be put back afterwards), and only with the confirmation turned on.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Names = std::vector<std::string>;

class Confirm : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
        ASSERT_TRUE(gui::MakeFile(s.PathOf("files\\a.txt"), "A"));
        ASSERT_TRUE(gui::MakeFile(s.PathOf("files\\b.txt"), "B"));
    }

    // Starts with both files in the list.
    void StartWithFiles(const char* ini) {
        std::string error;
        ASSERT_TRUE(s.Start(ini, L"files\\a.txt files\\b.txt", &error)) << error;
        ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    }

    // a.txt → x.txt, b.txt → y.txt through the clipboard.
    void RenameBoth() {
        ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
        ASSERT_TRUE(s.WaitForStatus("002", texts::kStepExported)) << s.Describe();
        ASSERT_TRUE(gui::PutClipboardText("x\r\ny\r\n"));
        ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
        ASSERT_TRUE(s.WaitForStatus("002", texts::kStepRenamed)) << s.Describe();
        ASSERT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"x.txt", "y.txt"}));
    }

    // The question that comes up, answered with the button; its text.
    std::string Answer(int button) {
        HWND box = s.WaitForMessageBox();
        if (box == nullptr) {
            ADD_FAILURE() << "nothing was asked";
            return std::string();
        }
        EXPECT_EQ(gui::WindowText(box), texts::kTitleRenamed);
        EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
        EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "only yes and no";
        const std::string text = gui::MessageBoxText(box);
        EXPECT_TRUE(gui::PressButton(box, button));
        // Handled to its end, unless the window is gone with the program (it may go while the
        // look waits for it).
        EXPECT_TRUE(gui::Settle(s.window()) || !IsWindow(s.window()));
        return text;
    }

    gui::ClipboardLock lock;
    gui::Session s;
};

TEST_F(Confirm, NewAsksAfterARenameAndNoKeepsTheList) {
    StartWithFiles(nullptr);
    RenameBoth();

    s.PostCommand(IDC_NEW);
    const std::string question = Answer(IDNO);
    EXPECT_EQ(question, texts::Fill(texts::kConfirmDiscard, {texts::kCommandNew}));
    EXPECT_EQ(s.FindMessageBox(), nullptr);
    EXPECT_EQ(s.RowCount(), 2);
    EXPECT_EQ(s.Status(0), "002");
    EXPECT_EQ(s.Status(1), texts::kStepRenamed);

    s.PostCommand(IDC_NEW);
    Answer(IDYES);
    ASSERT_TRUE(s.WaitForStatus("000", texts::kStepFresh)) << s.Describe();
    EXPECT_EQ(s.RowCount(), 0);
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"x.txt", "y.txt"}))
        << "starting anew leaves the files as they are";
}

TEST_F(Confirm, ClosingAsksAfterARenameAndYesEndsTheProgram) {
    StartWithFiles(texts::kListWindow);
    RenameBoth();

    s.PostClose();
    const std::string question = Answer(IDNO);
    EXPECT_EQ(question, texts::Fill(texts::kConfirmDiscard, {texts::kCommandQuit}));
    EXPECT_TRUE(s.Running());
    EXPECT_TRUE(IsWindowVisible(s.window()));
    EXPECT_EQ(s.RowCount(), 2);

    s.PostClose();
    Answer(IDYES);
    DWORD code = 99;
    ASSERT_TRUE(s.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(Confirm, NothingIsAskedWhenNoFileKeepsANewName) {
    StartWithFiles(nullptr);
    // Sent commands come back only when handled: a question would hold them up.
    ASSERT_TRUE(s.Command(IDC_NEW)) << "asked before a rename";
    EXPECT_EQ(s.Status(0), "000");
    EXPECT_EQ(s.RowCount(), 0);
    EXPECT_EQ(s.FindMessageBox(), nullptr);

    // Renamed and put back: nothing is lost by closing.
    ASSERT_TRUE(gui::DropFiles(s.window(), {s.PathOf("files\\a.txt"), s.PathOf("files\\b.txt")}));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    RenameBoth();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+z"));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepRenamable)) << s.Describe();
    ASSERT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"a.txt", "b.txt"}));
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code)) << "asked after a restore";
    EXPECT_EQ(code, 0u);
}

TEST_F(Confirm, WithTheConfirmationOffNothingIsAsked) {
    StartWithFiles("[Basic]\r\nConfirmEnd=off\r\n");
    RenameBoth();
    ASSERT_TRUE(s.Command(IDC_NEW)) << "asked although turned off";
    EXPECT_EQ(s.Status(0), "000");
    EXPECT_EQ(s.FindMessageBox(), nullptr);

    ASSERT_TRUE(gui::DropFiles(s.window(), {s.PathOf("files\\x.txt"), s.PathOf("files\\y.txt")}));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+c"));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepExported)) << s.Describe();
    ASSERT_TRUE(gui::PutClipboardText("p\r\nq\r\n"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+v"));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepRenamed)) << s.Describe();
    ASSERT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"p.txt", "q.txt"}));
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code)) << "asked although turned off";
    EXPECT_EQ(code, 0u);
}

}  // namespace
