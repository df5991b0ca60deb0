// One running Varnel: a second start of the same exe hands its paths to the first window and
// ends without a window of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

using Names = std::vector<std::string>;

class SecondStart : public ::testing::Test {
  protected:
    void Start(const char* ini) {
        std::string error;
        ASSERT_TRUE(s.Start(ini, &error)) << error;
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("a b")));
        ASSERT_TRUE(gui::MakeFile(s.PathOf("a b\\x.txt")));
        ASSERT_TRUE(gui::MakeFile(s.PathOf("y.txt")));
    }
    // The same exe started again in its folder, as Explorer's Send To starts it.
    void StartSecond(const std::wstring& arguments) {
        std::string error;
        ASSERT_TRUE(second.Start(s.folder() + L"\\Varnel.exe", s.folder(), &error, arguments))
            << error;
    }
    void ExpectSecondEndsQuietly() {
        DWORD code = 99;
        ASSERT_TRUE(second.WaitForExit(15000, &code)) << s.Describe();
        EXPECT_EQ(code, 0u);
    }
    Names Folders() const {
        Names folders = s.Column(3);
        std::sort(folders.begin(), folders.end());
        return folders;
    }

    gui::Session s;
    gui::AppProcess second;
};

// Relative paths, one of them quoted with a blank: the receiver knows neither the sender's
// folder nor where one path ends without the quotes.
TEST_F(SecondStart, HandsItsPathsToTheRunningWindow) {
    Start(texts::kListWindow);
    StartSecond(L"\"a b\\x.txt\" y.txt");
    ExpectSecondEndsQuietly();
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    const std::string folder = gui::Narrow(s.folder());
    EXPECT_EQ(Folders(), (Names{folder, folder + "\\a b"}));
    Names names = s.Column(1);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"x.txt", "y.txt"}));
    EXPECT_EQ(gui::FindTopLevelWindow(second.id(), "varnel"), nullptr);
}

TEST_F(SecondStart, WithoutArgumentsChangesNothing) {
    Start(texts::kListWindow);
    StartSecond(L"");
    ExpectSecondEndsQuietly();
    ASSERT_TRUE(gui::Settle(s.window()));
    EXPECT_EQ(s.Status(0), "000");
    EXPECT_EQ(s.Status(1), texts::kStepFresh);
}

// Names cp932 cannot hold ("é", "〜" U+301C, an emoji) are handed over, exported and imported
// as Unicode text, renamed (a rotation) and restored, each file under exactly its name.
TEST_F(SecondStart, NamesCp932CannotHoldAreRenamedThroughTheClipboardAndRestored) {
    // Other test programs use the clipboard too.
    gui::ClipboardLock lock;
    ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
    Start(texts::kListWindow);
    const std::wstring names[] = {L"Pok\u00E9mon", L"\u301Cx", L"\U0001F600"};
    for (const std::wstring& name : names) {
        ASSERT_TRUE(gui::MakeFile(s.PathOf("") + name + L".txt", gui::Narrow(name)));
    }
    StartSecond(L"Pok\u00E9mon.txt \u301Cx.txt \U0001F600.txt");
    ExpectSecondEndsQuietly();
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.FindMessageBox(), nullptr);

    // Commands rather than keys: a modifier sent from outside is now and then lost under load,
    // and the keys have their own tests.
    s.PostCommand(IDC_EXPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepExported)) << s.Describe();
    std::wstring exported;
    ASSERT_TRUE(gui::ClipboardUnicode(&exported));
    // In the list's order, whatever the sort made of it.
    std::vector<std::wstring> listed;
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = exported.find(L"\r\n", at);
        ASSERT_NE(end, std::wstring::npos) << gui::Narrow(exported);
        listed.push_back(exported.substr(at, end - at));
        at = end + 2;
    }
    std::vector<std::wstring> sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::wstring> given(std::begin(names), std::end(names));
    std::sort(given.begin(), given.end());
    ASSERT_EQ(sorted, given) << "every name exactly, none approximated";

    const std::wstring rotated =
        listed[1] + L"\r\n" + listed[2] + L"\r\n" + listed[0] + L"\r\n" + exported.substr(at);
    ASSERT_TRUE(gui::PutClipboardUnicode(rotated));
    s.PostCommand(IDC_IMPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamed)) << s.Describe();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(gui::FileContents(s.PathOf("") + listed[(i + 1) % 3] + L".txt"),
                  gui::Narrow(listed[i]))
            << i;
    }

    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+z"));
    ASSERT_TRUE(s.WaitForStatus("003", texts::kStepRenamable)) << s.Describe();
    for (const std::wstring& name : names) {
        EXPECT_EQ(gui::FileContents(s.PathOf("") + name + L".txt"), gui::Narrow(name));
    }
    EXPECT_EQ(s.FindMessageBox(), nullptr);
}

// Paths that arrive while the sheet is open go to the list behind it; the sheet stays.
TEST_F(SecondStart, AddsBehindAnOpenSettingsSheet) {
    Start(texts::kListWindow);
    s.PostCommand(IDC_SETTINGS);
    HWND sheet = nullptr;
    ASSERT_TRUE(gui::WaitFor([&] {
        for (HWND w : gui::MessageBoxes(s.processId())) {
            if (gui::WindowText(w) == texts::kSheetCaption) {
                sheet = w;
            }
        }
        return sheet != nullptr;
    }));
    StartSecond(L"y.txt");
    ExpectSecondEndsQuietly();
    ASSERT_TRUE(s.WaitForStatus("001", texts::kStepAdded)) << s.Describe();
    EXPECT_TRUE(IsWindow(sheet) && IsWindowVisible(sheet));
    PostMessageA(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(gui::WaitFor([&] { return !IsWindow(sheet); }));
}

TEST_F(SecondStart, WithSingleAppOffOpensASecondWindow) {
    Start("[Basic]\r\nSingleApp=off\r\n");
    StartSecond(L"y.txt");
    std::string error;
    HWND window = second.WaitForWindow("varnel", 15000, &error);
    ASSERT_NE(window, nullptr) << error;
    HWND list = FindWindowExA(window, nullptr, "SysListView32", nullptr);
    EXPECT_TRUE(gui::WaitFor([&] { return gui::ListRowCount(list) == 1; }))
        << "the second window took its own path";
    EXPECT_EQ(s.RowCount(), 0) << "the first window got the path too";
    ASSERT_TRUE(gui::RequestClose(window, 10000));
}

// A hand-over of many paths that cannot be taken shows one message, and its sender has its
// answer at once: a second start meanwhile ends without waiting for the user, and its path is
// added once the message is read. A hand-over larger than any command line, even one Wine cannot
// deliver, leaves the window and its list as they were.
TEST_F(SecondStart, ManyRefusalsShowOneMessageAndNoSenderWaitsForIt) {
    Start(texts::kListWindow);
    std::string line;
    for (int i = 0; i < 50; ++i) {
        line += "relative" + std::to_string(i) + ".txt ";
    }
    line += gui::ToCp932(s.PathOf("y.txt"));
    const DWORD before = GetTickCount();
    ASSERT_TRUE(gui::HandOver(s.window(), line, 2000)) << "the receiver did not answer at once";
    EXPECT_LT(GetTickCount() - before, 1500u);
    HWND box = s.WaitForMessageBox(10000);
    ASSERT_NE(box, nullptr) << s.Describe();
    const std::string text = gui::MessageBoxText(box);
    const std::string head =
        texts::Fill(texts::kAddMany, {"50"}) +
        texts::Fill(texts::kAddManyLine, {"relative0.txt", texts::kReasonRelative});
    EXPECT_EQ(text.rfind(head, 0), 0u) << gui::Readable(text);
    EXPECT_NE(text.find(texts::Fill(texts::kMoreItems, {"40"})), std::string::npos)
        << gui::Readable(text);

    StartSecond(L"\"a b\\x.txt\"");
    ExpectSecondEndsQuietly();
    EXPECT_EQ(gui::MessageBoxes(s.processId()).size(), 1u) << "one message for the whole road";
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    ASSERT_TRUE(s.WaitForStatus("002", texts::kStepAdded)) << s.Describe();
    Names names = s.Column(1);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"x.txt", "y.txt"}));

    // Wine delivers up to about 2 MB and loses anything from about 3 MB on.
    for (const std::size_t bytes : {std::size_t(1800) << 10, std::size_t(64) << 20}) {
        SCOPED_TRACE(bytes);
        gui::HandOver(s.window(), std::string(bytes, 'x'), 20000);
        if (bytes < std::size_t(2) << 20) {
            HWND refused = s.WaitForMessageBox(10000);
            ASSERT_NE(refused, nullptr) << s.Describe();
            EXPECT_EQ(gui::MessageBoxText(refused),
                      texts::Fill(texts::kHandOverTooLarge, {"1843201"}))
                << gui::Readable(gui::MessageBoxText(refused));
            ASSERT_TRUE(gui::PressButton(refused, IDOK));
        }
        ASSERT_TRUE(gui::Settle(s.window(), 10000));
        EXPECT_TRUE(s.Running());
        EXPECT_EQ(s.RowCount(), 2);
        EXPECT_EQ(gui::FindMessageBox(s.processId()), nullptr) << s.Describe();
    }
}

}  // namespace
