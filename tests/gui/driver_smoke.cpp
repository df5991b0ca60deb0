// Varnel.exe starts, shows its main window and ends cleanly when that window is closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"

namespace {

constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kCloseTimeoutMs = 10000;

TEST(Smoke, ShowsMainWindowAndExitsCleanlyWhenClosed) {
    ASSERT_FALSE(gui::AppPath().empty()) << "pass --app=PATH_TO_Varnel.exe";
    // A fresh folder with its own copy: the program keeps its files next to the exe.
    gui::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    std::wstring exe = gui::CopyInto(gui::AppPath(), folder.path());
    ASSERT_FALSE(exe.empty()) << "cannot copy " << gui::Narrow(gui::AppPath());

    gui::AppProcess app;
    std::string error;
    ASSERT_TRUE(app.Start(exe, folder.path(), &error)) << error;
    // Returns only a visible window: a window that is never shown fails here.
    HWND window = app.WaitForWindow("varnel", kStartTimeoutMs, &error);
    ASSERT_NE(window, nullptr) << error;

    EXPECT_EQ(gui::WindowText(window), "Varnel");
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, WS_SYSMENU);

    ASSERT_TRUE(gui::RequestClose(window, kCloseTimeoutMs)) << "the window did not answer";
    DWORD exitCode = 0;
    ASSERT_TRUE(app.WaitForExit(kCloseTimeoutMs, &exitCode))
        << "still running " << kCloseTimeoutMs << " ms after WM_CLOSE";
    EXPECT_EQ(exitCode, 0u);
}

// The resource script is UTF-8; read as any other code page its Japanese text would be garbled.
TEST(Smoke, VersionResourceHoldsJapaneseDescription) {
    ASSERT_FALSE(gui::AppPath().empty()) << "pass --app=PATH_TO_Varnel.exe";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(gui::AppPath().c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version resource, error " << GetLastError();
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(gui::AppPath().c_str(), 0, size, block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041103a4\\FileDescription", &value,
                               &length));
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), L"ファイル名の一括変更");
}

}  // namespace
