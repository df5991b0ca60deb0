// The add dialog end to end: keys open it preset, its fields rewrite themselves, OK changes the
// edit names of the selected rows only, Cancel changes nothing, and the number settings are in
// varnel.ini after exit.
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

constexpr char kTitle[] = "エディットに付け足し";
constexpr int kText = 1011;
constexpr int kStart = 1012;
constexpr int kIncrement = 1013;
constexpr int kTarget = 1014;
constexpr int kTextMode = 1023;
constexpr int kNumberMode = 1024;
constexpr int kDigits = 1025;
constexpr int kHexadecimal = 1026;
constexpr int kFront = 1027;
constexpr int kBack = 1028;
constexpr int kInside = 1029;

LRESULT Send(HWND window, UINT message) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

class AddText : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(lock.ok()) << "the clipboard stayed taken by another test program";
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            ASSERT_TRUE(gui::MakeFile(s.PathOf(std::string("files\\") + name)));
        }
        std::string error;
        ASSERT_TRUE(s.Start(texts::kListWindow, L"files\\a.txt files\\b.txt files\\c.txt", &error))
            << error;
        ASSERT_TRUE(s.WaitForStatus("003", texts::kStepAdded)) << s.Describe();
    }

    // Selects exactly these rows, as clicks with Ctrl held would.
    void Select(const std::vector<int>& rows) {
        gui::RemoteMemory item(s.processId(), sizeof(LVITEMA));
        ASSERT_TRUE(item.ok());
        for (int row = 0; row < s.RowCount(); ++row) {
            LVITEMA state = {};
            state.stateMask = LVIS_SELECTED;
            state.state =
                std::find(rows.begin(), rows.end(), row) != rows.end() ? LVIS_SELECTED : 0;
            ASSERT_TRUE(item.Write(&state, sizeof(state)));
            SendMessageA(s.list(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), item.param());
        }
    }

    HWND OpenDialog(const std::string& keys) {
        HWND dialog = nullptr;
        // Keys reach the window the user has active; after a dialog that takes a moment.
        EXPECT_TRUE(gui::WaitFor([&] { return GetForegroundWindow() == s.window(); }));
        EXPECT_TRUE(gui::TypeKeys(s.window(), keys));
        EXPECT_TRUE(gui::WaitFor([&] {
            dialog = s.FindMessageBox();
            return dialog != nullptr;
        })) << "no dialog after "
            << keys;
        if (dialog) {
            EXPECT_EQ(gui::WindowText(dialog), kTitle);
        }
        return dialog;
    }

    // WM_GETTEXT is carried between processes with its buffer; GetWindowText is not.
    std::string Field(HWND dialog, int id) const {
        char text[256] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof(text),
                            reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
        return text;
    }
    bool IsChecked(HWND dialog, int id) const {
        return Send(GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED;
    }
    bool IsEnabled(HWND dialog, int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)); }
    void Click(HWND dialog, int id) { Send(GetDlgItem(dialog, id), BM_CLICK); }

    gui::ClipboardLock lock;
    gui::Session s;
};

TEST_F(AddText, NumbersGoToTheSelectedRowsAndCancelChangesNothing) {
    ASSERT_TRUE(gui::PutClipboardText("clip\r\nsecond line"));
    Select({0, 2});
    HWND dialog = OpenDialog("ctrl+shift+f");
    ASSERT_NE(dialog, nullptr);

    // Preset by the key: numbers in front; the clipboard's first line in both text fields.
    EXPECT_TRUE(IsChecked(dialog, kNumberMode));
    EXPECT_TRUE(IsChecked(dialog, kFront));
    EXPECT_FALSE(IsChecked(dialog, kHexadecimal));
    EXPECT_EQ(Field(dialog, kText), "clip");
    EXPECT_EQ(Field(dialog, kTarget), "clip");
    EXPECT_EQ(Field(dialog, kStart), "001");
    EXPECT_EQ(Field(dialog, kIncrement), "1");
    EXPECT_FALSE(IsEnabled(dialog, kText));
    EXPECT_TRUE(IsEnabled(dialog, kStart));
    EXPECT_FALSE(IsEnabled(dialog, kTarget));

    ASSERT_TRUE(gui::SetText(GetDlgItem(dialog, kStart), "01x"));
    EXPECT_EQ(Field(dialog, kStart), "010");
    // The digits control: its right arrow drops a leading digit, its left one adds a zero.
    HWND digits = GetDlgItem(dialog, kDigits);
    RECT arrows = {};
    ASSERT_TRUE(GetClientRect(digits, &arrows));
    const LONG middle = arrows.bottom / 2;
    ASSERT_TRUE(gui::ClickAt(digits, {arrows.right * 3 / 4, middle}));
    EXPECT_TRUE(gui::WaitFor([&] { return Field(dialog, kStart) == "10"; }))
        << Field(dialog, kStart);
    ASSERT_TRUE(gui::ClickAt(digits, {arrows.right / 4, middle}));
    EXPECT_TRUE(gui::WaitFor([&] { return Field(dialog, kStart) == "010"; }))
        << Field(dialog, kStart);
    ASSERT_TRUE(gui::SetText(GetDlgItem(dialog, kIncrement), "0"));
    EXPECT_EQ(Field(dialog, kIncrement), "1");
    ASSERT_TRUE(gui::SetText(GetDlgItem(dialog, kIncrement), "+2"));
    EXPECT_EQ(Field(dialog, kIncrement), "2");
    Click(dialog, kHexadecimal);
    Click(dialog, kInside);
    EXPECT_TRUE(IsEnabled(dialog, kTarget));
    // The choice at OK wins over the key's.
    Click(dialog, kBack);
    EXPECT_FALSE(IsEnabled(dialog, kTarget));
    ASSERT_TRUE(gui::PressButton(dialog, IDOK));

    EXPECT_TRUE(gui::WaitFor([&] { return s.Cell(2, 0) == "c00c"; })) << s.Cell(2, 0);
    EXPECT_EQ(s.Column(0), (Names{"a00a", "b", "c00c"}));
    EXPECT_EQ(s.Column(1), (Names{"a.txt", "b.txt", "c.txt"}));

    // Text in front, preset by Ctrl+F; cancelled, with every field changed.
    Select({1});
    dialog = OpenDialog("ctrl+f");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsChecked(dialog, kTextMode));
    EXPECT_TRUE(IsChecked(dialog, kFront));
    EXPECT_TRUE(IsChecked(dialog, kHexadecimal)) << "the last OK's choice";
    EXPECT_EQ(Field(dialog, kStart), "010");
    EXPECT_TRUE(IsEnabled(dialog, kText));
    EXPECT_FALSE(IsEnabled(dialog, kStart));
    ASSERT_TRUE(gui::SetText(GetDlgItem(dialog, kText), "zz"));
    ASSERT_TRUE(gui::SetText(GetDlgItem(dialog, kStart), "999"));
    Click(dialog, kHexadecimal);
    ASSERT_TRUE(gui::PressButton(dialog, IDCANCEL));
    ASSERT_TRUE(gui::Settle(s.window()));
    EXPECT_EQ(s.Column(0), (Names{"a00a", "b", "c00c"}));
    EXPECT_EQ(gui::NamesIn(s.PathOf("files")), (Names{"a.txt", "b.txt", "c.txt"}));

    DWORD code = 1;
    ASSERT_TRUE(s.Close(&code));
    std::string ini;
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &ini));
    for (const char* line :
         {"\r\nEditAdd_NumStart=010\r\n", "\r\nEditAdd_NumAdd=2\r\n", "\r\nEditAdd_Hexa=on\r\n"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
    }
}

}  // namespace
