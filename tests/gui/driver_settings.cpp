// The settings sheet from outside: which page it opens on, what OK and Cancel store, the
// always-on-top switch and the Send To button.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "res/resource_ids.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

constexpr int kSettings = IDC_SETTINGS;
constexpr int kVersion = IDC_VERSION;
constexpr const char* kSheetTitle = texts::kSheetCaption;
constexpr const char* kPut = texts::kPutInSendTo;
constexpr const char* kRemove = texts::kRemoveFromSendTo;

// An edit control's text from another process: only WM_GETTEXT asks the control itself.
std::string EditText(HWND edit) {
    char text[1024] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

// A modal sheet under Wine looks at its end only when a message is posted to it; a user's click
// is one, a sent BM_CLICK is not.
bool Press(HWND sheet, int id) {
    PostMessageA(GetDlgItem(sheet, id), BM_CLICK, 0, 0);
    return gui::WaitFor([&] { return !IsWindow(sheet); });
}

bool TopMost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

class Sheet : public ::testing::Test {
  protected:
    void Start(const char* ini = nullptr) {
        std::string error;
        ASSERT_TRUE(s.Start(ini, &error)) << error;
    }
    // Opens the sheet by command; the sheet is the process's dialog titled "設定".
    HWND Open(int command) {
        s.PostCommand(command);
        HWND sheet = nullptr;
        gui::WaitFor([&] { return (sheet = Find()) != nullptr; }, 10000);
        return sheet;
    }
    HWND Find() const {
        for (HWND w : gui::MessageBoxes(s.processId())) {
            if (gui::WindowText(w) == kSheetTitle) {
                return w;
            }
        }
        return nullptr;
    }
    // A message box of the process other than the sheet.
    HWND WaitForBox() const {
        HWND box = nullptr;
        gui::WaitFor([&] {
            for (HWND w : gui::MessageBoxes(s.processId())) {
                if (gui::WindowText(w) != kSheetTitle) {
                    box = w;
                }
            }
            return box != nullptr;
        });
        return box;
    }
    static HWND Page(HWND sheet) {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    std::string Ini() {
        DWORD code = 99;
        EXPECT_TRUE(s.Close(&code));
        std::string ini;
        EXPECT_TRUE(s.ReadFile(L"varnel.ini", &ini));
        return ini;
    }

    gui::Session s;
};

// The pages never shown get neither their values nor OK: a check-box page stored without its
// controls would turn every setting off, the basic page would empty both paths.
TEST_F(Sheet, VersionOpensTheAboutPageAndOkThereStoresNothing) {
    Start();
    HWND sheet = Open(kVersion);
    ASSERT_NE(sheet, nullptr) << s.Describe();
    HWND page = Page(sheet);
    EXPECT_NE(GetDlgItem(page, 1022), nullptr) << "not the About page";
    EXPECT_EQ(GetDlgItem(page, 1016), nullptr);
    ASSERT_TRUE(Press(sheet, IDOK));
    const std::string ini = Ini();
    EXPECT_EQ(gui::IniValue(ini, "AutoSort"), "on");
    EXPECT_EQ(gui::IniValue(ini, "ConfirmEnd"), "on");
    EXPECT_EQ(gui::IniValue(ini, "DlgCBisLong"), "on");
    EXPECT_EQ(gui::IniValue(ini, "SingleApp"), "on");
    EXPECT_EQ(gui::IniValue(ini, "IOFilePath"), gui::Narrow(s.folder()) + "\\tmp.txt");
    EXPECT_EQ(gui::IniValue(ini, "ToolPath"), "notepad");
}

TEST_F(Sheet, AlwaysOnTopFromTheBasicPageAndBackWithEsc) {
    Start();
    EXPECT_FALSE(TopMost(s.window()));
    HWND sheet = Open(kSettings);
    ASSERT_NE(sheet, nullptr) << s.Describe();
    HWND box = GetDlgItem(Page(sheet), 1009);
    ASSERT_NE(box, nullptr) << "not the basic page";
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(Press(sheet, IDOK));
    EXPECT_TRUE(gui::WaitFor([&] { return TopMost(s.window()); }));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "Escape"));
    EXPECT_TRUE(gui::WaitFor([&] { return !TopMost(s.window()); }));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "Escape"));
    EXPECT_TRUE(gui::WaitFor([&] { return TopMost(s.window()); }));
    EXPECT_EQ(gui::IniValue(Ini(), "TopMost"), "on") << "two presses of Esc after OK";
}

TEST_F(Sheet, TheExchangeFileIsStoredOnOkOnly) {
    Start();
    const std::string before = gui::Narrow(s.folder()) + "\\tmp.txt";
    const std::string changed = gui::Narrow(s.folder()) + "\\other.txt";
    HWND sheet = Open(kSettings);
    ASSERT_NE(sheet, nullptr) << s.Describe();
    ASSERT_TRUE(gui::SetText(GetDlgItem(Page(sheet), 1016), changed));
    ASSERT_TRUE(Press(sheet, IDCANCEL));

    sheet = Open(kSettings);
    ASSERT_NE(sheet, nullptr);
    HWND edit = GetDlgItem(Page(sheet), 1016);
    EXPECT_EQ(EditText(edit), before) << "Cancel stored the path";
    ASSERT_TRUE(gui::SetText(edit, changed));
    ASSERT_TRUE(Press(sheet, IDOK));
    EXPECT_EQ(gui::IniValue(Ini(), "IOFilePath"), changed);
}

// A path longer than the limit is never cut to a different path: OK is refused and says why.
TEST_F(Sheet, ATooLongPathIsRefusedAndTheSheetStaysOpen) {
    Start();
    const std::string folder = gui::Narrow(s.folder());
    const std::string tooLong = folder + "\\" + std::string(258 - folder.size(), 'n');
    ASSERT_EQ(tooLong.size(), 259u);
    HWND sheet = Open(kSettings);
    ASSERT_NE(sheet, nullptr) << s.Describe();
    HWND page = Page(sheet);
    SendMessageA(GetDlgItem(page, 1010), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(gui::SetText(GetDlgItem(page, 1019), tooLong));
    PostMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_EQ(gui::MessageBoxText(box),
              texts::Fill(texts::kSettingsPathTooLong, {texts::kLabelTool, "259", "258"}))
        << gui::Readable(gui::MessageBoxText(box));
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    EXPECT_TRUE(IsWindowVisible(sheet)) << "the sheet closed on a refused path";
    ASSERT_TRUE(Press(sheet, IDCANCEL));
    const std::string ini = Ini();
    EXPECT_EQ(gui::IniValue(ini, "ToolPath"), "notepad");
    EXPECT_EQ(gui::IniValue(ini, "UseExtension"), "off") << "the refused page stored its check box";
}

// A stored path without a cp932 form (varnel.ini saved as UTF-8 by hand) is named instead of shown
// as an empty field, and OK, pressed only for another setting, keeps it.
TEST_F(Sheet, AStoredPathThatCannotBeShownIsNamedAndKept) {
    // "C:\Voilà\editor.exe" as UTF-8: "à" is C3 A0, and A0 has no cp932 form.
    const std::string utf8 = "C:\\Voil\xC3\xA0\\editor.exe";
    Start(("[Basic]\r\nToolPath=" + utf8 + "\r\n").c_str());
    HWND sheet = Open(kSettings);
    ASSERT_NE(sheet, nullptr) << s.Describe();
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr) << s.Describe();
    EXPECT_EQ(gui::MessageBoxText(box), texts::Fill(texts::kSettingsUnshown, {texts::kLabelTool}));
    ASSERT_TRUE(gui::PressButton(box, IDOK));
    HWND page = Page(sheet);
    EXPECT_EQ(EditText(GetDlgItem(page, 1019)), "");
    SendMessageA(GetDlgItem(page, 1009), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(Press(sheet, IDOK));
    const std::string ini = Ini();
    EXPECT_EQ(gui::IniValue(ini, "ToolPath"), utf8);
    EXPECT_EQ(gui::IniValue(ini, "TopMost"), "on");
}

std::wstring SendToFolder() {
    wchar_t folder[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, FALSE) ? folder : L"";
}

std::wstring LinkTarget(const std::wstring& link) {
    std::wstring target;
    CoInitialize(nullptr);
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell))) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, 0))) {
            target = path;
        }
    }
    if (file) {
        file->Release();
    }
    if (shell) {
        shell->Release();
    }
    CoUninitialize();
    return target;
}

// The button acts at once, whatever becomes of the sheet, and always names its next action.
TEST_F(Sheet, SendToButtonPutsAndRemovesTheShortcut) {
    const std::wstring folder = SendToFolder();
    ASSERT_FALSE(folder.empty());
    const std::wstring link = folder + L"\\Varnel.lnk";
    DeleteFileW(link.c_str());
    Start();

    HWND sheet = Open(kSettings);
    ASSERT_NE(sheet, nullptr) << s.Describe();
    HWND button = GetDlgItem(Page(sheet), 1021);
    EXPECT_EQ(gui::WindowText(button), kPut);
    SendMessageA(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(gui::WaitFor([&] { return gui::Exists(link); })) << s.Describe();
    EXPECT_EQ(gui::WindowText(button), kRemove);
    EXPECT_EQ(CompareStringOrdinal(LinkTarget(link).c_str(), -1,
                                   (s.folder() + L"\\Varnel.exe").c_str(), -1, TRUE),
              CSTR_EQUAL)
        << gui::Narrow(LinkTarget(link));
    ASSERT_TRUE(Press(sheet, IDCANCEL));
    EXPECT_TRUE(gui::Exists(link)) << "Cancel took the shortcut away";

    sheet = Open(kSettings);
    ASSERT_NE(sheet, nullptr);
    button = GetDlgItem(Page(sheet), 1021);
    EXPECT_EQ(gui::WindowText(button), kRemove);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(gui::WaitFor([&] { return !gui::Exists(link); }));
    EXPECT_EQ(gui::WindowText(button), kPut);
    ASSERT_TRUE(Press(sheet, IDCANCEL));
    DeleteFileW(link.c_str());
}

}  // namespace
