// One running Varnel: a second start of the same exe hands its paths to the first window and
// ends without a window of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

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

// The sender refuses what cp932 cannot hold, with the message of a first start, and sends the
// rest.
TEST_F(SecondStart, RefusesAPathWithoutACp932FormAndSendsTheRest) {
    Start(texts::kListWindow);
    ASSERT_TRUE(gui::MakeFile(s.PathOf("caf") + L"\u00E9.txt"));
    StartSecond(L"caf\u00E9.txt y.txt");
    HWND box = gui::WaitForMessageBox(second.id(), 15000);
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_EQ(gui::WindowText(box), texts::kTitleAdding);
    EXPECT_EQ(s.RowCount(), 0) << "nothing is sent before the user has read the refusal";
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    ExpectSecondEndsQuietly();
    ASSERT_TRUE(s.WaitForStatus("001", texts::kStepAdded)) << s.Describe();
    EXPECT_EQ(s.Column(1), Names{"y.txt"});
}

// Paths that arrive while the sheet is open go to the list behind it; the sheet stays.
TEST_F(SecondStart, AddsBehindAnOpenSettingsSheet) {
    Start(texts::kListWindow);
    s.PostCommand(40008);
    HWND sheet = nullptr;
    ASSERT_TRUE(gui::WaitFor([&] {
        for (HWND w : gui::MessageBoxes(s.processId())) {
            if (gui::WindowText(w) == "設定") {
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

}  // namespace
