// The editing tool: started on the IO file, its window placed over or beside Varnel's, and, when
// asked, waited for behind a small modal dialog until that window closes.
#pragma once

#include <windows.h>

class AppPaths;

class ToolLauncher {
  public:
    // The tool and its file as the paths say; its window goes over or beside `main`.
    ToolLauncher(HINSTANCE instance, HWND main, const AppPaths& paths);
    ~ToolLauncher();  // closes the handles; the tool keeps running
    ToolLauncher(const ToolLauncher&) = delete;
    ToolLauncher& operator=(const ToolLauncher&) = delete;

    // 0 when the tool was started and its window placed beside the main window, else 1.
    int Open();
    // 0 when the tool's window closed by itself; 1 when the tool could not be started, showed no
    // window, or the user cancelled the wait.
    int OpenAndWait();

  private:
    static INT_PTR CALLBACK WaitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    bool Start();
    bool ToolWindowExists() const;

    HINSTANCE instance;
    HWND main;
    const AppPaths& paths;
    PROCESS_INFORMATION process = {};
    HWND toolWindow = nullptr;
    RECT lastKnown = {};
    RECT mainRect = {};
    RECT toolRect = {};
    bool closed = false;
};
