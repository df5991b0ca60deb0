// Starting Varnel.exe as a user would and looking at its windows from outside the process. The
// GUI test programs are Win32 console programs built on these.
#pragma once

#include <windows.h>

#include <string>

namespace gui {

// The Varnel.exe under test, from the driver's --app= argument.
const std::wstring& AppPath();
void SetAppPath(const std::string& path);

// A Unix path ("/work/x") names the same file through Wine's Z: drive; other paths pass as they
// are. The bytes are in the ANSI code page.
std::wstring ToWindowsPath(const std::string& path);
std::string Narrow(const std::wstring& text);

// A fresh, empty folder under the temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::wstring& path() const { return path_; }
    // Removes the folder now; false if something in it could not be removed.
    bool Remove();

  private:
    std::wstring path_;
};

// Copies a file into a folder, keeping its name. Returns the copy's path, or "" on failure.
std::wstring CopyInto(const std::wstring& file, const std::wstring& folder);

// One started process. Destroying it while the process still runs kills that process, and no
// other.
class AppProcess {
  public:
    AppProcess() = default;
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool Start(const std::wstring& exe, const std::wstring& workingFolder, std::string* error);
    // The process's top-level window of this class, waited for until it is visible; nullptr
    // on time-out or when the process ended first (error tells which).
    HWND WaitForWindow(const char* className, DWORD timeoutMs, std::string* error);
    // True when the process ended within the time; its exit code then.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    bool Running() const;
    void Kill();
    DWORD id() const { return id_; }

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The top-level window of a process with the given class, shown or not, or nullptr.
HWND FindTopLevelWindow(DWORD processId, const char* className);
std::string WindowText(HWND window);
std::string WindowClass(HWND window);

// Asks a window to close the way its close button does, and makes sure the request is handled
// before returning. False when the window did not answer in time.
bool RequestClose(HWND window, DWORD timeoutMs);

// Types keys into the window from the X side, as a user's keyboard would (xdotool's key names:
// "ctrl+s", "shift+c", "Tab"). False when no wrapper is there to type them or typing failed.
bool TypeKeys(HWND window, const std::string& keys);

// Lets every message posted to the window so far be handled before going on.
bool Settle(HWND window, DWORD timeoutMs = 5000);

// Varnel started as a user would start it: a copy of the exe in a fresh folder of its own,
// with or without a varnel.ini beside it.
class Session {
  public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // With ini non-null it is written as varnel.ini first (bytes as given).
    bool Start(const char* ini, std::string* error);
    HWND window() const { return window_; }
    RECT WindowRect() const;
    LONG Style() const;
    // Posts a command as the menu would, then waits until it has been handled.
    void Command(int id);
    // Closes the window as its close button does; true when the program ended, with its code.
    bool Close(DWORD* exitCode);
    // Waits for the program to end by itself; true when it did, with its code.
    bool WaitForExit(DWORD* exitCode) { return app_.WaitForExit(10000, exitCode); }
    // The bytes of a file in the program's folder; false when it is not there.
    bool ReadFile(const std::wstring& name, std::string* contents) const;
    const std::wstring& folder() const { return folder_.path(); }

  private:
    TempFolder folder_;
    AppProcess app_;
    HWND window_ = nullptr;
};

// Lets the test wrapper take a picture of the screen now, and waits until it has. The GUI test
// main calls it at the first failed check of a test. Does nothing outside the wrapper.
void OfferSnapshot();

}  // namespace gui
