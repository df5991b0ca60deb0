// Starting Varnel.exe as a user would and looking at its windows from outside the process. The
// GUI test programs are Win32 console programs built on these.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

// How long a look waits for what it expects by default. A wait ends as soon as its answer
// comes: the limit is for what never comes, and is long enough for a machine whose cores other
// work keeps busy.
constexpr DWORD kPatienceMs = 30000;

// The Varnel.exe under test, from the driver's --app= argument.
const std::wstring& AppPath();
void SetAppPath(const std::string& path);
// A helper program the driver hands to Varnel, from the driver's --tool= argument; "" without.
const std::wstring& ToolPath();
void SetToolPath(const std::string& path);

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

    // arguments follow the quoted exe on the command line as they are.
    bool Start(const std::wstring& exe, const std::wstring& workingFolder, std::string* error,
               const std::wstring& arguments = std::wstring());
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

// Clicks the left button at a point of the window's client area from the X side, as a user's
// mouse would; the window under the pointer is activated as for a user. False as for TypeKeys.
bool ClickAt(HWND window, POINT client);

// The window that has the keyboard focus in the thread that owns this window, or nullptr.
HWND FocusOf(HWND window);

// Lets every message sent to the window so far be handled before going on. Posted messages
// and input (typed keys) may still wait behind it: a sent message is taken first. To see the
// effect of a key or a posted message, wait for that effect with WaitFor.
bool Settle(HWND window, DWORD timeoutMs = kPatienceMs);

// Polls until done() holds; false when it still does not after the time.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs);

// Code page 932 bytes and UTF-16. FromCp932 gives "" for bytes that are not cp932. ToCp932 is
// exact: each character cp932 cannot hold comes out as "?" (never as a look-alike).
std::wstring FromCp932(const std::string& bytes);
std::string ToCp932(const std::wstring& text);

// cp932 bytes as UTF-8, for failure messages that a person reads in a UTF-8 log.
std::string Readable(const std::string& cp932);
// The value of a key in the text of an INI file, "<missing>" when the key is not there.
std::string IniValue(const std::string& ini, const std::string& key);

// The text cut at each CR LF; the part after the last one is the last line.
std::vector<std::string> SplitLines(const std::string& text);

// Files for the program to work on, made and looked at through the W functions.
bool MakeFile(const std::wstring& path, const std::string& contents = std::string());
bool MakeFolder(const std::wstring& path);
bool Exists(const std::wstring& path);
// The contents of a file; "<missing>" when it cannot be read.
std::string FileContents(const std::wstring& path);
// The names in a folder in cp932 (see ToCp932), sorted by their bytes.
std::vector<std::string> NamesIn(const std::wstring& folder);

// Memory in another process, for the control messages that answer through a pointer: the
// pointer must be valid in the process that owns the control. Freed on destruction.
class RemoteMemory {
  public:
    RemoteMemory(DWORD processId, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return address_ != nullptr; }
    void* address() const { return address_; }
    LPARAM param(size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;
    // Leaves the memory to the process (for a block the process frees itself).
    void Release() { address_ = nullptr; }

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// The texts and states of another process's status bar and list view (report mode). Texts are
// the bytes the A messages give, i.e. cp932.
std::string StatusPartText(HWND statusBar, int part);
int ListRowCount(HWND list);
std::string ListCellText(HWND list, int row, int column);
// The same as the list holds it, for names cp932 cannot hold.
std::wstring ListCellWide(HWND list, int row, int column);
std::vector<std::string> ListColumnTexts(HWND list, int column);
bool ListRowSelected(HWND list, int row);

// Starts the in-place edit of a row's first column, as a second click on a row does; the edit
// box, or nullptr.
HWND BeginLabelEdit(HWND list, int row);
// Sets a window's text (cp932 bytes) from outside, as typing would leave it.
bool SetText(HWND window, const std::string& bytes);

// The clipboard's CF_TEXT, bytes as they are. ClipboardText is false when there is no CF_TEXT.
bool PutClipboardText(const std::string& bytes);
// The same as Unicode text (CF_UNICODETEXT), for names cp932 cannot hold.
bool PutClipboardUnicode(const std::wstring& text);
bool ClipboardUnicode(std::wstring* text);
bool ClipboardText(std::string* bytes);

// Held while a test uses the clipboard: other test programs that use it may run at the same
// time, and they take the same named mutex.
class ClipboardLock {
  public:
    ClipboardLock();
    ~ClipboardLock();
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool ok() const { return held_; }

  private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

// A message box of the process: a "#32770" window, shown. Its title is the window text, its
// message the text of the static 0xFFFF.
HWND FindMessageBox(DWORD processId);
// Every shown message box of the process.
std::vector<HWND> MessageBoxes(DWORD processId);
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = kPatienceMs);
// The dialog of the process with this title (other boxes may be shown beside it).
HWND WaitForDialogTitled(DWORD processId, const std::string& title, DWORD timeoutMs = kPatienceMs);
std::string MessageBoxText(HWND box);
// Clicks the button with this id (IDOK, IDYES, IDNO) and waits until the box is gone.
bool PressButton(HWND box, int buttonId, DWORD timeoutMs = kPatienceMs);

// Drops files on a window as Explorer does. The DROPFILES block is built in the window's
// process, since a block made here would not be carried over; the message is posted, so wait
// for its effect.
bool DropFiles(HWND window, const std::vector<std::wstring>& paths);

// Hands a command line (cp932 bytes) to the window as a second start does, with WM_COPYDATA; true
// when the window took it within the time.
bool HandOver(HWND window, const std::string& commandLine, DWORD timeoutMs = kPatienceMs);

// Varnel started as a user would start it: a copy of the exe in a fresh folder of its own,
// with or without a varnel.ini beside it.
class Session {
  public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // With ini non-null it is written as varnel.ini first (bytes as given). arguments is the
    // rest of the command line after the exe (paths separated by blanks, quoted ones with
    // blanks); the working folder is the session's folder.
    bool Start(const char* ini, std::string* error) { return Start(ini, L"", error); }
    bool Start(const char* ini, const std::wstring& arguments, std::string* error);
    HWND window() const { return window_; }
    RECT WindowRect() const;
    LONG Style() const;
    DWORD processId() const { return app_.id(); }
    bool Running() const { return app_.Running(); }
    // Sends a command as the menu would; true when it was handled within the time. A command
    // that opens a message box is handled only when the box is closed, so this gives false
    // then: use PostCommand for those.
    bool Command(int id);
    // Posts a command and returns at once.
    void PostCommand(int id);
    // Posts WM_CLOSE and returns at once (for a close that asks first).
    void PostClose();

    // The main window's list view (id 100) and status bar (id 101), and what they show.
    HWND list() const;
    HWND statusBar() const;
    std::string Status(int part) const { return StatusPartText(statusBar(), part); }
    int RowCount() const { return ListRowCount(list()); }
    std::string Cell(int row, int column) const { return ListCellText(list(), row, column); }
    std::vector<std::string> Column(int column) const { return ListColumnTexts(list(), column); }
    // Waits until the status bar shows this count and this step text.
    bool WaitForStatus(const std::string& count, const std::string& step,
                       DWORD timeoutMs = kPatienceMs) const;

    // What the window shows now, readable in a log: the count, the step and any message box.
    std::string Describe() const;

    HWND WaitForMessageBox(DWORD timeoutMs = kPatienceMs) const {
        return gui::WaitForMessageBox(app_.id(), timeoutMs);
    }
    HWND FindMessageBox() const { return gui::FindMessageBox(app_.id()); }

    // Closes the window as its close button does; true when the program ended, with its code.
    bool Close(DWORD* exitCode);
    // Ends the program from outside at once, as a crash or the task manager would.
    void Kill() { app_.Kill(); }
    // Waits for the program to end by itself; true when it did, with its code.
    bool WaitForExit(DWORD* exitCode) { return app_.WaitForExit(10000, exitCode); }
    // The bytes of a file in the program's folder; false when it is not there.
    bool ReadFile(const std::wstring& name, std::string* contents) const;
    const std::wstring& folder() const { return folder_.path(); }
    // A path under the session's folder, given in cp932 ("files\\a.txt").
    std::wstring PathOf(const std::string& relative) const {
        return folder_.path() + L"\\" + FromCp932(relative);
    }

  private:
    TempFolder folder_;
    AppProcess app_;
    HWND window_ = nullptr;
};

// Lets the test wrapper take a picture of the screen now, and waits until it has. The GUI test
// main calls it at the first failed check of a test. Does nothing outside the wrapper.
void OfferSnapshot();
// A picture of the screen now, kept by the wrapper as gui-shots/NAME.png in the build folder.
void SaveScreenshot(const std::string& name);

}  // namespace gui
