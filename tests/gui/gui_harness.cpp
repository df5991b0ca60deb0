#include "tests/gui/gui_harness.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace gui {

namespace {

std::wstring& AppPathStore() {
    static std::wstring path;
    return path;
}

std::wstring& ToolPathStore() {
    static std::wstring path;
    return path;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                     static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        &wide[0], length);
    return wide;
}

std::string ErrorText(const std::string& what, DWORD code) {
    return what + " failed with error " + std::to_string(code);
}

bool RemoveTree(const std::wstring& folder) {
    bool removedAll = true;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removedAll = RemoveTree(path) && removedAll;
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                removedAll = DeleteFileW(path.c_str()) && removedAll;
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(folder.c_str()) && removedAll;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && WindowClass(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

const std::wstring& AppPath() {
    return AppPathStore();
}

void SetAppPath(const std::string& path) {
    AppPathStore() = ToWindowsPath(path);
}

const std::wstring& ToolPath() {
    return ToolPathStore();
}

void SetToolPath(const std::string& path) {
    ToolPathStore() = ToWindowsPath(path);
}

std::wstring ToWindowsPath(const std::string& path) {
    std::wstring wide = Widen(path);
    if (!wide.empty() && wide[0] == L'/') {
        for (wchar_t& c : wide) {
            if (c == L'/') {
                c = L'\\';
            }
        }
        wide = L"Z:" + wide;
    }
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                     0, nullptr, nullptr);
    if (length <= 0) {
        return std::string();
    }
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length,
                        nullptr, nullptr);
    return narrow;
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, base);
    if (length == 0 || length > MAX_PATH) {
        return;
    }
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = std::wstring(base) + L"varnel-gui-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount() + attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return;
        }
    }
}

TempFolder::~TempFolder() {
    Remove();
}

bool TempFolder::Remove() {
    if (path_.empty()) {
        return true;
    }
    bool removed = RemoveTree(path_);
    path_.clear();
    return removed;
}

std::wstring CopyInto(const std::wstring& file, const std::wstring& folder) {
    size_t slash = file.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? file : file.substr(slash + 1);
    std::wstring copy = folder + L"\\" + name;
    if (!CopyFileW(file.c_str(), copy.c_str(), TRUE)) {
        return std::wstring();
    }
    return copy;
}

AppProcess::~AppProcess() {
    Kill();
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool AppProcess::Start(const std::wstring& exe, const std::wstring& workingFolder,
                       std::string* error, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started)) {
        DWORD code = GetLastError();
        *error = ErrorText("CreateProcess of " + Narrow(exe), code);
        return false;
    }
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
    return true;
}

HWND AppProcess::WaitForWindow(const char* className, DWORD timeoutMs, std::string* error) {
    DWORD start = GetTickCount();
    for (;;) {
        // Found right after CreateWindow, a window is not shown yet.
        HWND window = FindTopLevelWindow(id_, className);
        if (window != nullptr && IsWindowVisible(window)) {
            return window;
        }
        if (!Running()) {
            DWORD code = 0;
            GetExitCodeProcess(process_, &code);
            *error = "the program ended with exit code " + std::to_string(code) +
                     " before showing a window of class " + className;
            return nullptr;
        }
        if (GetTickCount() - start >= timeoutMs) {
            *error = std::string(window == nullptr ? "no" : "no visible") + " window of class " +
                     className + " within " + std::to_string(timeoutMs) + " ms";
            return nullptr;
        }
        Sleep(50);
    }
}

bool AppProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(process_, exitCode) != 0;
}

bool AppProcess::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void AppProcess::Kill() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

HWND FindTopLevelWindow(DWORD processId, const char* className) {
    WindowSearch search = {processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string WindowClass(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool RequestClose(HWND window, DWORD timeoutMs) {
    if (!PostMessageA(window, WM_CLOSE, 0, 0)) {
        return false;
    }
    // Answered only after the close has been handled; a window already gone counts as closed.
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0 ||
           !IsWindow(window);
}

namespace {

// The wrapper names a file; it takes the picture when the file appears and then removes it. An
// empty file asks for the picture of a failure, a name for a picture of that name.
void RequestPicture(const std::string& name) {
    const char* request = std::getenv("VARNEL_GUI_SNAPSHOT");
    if (request == nullptr || *request == '\0') {
        return;
    }
    std::wstring path = ToWindowsPath(request);
    // Written under another name first: the wrapper must not find the file still empty.
    const std::wstring written = path + L".new";
    HANDLE file = CreateFileW(written.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD ignored = 0;
    WriteFile(file, name.data(), static_cast<DWORD>(name.size()), &ignored, nullptr);
    CloseHandle(file);
    if (!MoveFileW(written.c_str(), path.c_str())) {
        DeleteFileW(written.c_str());
        return;
    }
    for (int waited = 0; waited < 15000; waited += 100) {
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return;
        }
        Sleep(100);
    }
    DeleteFileW(path.c_str());
}

}  // namespace

void OfferSnapshot() {
    RequestPicture("");
}

void SaveScreenshot(const std::string& name) {
    RequestPicture(name);
}

namespace {

// Hands one xdotool command line to the test wrapper and waits for its exit code; true when it
// was 0 and the window has handled what was sent to it so far.
bool RunOnXSide(HWND window, const std::string& command) {
    const char* request = std::getenv("VARNEL_GUI_HOST");
    if (request == nullptr || *request == '\0') {
        return false;
    }
    const std::wstring path = ToWindowsPath(request);
    const std::wstring done = ToWindowsPath(std::string(request) + ".done");
    const std::wstring partial = ToWindowsPath(std::string(request) + ".part");
    const std::string line = command + "\n";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    // The wrapper must never see half a line.
    if (!MoveFileW(partial.c_str(), path.c_str())) {
        return false;
    }
    for (int waited = 0; waited < 10000; waited += 20) {
        HANDLE answer = CreateFileW(done.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (answer != INVALID_HANDLE_VALUE) {
            char code[8] = {};
            DWORD read = 0;
            ReadFile(answer, code, sizeof(code) - 1, &read, nullptr);
            CloseHandle(answer);
            DeleteFileW(done.c_str());
            return code[0] == '0' && Settle(window);
        }
        Sleep(20);
    }
    return false;
}

// The X id of a Wine window, or 0.
ULONG_PTR XWindowOf(HWND window) {
    return reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
}

}  // namespace

bool TypeKeys(HWND window, const std::string& keys) {
    const ULONG_PTR xid = XWindowOf(window);
    return xid != 0 && RunOnXSide(window, "key --window " + std::to_string(xid) + " " + keys);
}

bool ClickAt(HWND window, POINT client) {
    // Only top-level windows have an X window of their own; it covers the whole window rect.
    HWND top = GetAncestor(window, GA_ROOT);
    const ULONG_PTR xid = XWindowOf(top);
    RECT frame = {};
    if (xid == 0 || !GetWindowRect(top, &frame) || !ClientToScreen(window, &client)) {
        return false;
    }
    const std::string x = std::to_string(client.x - frame.left);
    const std::string y = std::to_string(client.y - frame.top);
    return RunOnXSide(top,
                      "mousemove --window " + std::to_string(xid) + " " + x + " " + y + " click 1");
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread != 0 && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool Settle(HWND window, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

bool Session::Start(const char* ini, const std::wstring& arguments, std::string* error) {
    if (!folder_.ok()) {
        *error = "no temporary folder";
        return false;
    }
    const std::wstring exe = CopyInto(AppPath(), folder_.path());
    if (exe.empty()) {
        *error = "cannot copy " + Narrow(AppPath());
        return false;
    }
    if (ini != nullptr) {
        HANDLE file = CreateFileW((folder_.path() + L"\\varnel.ini").c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            *error = "cannot write varnel.ini";
            return false;
        }
        DWORD written = 0;
        WriteFile(file, ini, static_cast<DWORD>(std::strlen(ini)), &written, nullptr);
        CloseHandle(file);
    }
    if (!app_.Start(exe, folder_.path(), error, arguments)) {
        return false;
    }
    window_ = app_.WaitForWindow("varnel", 60000, error);
    return window_ != nullptr;
}

RECT Session::WindowRect() const {
    RECT r = {};
    GetWindowRect(window_, &r);
    return r;
}

LONG Session::Style() const {
    return GetWindowLongA(window_, GWL_STYLE);
}

bool Session::Command(int id) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window_, WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL, 5000,
                               &ignored) != 0;
}

void Session::PostCommand(int id) {
    PostMessageA(window_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void Session::PostClose() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
}

HWND Session::list() const {
    return GetDlgItem(window_, 100);
}

HWND Session::statusBar() const {
    // Bar 101 shares the id, and a mode change builds the status bar anew behind it.
    return FindWindowExA(window_, nullptr, "msctls_statusbar32", nullptr);
}

std::string Session::Describe() const {
    std::string text = "[" + Status(0) + "] " + Status(1);
    if (HWND box = FindMessageBox()) {
        text += "; message box \"" + WindowText(box) + "\": " + MessageBoxText(box);
    }
    return Readable(text);
}

bool Session::WaitForStatus(const std::string& count, const std::string& step,
                            DWORD timeoutMs) const {
    return WaitFor([&] { return Status(0) == count && Status(1) == step; }, timeoutMs);
}

bool Session::Close(DWORD* exitCode) {
    if (!RequestClose(window_, 10000)) {
        return false;
    }
    return app_.WaitForExit(10000, exitCode);
}

bool Session::ReadFile(const std::wstring& name, std::string* contents) const {
    HANDLE file =
        CreateFileW((folder_.path() + L"\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    contents->clear();
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        contents->append(buffer, read);
    }
    CloseHandle(file);
    return true;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(20);
    }
}

std::wstring FromCp932(const std::string& bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                        &wide[0], length);
    return wide;
}

std::string ToCp932(const std::wstring& text) {
    // One character at a time, kept only when it comes back unchanged: the conversion would
    // otherwise give a look-alike ("e" for an accented e) without saying so.
    std::string result;
    for (size_t i = 0; i < text.size();) {
        const size_t units = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
        const std::wstring one = text.substr(i, units);
        i += units;
        char bytes[8] = {};
        const int n = WideCharToMultiByte(932, 0, one.data(), static_cast<int>(one.size()), bytes,
                                          sizeof(bytes), nullptr, nullptr);
        const std::string converted(bytes, n > 0 ? static_cast<size_t>(n) : 0);
        result += n > 0 && FromCp932(converted) == one ? converted : "?";
    }
    return result;
}

std::string Readable(const std::string& cp932) {
    const std::wstring wide = FromCp932(cp932);
    if (wide.empty()) {
        return cp932;
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], n,
                            nullptr, nullptr);
    }
    return utf8;
}

bool MakeFile(const std::wstring& path, const std::string& contents) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        contents.empty() ||
        (WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
         written == contents.size());
    CloseHandle(file);
    return ok;
}

bool MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != 0;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileContents(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string contents;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        contents.append(buffer, read);
    }
    CloseHandle(file);
    return contents;
}

std::vector<std::string> NamesIn(const std::wstring& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(ToCp932(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace gui
