#include "exchange/tool_launcher.h"

#include <string>
#include <vector>

#include "exchange/tool_window.h"
#include "platform/text.h"
#include "settings/app_paths.h"

namespace {

constexpr UINT_PTR kWaitTimer = 100;
constexpr UINT kWaitIntervalMs = 500;
// A tool that never becomes idle (a console program, a busy one) must not hold Varnel for good.
constexpr DWORD kInputIdleLimitMs = 10000;

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
    if (!platform::ToNative(paths.ToolPath() + " " + paths.IOFilePath().FullPath(), &commandLine)) {
        return false;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        process = {};
        return false;
    }
    WaitForInputIdle(process.hProcess, kInputIdleLimitMs);
    toolWindow = FindToolWindow(process.dwProcessId);
    if (!toolWindow) {
        return false;
    }
    GetWindowRect(main, &mainRect);
    GetWindowRect(toolWindow, &toolRect);
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
    MoveWindow(toolWindow, mainRect.left + 200, mainRect.top, Width(toolRect), Height(toolRect),
               TRUE);
    return 0;
}

int ToolLauncher::OpenAndWait() {
    if (!Start()) {
        return 1;
    }
    MoveWindow(toolWindow, mainRect.left, mainRect.top, Width(toolRect), Height(toolRect), TRUE);
    lastKnown = mainRect;
    // Hidden, the window keeps its maximized state, but showing it normal would drop it.
    const bool wasMaximized = IsZoomed(main) != FALSE;
    ShowWindow(main, SW_HIDE);
    closed = false;
    DialogBoxParamA(instance, "MYDLG_WAITCLOSE", main, WaitProc, reinterpret_cast<LPARAM>(this));
    if (!closed) {
        // Cancelled: ask the tool to close, and wait for its answer (it may ask to save first).
        // A hung tool must not keep Varnel hidden for good.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(toolWindow, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, INFINITE, &ignored);
    }
    if (wasMaximized) {
        ShowWindow(main, SW_SHOWMAXIMIZED);
    } else {
        MoveWindow(main, lastKnown.left, lastKnown.top, Width(mainRect), Height(mainRect), TRUE);
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
            RECT r;
            GetWindowRect(dialog, &r);
            MoveWindow(dialog, 0, 0, Width(r), Height(r), TRUE);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                KillTimer(dialog, kWaitTimer);
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_TIMER:
            if (wParam != kWaitTimer || !launcher) {
                return FALSE;
            }
            if (!launcher->ToolWindowExists()) {
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
