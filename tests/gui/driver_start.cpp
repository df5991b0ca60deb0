// Starting Varnel as a user does: the window it opens, the keys it takes in each mode, and the
// settings file it leaves behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/gui/gui_harness.h"

namespace {

std::vector<std::string> KeysOf(const std::string& ini) {
    std::vector<std::string> keys;
    std::istringstream lines(ini);
    std::string line;
    while (std::getline(lines, line)) {
        std::string::size_type eq = line.find('=');
        if (eq != std::string::npos) {
            keys.push_back(line.substr(0, eq));
        }
    }
    return keys;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

TEST(Start, FirstStartOpensTheCompactWindowAndWritesTheSettingsInOrder) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, &error)) << error;
    RECT r = s.WindowRect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(Width(r), 200);
    EXPECT_EQ(Height(r), 200);
    EXPECT_EQ(s.Style() & WS_THICKFRAME, 0) << "the compact window has no sizing border";
    std::string ini;
    EXPECT_FALSE(s.ReadFile(L"varnel.ini", &ini)) << "nothing is written before the exit";

    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
    EXPECT_EQ(code, 0u);
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &ini));
    ASSERT_EQ(ini.rfind("[Basic]\r\n", 0), 0u) << ini;
    const std::vector<std::string> expected = {
        "TopMost",          "UseExtension",    "SingleApp",
        "IOFilePath",       "ToolPath",        "AutoSort",
        "AutoCBCopy",       "AutoRename",      "ConvertIllegalName",
        "AutoFileOpen",     "AutoFileClose",   "ConfirmEnd",
        "DlgCBisntTxt",     "DlgCBisShort",    "DlgItsNotNewPath",
        "DlgFNisWrong",     "DlgAddErrPath",   "DlgCBisLong",
        "ColumnWidth_Edit", "ColumnWidth_Now", "ColumnWidth_Old",
        "ColumnWidth_Path", "Path_CDlgOpen",   "WindowMode",
        "WindowPos_X",      "WindowPos_Y"};
    EXPECT_EQ(KeysOf(ini), expected) << ini;
    const std::string folder = gui::Narrow(s.folder());
    EXPECT_EQ(gui::IniValue(ini, "IOFilePath"), folder + "\\tmp.txt");
    EXPECT_EQ(gui::IniValue(ini, "Path_CDlgOpen"), folder);
    EXPECT_EQ(gui::IniValue(ini, "WindowMode"), "Normal");
    EXPECT_EQ(gui::IniValue(ini, "WindowPos_X"), "100");
    EXPECT_EQ(gui::IniValue(ini, "ColumnWidth_Edit"), "150");
}

TEST(Start, ExitCommandEndsTheProgram) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, &error)) << error;
    PostMessageA(s.window(), WM_COMMAND, IDC_EXIT, 0);
    DWORD code = 99;
    ASSERT_TRUE(s.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
    std::string ini;
    EXPECT_TRUE(s.ReadFile(L"varnel.ini", &ini)) << "the settings are written on this way out too";
}

TEST(Start, AnyOtherModeOpensTheResizableListWindow) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start("[Basic]\r\nWindowMode=listview\r\nWindowPos_X=-20\r\n", &error)) << error;
    RECT r = s.WindowRect();
    EXPECT_EQ(Width(r), 620);
    EXPECT_EQ(Height(r), 400);
    EXPECT_EQ(r.left, -20);
    EXPECT_NE(s.Style() & WS_THICKFRAME, 0);
    EXPECT_NE(FindWindowExA(s.window(), nullptr, "SysListView32", nullptr), nullptr);

    // Only the exact "ListView" has its size saved.
    MoveWindow(s.window(), 30, 40, 700, 450, TRUE);
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
    EXPECT_EQ(code, 0u);
    std::string ini;
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &ini));
    EXPECT_EQ(gui::IniValue(ini, "WindowMode"), "listview");
    EXPECT_EQ(gui::IniValue(ini, "WindowSize_X"), "620");
    EXPECT_EQ(gui::IniValue(ini, "WindowPos_X"), "30");
    EXPECT_EQ(gui::IniValue(ini, "WindowPos_Y"), "40");
}

TEST(Start, ListViewWindowKeepsItsSizeAndPlace) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(
        "[Basic]\r\nWindowMode=ListView\r\nWindowSize_X=500\r\nWindowSize_Y=300\r\n", &error))
        << error;
    EXPECT_EQ(Width(s.WindowRect()), 500);
    MoveWindow(s.window(), 10, 20, 640, 480, TRUE);
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
    std::string ini;
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &ini));
    EXPECT_EQ(gui::IniValue(ini, "WindowSize_X"), "640");
    EXPECT_EQ(gui::IniValue(ini, "WindowSize_Y"), "480");
    EXPECT_EQ(gui::IniValue(ini, "WindowPos_X"), "10");
}

// Ctrl+1 sets the list window to its default size: a list command, so the compact window
// ignores it whether it comes as a key or as a command.
TEST(Start, ListCommandsDoNothingInTheCompactWindow) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(nullptr, &error)) << error;
    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+1"));
    s.Command(IDC_ADJUST_DEFAULT);
    s.Command(IDC_WINDOW_DEFAULT);
    EXPECT_EQ(Width(s.WindowRect()), 200);
    EXPECT_EQ(Height(s.WindowRect()), 200);
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
}

TEST(Start, ListCommandsWorkInTheListWindowFromTheirKeys) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start("[Basic]\r\nWindowMode=ListView\r\n", &error)) << error;
    MoveWindow(s.window(), 50, 60, 500, 300, TRUE);
    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+1"));
    RECT r = s.WindowRect();
    EXPECT_EQ(Width(r), 620);
    EXPECT_EQ(Height(r), 400);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
}

}  // namespace
