#include "exchange/tool_launcher.h"

#include <string>
#include <vector>

#include "core/texts.h"
#include "exchange/tool_window.h"
#include "platform/message_box.h"
#include "platform/screen_scale.h"
#include "platform/text.h"
#include "res/resource_ids.h"
#include "settings/app_paths.h"

namespace {

constexpr UINT_PTR kWaitTimer = 100;
constexpr UINT kWaitIntervalMs = 500;
// A tool that never becomes idle (a console program, a busy one) must not hold Varnel for good.
constexpr DWORD kInputIdleLimitMs = 10000;
// Without a window by then, the wait dialog says so and points at importing now.
constexpr DWORD kNoWindowNoticeMs = 4000;
// Opening beside without a wait looks for a handed-on window this long.
constexpr DWORD kBesideSearchMs = 3000;
// How far right of the main window's left edge the tool opened beside it goes, at 96 dpi.
constexpr int kBesideOffset = 200;

struct WindowSearch {
    HWND found;
    HWND wanted;
};

struct TopLevelWindows {
    DWORD processId;
    std::vector<HWND> handles;
    std::vector<TopLevelWindowFacts> facts;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    auto* all = reinterpret_cast<TopLevelWindows*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    all->handles.push_back(window);
    all->facts.push_back({processId == all->processId, IsWindowVisible(window) != FALSE,
                          GetWindow(window, GW_OWNER) != nullptr});
    return TRUE;
}

HWND FindToolWindow(DWORD processId) {
    TopLevelWindows all = {processId, {}, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    const int chosen = ChooseToolWindow(all.facts);
    return chosen < 0 ? nullptr : all.handles[static_cast<size_t>(chosen)];
}

std::wstring Lower(std::wstring text) {
    if (!text.empty()) {
        CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    }
    return text;
}

bool TitleHolds(HWND window, const std::wstring& lowerName) {
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return !lowerName.empty() && Lower(title).find(lowerName) != std::wstring::npos;
}

struct FileWindows {
    const std::wstring* lowerName;
    std::map<HWND, bool>* showedBefore;  // filled by the snapshot, read by the search
    HWND found;
    bool snapshot;
};

BOOL CALLBACK VisitFileWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<FileWindows*>(data);
    if (GetWindow(window, GW_OWNER) != nullptr) {
        return TRUE;
    }
    const bool holds = TitleHolds(window, *search->lowerName);
    if (search->snapshot) {
        (*search->showedBefore)[window] = holds;
        return TRUE;
    }
    // New, or newly showing the file (a tab of a window that was open before).
    const auto before = search->showedBefore->find(window);
    if (holds && IsWindowVisible(window) &&
        (before == search->showedBefore->end() || !before->second)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

const char* WhyNotStarted(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
            return texts::kWhyToolNotFound;
        case ERROR_ACCESS_DENIED:
            return texts::kWhyToolDenied;
        case ERROR_BAD_EXE_FORMAT:
            return texts::kWhyToolNotProgram;
        default:
            return nullptr;
    }
}

BOOL CALLBACK FindHandle(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (window == search->wanted) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

}  // namespace

ToolLauncher::ToolLauncher(HINSTANCE instance, HWND main, const AppPaths& paths)
    : instance(instance), main(main), paths(paths) {}

ToolLauncher::~ToolLauncher() {
    if (process.hProcess) {
        CloseHandle(process.hProcess);
    }
    if (process.hThread) {
        CloseHandle(process.hThread);
    }
}

bool ToolLauncher::Start() {
    // Exactly as typed: the tool, one blank, the IO file; the file's name must reach the tool
    // exactly, so the line goes through the wide function.
    std::wstring commandLine;
    std::wstring name;
    if (!platform::ToNative(paths.ToolPath() + " " + paths.IOFilePath().FullPath(), &commandLine) ||
        !platform::ToNative(paths.IOFilePath().FileName(), &name)) {
        return false;
    }
    fileName = Lower(name);
    showedFileBefore.clear();
    FileWindows snapshot = {&fileName, &showedFileBefore, nullptr, true};
    EnumWindows(VisitFileWindow, reinterpret_cast<LPARAM>(&snapshot));
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        const DWORD error = GetLastError();
        process = {};
        const char* why = WhyNotStarted(error);
        ShowMessageBox(
            main,
            texts::Fill(texts::kToolNotStarted,
                        {paths.ToolPath(),
                         why ? why : texts::Fill(texts::kWhyToolOther, {std::to_string(error)})}),
            texts::kTitleToolNotStarted, kMbIconExclamation);
        return false;
    }
    started = GetTickCount();
    GetWindowRect(main, &mainRect);
    lastKnown = mainRect;
    WaitForInputIdle(process.hProcess, kInputIdleLimitMs);
    return true;
}

bool ToolLauncher::Follow(int x) {
    if (toolWindow) {
        return true;
    }
    toolWindow = FindToolWindow(process.dwProcessId);
    ownWindow = toolWindow != nullptr;
    if (!toolWindow) {
        FileWindows search = {&fileName, &showedFileBefore, nullptr, false};
        EnumWindows(VisitFileWindow, reinterpret_cast<LPARAM>(&search));
        toolWindow = search.found;
    }
    if (!toolWindow) {
        return false;
    }
    GetWindowRect(toolWindow, &toolRect);
    MoveWindow(toolWindow, x, mainRect.top, Width(toolRect), Height(toolRect), TRUE);
    return true;
}

bool ToolLauncher::ToolWindowExists() const {
    WindowSearch search = {nullptr, toolWindow};
    EnumWindows(FindHandle, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

int ToolLauncher::Open() {
    if (!Start()) {
        return 1;
    }
    for (;;) {
        if (Follow(mainRect.left + ToDevicePixels(kBesideOffset, WindowDpi(main)))) {
            return 0;
        }
        if (GetTickCount() - started > kBesideSearchMs) {
            return 1;
        }
        Sleep(100);
    }
}

int ToolLauncher::OpenAndWait() {
    if (!Start()) {
        return 1;
    }
    Follow(mainRect.left);
    // Hidden, the window keeps its maximized state, but showing it normal would drop it.
    const bool wasMaximized = IsZoomed(main) != FALSE;
    ShowWindow(main, SW_HIDE);
    closed = false;
    DialogBoxParamA(instance, "MYDLG_WAITCLOSE", main, WaitProc, reinterpret_cast<LPARAM>(this));
    if (!closed && ownWindow) {
        // Cancelled: ask the tool to close, and wait for its answer (it may ask to save first).
        // A hung tool must not keep Varnel hidden for good. A window of another program, which
        // may hold other files, is left open.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(toolWindow, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, INFINITE, &ignored);
    }
    if (wasMaximized) {
        ShowWindow(main, SW_SHOWMAXIMIZED);
    } else {
        // Its size now: a change of the screen's scale meanwhile has sized it anew.
        RECT now = mainRect;
        GetWindowRect(main, &now);
        MoveWindow(main, lastKnown.left, lastKnown.top, Width(now), Height(now), TRUE);
        ShowWindow(main, SW_SHOWNORMAL);
    }
    SetForegroundWindow(main);
    return closed ? 0 : 1;
}

INT_PTR CALLBACK ToolLauncher::WaitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* launcher = reinterpret_cast<ToolLauncher*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SetTimer(dialog, kWaitTimer, kWaitIntervalMs, nullptr);
            // In the top-left corner of the screen the main window was on, where it is drawn at
            // that screen's scale.
            RECT r;
            GetWindowRect(dialog, &r);
            MONITORINFO screen = {};
            screen.cbSize = sizeof(screen);
            const auto* starting = reinterpret_cast<const ToolLauncher*>(lParam);
            if (!GetMonitorInfoA(MonitorFromRect(&starting->mainRect, MONITOR_DEFAULTTOPRIMARY),
                                 &screen)) {
                screen.rcMonitor = {};
            }
            MoveWindow(dialog, screen.rcMonitor.left, screen.rcMonitor.top, Width(r), Height(r),
                       TRUE);
            // Enter keeps meaning Cancel, as before the import-now button: a stray Enter must not
            // read a file the user has not saved yet.
            SetFocus(GetDlgItem(dialog, IDCANCEL));
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDB_WAIT_IMPORT_NOW) {
                KillTimer(dialog, kWaitTimer);
                if (launcher) {
                    // Importing now reads the file as a closed window would; the window stays.
                    launcher->closed = LOWORD(wParam) == IDB_WAIT_IMPORT_NOW;
                }
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_TIMER:
            if (wParam != kWaitTimer || !launcher) {
                return FALSE;
            }
            if (!launcher->Follow(launcher->mainRect.left)) {
                // A tool whose window comes late, or hands the file on, is still looked for.
                if (GetTickCount() - launcher->started > kNoWindowNoticeMs) {
                    SetDlgItemTextA(dialog, IDT_WAIT_MESSAGE, texts::kWaitNoWindow);
                }
            } else if (!launcher->ToolWindowExists()) {
                KillTimer(dialog, kWaitTimer);
                launcher->closed = true;
                EndDialog(dialog, IDOK);
            } else if (!IsIconic(launcher->toolWindow)) {
                // A minimized window is parked off the screen: keep where it was before.
                GetWindowRect(launcher->toolWindow, &launcher->lastKnown);
            }
            return TRUE;
        default:
            return FALSE;
    }
}
