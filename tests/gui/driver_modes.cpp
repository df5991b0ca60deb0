// The two faces of the main window: the compact window with its picture and two small bars, the
// list window with its bar, Tab between them, the buttons' states, and the window's place kept
// across mode changes and restarts.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

constexpr int kModeChange = IDC_MODE_CHANGE;
constexpr int kOpen = IDC_OPEN;
constexpr int kTopMost = IDC_TOP_MOST;

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}
std::string Box(int left, int top, int width, int height) {
    return Text({left, top, left + width, top + height});
}

// The toolbar with this control id (the list shares id 100, so the class tells them apart).
HWND Bar(HWND main, int id) {
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (gui::WindowClass(child) == TOOLBARCLASSNAMEA && GetDlgCtrlID(child) == s->id) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The command of every button, 0 for separators.
std::vector<int> Commands(HWND bar, DWORD processId) {
    std::vector<int> commands;
    gui::RemoteMemory memory(processId, sizeof(TBBUTTON));
    const int count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count && memory.ok(); ++i) {
        TBBUTTON button = {};
        if (!SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i), memory.param()) ||
            !memory.Read(&button, sizeof(button))) {
            commands.push_back(-1);
            continue;
        }
        commands.push_back((button.fsStyle & BTNS_SEP) ? 0 : button.idCommand);
    }
    return commands;
}

bool Gray(HWND bar, int command) {
    const LRESULT state = SendMessageA(bar, TB_GETSTATE, static_cast<WPARAM>(command), 0);
    return state != -1 && (state & TBSTATE_INDETERMINATE) != 0;
}

// The window rect of a child in its parent's client coordinates.
RECT InClient(HWND child) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Width(const RECT& r) {
    return r.right - r.left;
}

// The style as set; the system adds WS_CLIPSIBLINGS to every top-level window.
DWORD StyleOf(const gui::Session& s) {
    return static_cast<DWORD>(s.Style()) & ~static_cast<DWORD>(WS_CLIPSIBLINGS);
}

bool ListMode(const gui::Session& s) {
    return (s.Style() & WS_THICKFRAME) != 0;
}

// Tab, and wait until the window has taken the other face.
bool Tab(const gui::Session& s) {
    const bool wasList = ListMode(s);
    return gui::TypeKeys(s.window(), "Tab") &&
           gui::WaitFor([&] { return ListMode(s) != wasList; }) && gui::Settle(s.window());
}

const std::vector<int> kListBar = {
    IDC_MODE_CHANGE, 0,           IDC_NEW, IDC_OPEN,     0, IDC_EXPORT_FILE, IDC_IMPORT_FILE, 0,
    IDC_RENAME,      IDC_RESTORE, 0,       IDC_TOP_MOST, 0};

TEST(Modes, TheCompactWindowCarriesTwoBarsAndTabTurnsItIntoTheListWindowAndBack) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start("[Basic]\r\nWindowPos_X=150\r\nWindowPos_Y=120\r\n", &error)) << error;
    HWND listBar = Bar(s.window(), 100);
    HWND compact = Bar(s.window(), 101);
    HWND topMost = Bar(s.window(), 102);
    ASSERT_TRUE(listBar && compact && topMost);
    EXPECT_EQ(Commands(listBar, s.processId()), kListBar);
    EXPECT_EQ(Commands(compact, s.processId()),
              std::vector<int>(kListBar.begin(), kListBar.begin() + 11));
    EXPECT_EQ(Commands(topMost, s.processId()), std::vector<int>{kTopMost});
    EXPECT_FALSE(IsWindowVisible(listBar));
    EXPECT_TRUE(IsWindowVisible(compact));
    EXPECT_TRUE(IsWindowVisible(topMost));
    // Down the left edge below bar 101 (the bar itself sets its width and height).
    EXPECT_EQ(InClient(topMost).left, 0);
    EXPECT_EQ(InClient(topMost).top, 26);
    EXPECT_NE(GetWindowLongA(compact, GWL_STYLE) & TBSTYLE_TRANSPARENT, 0);
    EXPECT_FALSE(IsWindowVisible(s.list()));
    EXPECT_EQ(GetWindowLongA(s.statusBar(), GWL_STYLE) & SBARS_SIZEGRIP, 0);

    ASSERT_TRUE(Tab(s));
    EXPECT_EQ(Text(s.WindowRect()), Box(150, 120, 620, 400));
    EXPECT_EQ(StyleOf(s), 0x10CF0000u);
    EXPECT_TRUE(IsWindowVisible(listBar));
    EXPECT_FALSE(IsWindowVisible(compact));
    EXPECT_FALSE(IsWindowVisible(topMost));
    EXPECT_TRUE(IsWindowVisible(s.list()));
    EXPECT_NE(GetWindowLongA(s.statusBar(), GWL_STYLE) & SBARS_SIZEGRIP, 0);
    // The list sits between the bar, laid out for the new width, and the status bar.
    const RECT bar = InClient(listBar);
    const RECT list = InClient(s.list());
    RECT client = {};
    GetClientRect(s.window(), &client);
    EXPECT_EQ(Width(bar), client.right) << Text(bar);
    EXPECT_EQ(list.top, bar.bottom) << "list " << Text(list) << ", bar " << Text(bar);
    EXPECT_EQ(list.bottom, InClient(s.statusBar()).top);
    EXPECT_EQ(s.Status(1), texts::kStepFresh) << "the status bar kept its texts";

    ASSERT_TRUE(Tab(s));
    EXPECT_EQ(Text(s.WindowRect()), Box(150, 120, 200, 200));
    EXPECT_EQ(StyleOf(s), 0x90C80000u);
    EXPECT_FALSE(IsWindowVisible(listBar));
    EXPECT_TRUE(IsWindowVisible(compact));
    EXPECT_TRUE(IsWindowVisible(topMost));
    EXPECT_FALSE(IsWindowVisible(s.list()));
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
    std::string ini;
    ASSERT_TRUE(s.ReadFile(L"varnel.ini", &ini));
    EXPECT_EQ(gui::IniValue(ini, "WindowMode"), "Normal");
    EXPECT_EQ(gui::IniValue(ini, "WindowSize_X"), "620") << "the list window's size was kept";
}

// Keys whose menu item is grayed are not turned into commands: had they run, the step text would
// have changed (rename, restore) or the IO file been written (export).
TEST(Modes, WithAnEmptyListTheBatchButtonsAreGrayAndTheirKeysDoNothing) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start("[Basic]\r\nWindowMode=ListView\r\nAutoFileOpen=off\r\n", &error)) << error;
    for (HWND bar : {Bar(s.window(), 100), Bar(s.window(), 101)}) {
        ASSERT_NE(bar, nullptr);
        for (int command : {IDC_RENAME, IDC_RESTORE, IDC_NEW, IDC_EXPORT_FILE, IDC_IMPORT_FILE}) {
            EXPECT_TRUE(Gray(bar, command)) << command;
        }
        for (int command : {kModeChange, kOpen}) {
            EXPECT_FALSE(Gray(bar, command)) << command;
        }
    }
    EXPECT_FALSE(Gray(Bar(s.window(), 102), kTopMost));

    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+s"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "ctrl+z"));
    ASSERT_TRUE(gui::TypeKeys(s.window(), "shift+d"));
    ASSERT_TRUE(Tab(s)) << "the keys before it were taken";
    EXPECT_EQ(s.Status(1), texts::kStepFresh);
    EXPECT_FALSE(gui::Exists(s.PathOf("tmp.txt")));
    EXPECT_EQ(s.FindMessageBox(), nullptr) << s.Describe();
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
}

TEST(Modes, AResizedListWindowComesBackAtItsSizeAfterTwoTabs) {
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, &error)) << error;
    MoveWindow(s.window(), 40, 30, 800, 500, TRUE);
    ASSERT_TRUE(gui::Settle(s.window()));
    ASSERT_TRUE(Tab(s));
    EXPECT_EQ(Text(s.WindowRect()), Box(40, 30, 200, 200));
    ASSERT_TRUE(Tab(s));
    EXPECT_EQ(Text(s.WindowRect()), Box(40, 30, 800, 500));
    DWORD code = 99;
    ASSERT_TRUE(s.Close(&code));
}

// Closing a compact window partly off the screen, then starting again: the same place.
TEST(Modes, APositionOffTheScreenSurvivesARestart) {
    std::string ini;
    {
        gui::Session s;
        std::string error;
        ASSERT_TRUE(s.Start(nullptr, &error)) << error;
        MoveWindow(s.window(), -60, -15, 200, 200, TRUE);
        DWORD code = 99;
        ASSERT_TRUE(s.Close(&code));
        ASSERT_TRUE(s.ReadFile(L"varnel.ini", &ini));
    }
    EXPECT_EQ(gui::IniValue(ini, "WindowPos_X"), "-60");
    EXPECT_EQ(gui::IniValue(ini, "WindowPos_Y"), "-15");
    gui::Session again;
    std::string error;
    ASSERT_TRUE(again.Start(ini.c_str(), &error)) << error;
    EXPECT_EQ(Text(again.WindowRect()), Box(-60, -15, 200, 200));
    DWORD code = 99;
    ASSERT_TRUE(again.Close(&code));
}

// A minimized window is parked far off the screen and a maximized one covers it; either way the
// next start opens at the box the window would come back to.
TEST(Modes, AMinimizedOrMaximizedListWindowLeavesItsNormalBox) {
    for (WPARAM command : {SC_MINIMIZE, SC_MAXIMIZE}) {
        SCOPED_TRACE(command == SC_MINIMIZE ? "minimized" : "maximized");
        gui::Session s;
        std::string error;
        ASSERT_TRUE(s.Start(texts::kListWindow, &error)) << error;
        MoveWindow(s.window(), 70, 80, 640, 480, TRUE);
        SendMessageA(s.window(), WM_SYSCOMMAND, command, 0);
        ASSERT_TRUE(command == SC_MINIMIZE ? IsIconic(s.window()) : IsZoomed(s.window()));
        DWORD code = 99;
        ASSERT_TRUE(s.Close(&code));
        std::string ini;
        ASSERT_TRUE(s.ReadFile(L"varnel.ini", &ini));
        EXPECT_EQ(gui::IniValue(ini, "WindowPos_X"), "70");
        EXPECT_EQ(gui::IniValue(ini, "WindowPos_Y"), "80");
        EXPECT_EQ(gui::IniValue(ini, "WindowSize_X"), "640");
        EXPECT_EQ(gui::IniValue(ini, "WindowSize_Y"), "480");
    }
}

}  // namespace
