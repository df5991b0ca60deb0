#include "ui/single_instance.h"

#include <windows.h>

#include <vector>

#include "core/refusals.h"
#include "core/texts.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "settings/app_paths.h"
#include "settings/path_list.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/hand_over.h"
#include "ui/incoming_paths.h"

namespace {

// A first copy that is still opening holds the lock before its window exists.
constexpr int kAttempts = 50;
constexpr DWORD kPauseMs = 100;

// The lock's name is the executable's path in slash form: kernel object names may not hold "\".
// Names are limited in length; a longer path keeps its end, where copies differ.
std::wstring LockName(const AppContext* context) {
    std::wstring name;
    if (!platform::ToNative(context->paths->ExecutablePath().SlashPath(), &name)) {
        name = L"Varnel.exe";
    }
    if (name.size() >= MAX_PATH) {
        name.erase(0, name.size() - (MAX_PATH - 1));
    }
    return name;
}

std::wstring OwnExecutable() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return (n == 0 || n >= buffer.size()) ? std::wstring() : std::wstring(buffer.data(), n);
}

std::wstring ExecutableOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(32768);
    DWORD size = static_cast<DWORD>(buffer.size());
    const BOOL ok = QueryFullProcessImageNameW(process, 0, buffer.data(), &size);
    CloseHandle(process);
    return ok ? std::wstring(buffer.data(), size) : std::wstring();
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The main window of another process started from the same executable file. Only that window
// takes the paths: not a message box, not the settings sheet, never this process's own.
HWND FindRunningWindow(const std::wstring& self) {
    const DWORD own = GetCurrentProcessId();
    for (HWND window = nullptr;
         (window = FindWindowExW(nullptr, window, L"varnel", nullptr)) != nullptr;) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId == own || GetWindow(window, GW_OWNER) != nullptr) {
            continue;
        }
        if (SameFile(ExecutableOf(processId), self)) {
            return window;
        }
    }
    return nullptr;
}

// The command line's paths, each made absolute here: the receiver works in another folder.
void HandOver() {
    const std::wstring arguments = CommandLineArguments();
    if (arguments.empty()) {
        return;
    }
    std::vector<std::wstring> paths;
    for (const std::wstring& token : SplitPathList(arguments)) {
        paths.push_back(AbsolutePath(token));
    }
    const std::string text = MakeHandOverText(paths);
    if (text.empty()) {
        return;
    }
    if (SendToRunningInstance(text) != 0) {
        ShowMessageBox(nullptr, texts::kInstanceNotFound, texts::kTitleFatalInstance, kMbIconError);
    }
}

}  // namespace

int SendToRunningInstance(const std::string& text) {
    const std::wstring self = OwnExecutable();
    if (self.empty()) {
        return 1;
    }
    for (int attempt = 1;; ++attempt) {
        HWND window = FindRunningWindow(self);
        if (window) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            // Only the receiver can bring its window to the front; this process may let it.
            AllowSetForegroundWindow(processId);
            COPYDATASTRUCT data = {};
            data.dwData = 0;
            data.cbData = static_cast<DWORD>(text.size() + 1);
            data.lpData = const_cast<char*>(text.c_str());
            const LRESULT answer =
                SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
            if (answer == 0) {
                return 0;
            }
            // A window still being built answers that it cannot take paths yet.
            if (attempt >= kAttempts) {
                ShowMessageBox(nullptr, texts::kCopyDataFailed, texts::kTitleFatal, kMbIconError);
                return 0;
            }
        } else if (attempt >= kAttempts) {
            return 1;
        }
        Sleep(kPauseMs);
    }
}

bool ClaimSingleInstance(AppContext* context) {
    if (!GetBool(kIdSingleApp)) {
        return true;
    }
    // Owned and never released: the name goes away with this process.
    HANDLE lock = CreateMutexW(nullptr, TRUE, LockName(context).c_str());
    if (!lock) {
        return false;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        return true;
    }
    CloseHandle(lock);
    HandOver();
    return false;
}
