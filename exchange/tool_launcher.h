// The editing tool: started on the IO file, its window placed over or beside Varnel's, and, when
// asked, waited for behind a small modal dialog until that window closes. A tool that hands the
// file to another process (a running copy, the redesigned Notepad) is followed to the window that
// shows the file: a top-level window whose title holds the file's name and did not before.
#pragma once

#include <windows.h>

#include <map>
#include <string>

class AppPaths;

class ToolLauncher {
  public:
    // The tool and its file as the paths say; its window goes over or beside `main`.
    ToolLauncher(HINSTANCE instance, HWND main, const AppPaths& paths);
    ~ToolLauncher();  // closes the handles; the tool keeps running
    ToolLauncher(const ToolLauncher&) = delete;
    ToolLauncher& operator=(const ToolLauncher&) = delete;

    // 0 when the tool was started and its window placed beside the main window, else 1. A tool
    // that cannot be started is named with the reason.
    int Open();
    // 0 when the window that shows the file closed, or the user chose to import now; 1 when the
    // tool could not be started (named with the reason) or the user cancelled the wait.
    int OpenAndWait();

  private:
    static INT_PTR CALLBACK WaitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    bool Start();
    // The tool's own window, else the window that shows the file; placed at `x` beside the main
    // window when found. False while there is none.
    bool Follow(int x);
    bool ToolWindowExists() const;

    HINSTANCE instance;
    HWND main;
    const AppPaths& paths;
    PROCESS_INFORMATION process = {};
    HWND toolWindow = nullptr;
    bool ownWindow = false;                 // of the started process: Cancel closes it
    std::wstring fileName;                  // the IO file's name, lower case
    std::map<HWND, bool> showedFileBefore;  // the top-level windows before the start
    DWORD started = 0;
    RECT lastKnown = {};
    RECT mainRect = {};
    RECT toolRect = {};
    bool closed = false;
};
