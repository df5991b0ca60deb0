// Stands in for the text editor Varnel hands its IO file to. Everything after its own name on the
// command line is the file's path (unquoted, blanks allowed). It shows one top-level window
// before it first waits for input, and then does what VARNEL_FAKE_EDITOR says:
//   rewrite:NAMES   the file's first lines become the lines of the file NAMES; the window closes
//                   300 ms after Varnel has placed it
//   move:X,Y:NAMES  the same rewrite; once placed, the window moves itself to X,Y and closes
//                   1200 ms later, so that Varnel's checks twice a second see where it went
//   minimize:NAMES  the same, but the window minimizes itself instead of moving
//   stay[:NAMES]    the rewrite if NAMES is given; the window stays until it gets WM_CLOSE
//   recode:ENC:NAMES  the file read as it was written (UTF-8 after a byte-order mark, else
//                   cp932), its first lines giving way to the UTF-8 lines of NAMES, and all of it
//                   saved as ENC: "ansi" (cp932 with Windows' best fit) or "euc" (EUC-JP); the
//                   window closes as for rewrite
//   quit            shows no window and ends
//   handon:SCRIPT   shows no window: starts itself again on the same file with SCRIPT and ends,
//                   as editors that hand the file to another process do
// The window's title is the file's name and " - fake editor", as editors title theirs.
// Beside the file it leaves PATH.cmdline (its command line, cp932), PATH.orig (the file as it
// found it), PATH.placed (its window rect "(left,top)-(right,bottom)" once Varnel has moved it)
// and, on WM_CLOSE, PATH.closed. Paths are cp932.
// With VARNEL_FAKE_EDITOR_DECOY set it also makes a hidden top-level window without owner after
// its own, so that the decoy comes first when the top-level windows are listed.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/support/euc_jp.h"

namespace {

constexpr char kClassName[] = "varnel_fake_editor";
constexpr int kStartX = 620;
constexpr int kStartY = 420;
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT_PTR kMoveTimer = 2;
constexpr UINT_PTR kPlacedAnywayTimer = 3;
constexpr UINT_PTR kGiveUpTimer = 4;

enum class Mode { Rewrite, Move, Minimize, Stay };

struct State {
    std::string path;
    Mode mode = Mode::Stay;
    int moveX = 0;
    int moveY = 0;
    bool placed = false;
} state;

bool ReadAll(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bytes->clear();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        bytes->append(buffer, read);
    }
    CloseHandle(file);
    return true;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The path is what follows the program name, which is quoted or ends at the first blank.
std::string PathFrom(const std::string& commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t quote = commandLine.find('"', 1);
        i = quote == std::string::npos ? commandLine.size() : quote + 1;
    } else {
        i = commandLine.find_first_of(" \t");
        i = i == std::string::npos ? commandLine.size() : i;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) {
        ++i;
    }
    return commandLine.substr(i);
}

// The first lines of the file give way to the lines of NAMES (each ended by CR LF); the rest stays.
void Rewrite(const std::string& namesPath) {
    std::string names;
    std::string text;
    if (!ReadAll(namesPath, &names) || !ReadAll(state.path, &text)) {
        return;
    }
    size_t rest = 0;
    for (size_t at = 0; (at = names.find("\r\n", at)) != std::string::npos; at += 2) {
        const size_t end = text.find("\r\n", rest);
        rest = end == std::string::npos ? text.size() : end + 2;
    }
    WriteAll(state.path, names + text.substr(rest));
}

std::wstring Widen(UINT codePage, const std::string& bytes) {
    const int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    }
    return wide;
}

// As an editor saves "ANSI": best fit, and "?" for what has none.
std::string Ansi(const std::wstring& wide) {
    const int n = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], n,
                            nullptr, nullptr);
    }
    return bytes;
}

void Recode(const std::string& encoding, const std::string& namesPath) {
    std::string names;
    std::string text;
    if (!ReadAll(namesPath, &names) || !ReadAll(state.path, &text)) {
        return;
    }
    const bool utf8 = text.rfind("\xEF\xBB\xBF", 0) == 0;
    std::wstring wide = Widen(utf8 ? CP_UTF8 : 932, utf8 ? text.substr(3) : text);
    const std::wstring lines = Widen(CP_UTF8, names);
    size_t rest = 0;
    for (size_t at = 0; (at = lines.find(L"\r\n", at)) != std::wstring::npos; at += 2) {
        const size_t end = wide.find(L"\r\n", rest);
        rest = end == std::wstring::npos ? wide.size() : end + 2;
    }
    const std::string ansi = Ansi(lines + wide.substr(rest));
    WriteAll(state.path, encoding == "euc" ? SjisToEucJp(ansi) : ansi);
}

// The script after the mode word: "X,Y:NAMES" for move, "ENC:NAMES" for recode, "NAMES"
// otherwise.
void TakeScript(const std::string& script) {
    const size_t colon = script.find(':');
    const std::string word = script.substr(0, colon);
    std::string rest = colon == std::string::npos ? std::string() : script.substr(colon + 1);
    if (word == "move") {
        const size_t comma = rest.find(',');
        const size_t end = rest.find(':');
        if (comma == std::string::npos || end == std::string::npos) {
            return;
        }
        state.mode = Mode::Move;
        state.moveX = std::atoi(rest.substr(0, comma).c_str());
        state.moveY = std::atoi(rest.substr(comma + 1, end - comma - 1).c_str());
        rest = rest.substr(end + 1);
    } else if (word == "recode") {
        state.mode = Mode::Rewrite;
        const size_t end = rest.find(':');
        if (end != std::string::npos) {
            Recode(rest.substr(0, end), rest.substr(end + 1));
        }
        return;
    } else if (word == "rewrite") {
        state.mode = Mode::Rewrite;
    } else if (word == "minimize") {
        state.mode = Mode::Minimize;
    }
    if (!rest.empty()) {
        Rewrite(rest);
    }
}

// Varnel has placed the window (or never will): the scripted close starts from here.
void OnPlaced(HWND window, bool moved) {
    if (state.placed) {
        return;
    }
    state.placed = true;
    RECT r = {};
    if (moved && GetWindowRect(window, &r)) {
        WriteAll(state.path + ".placed",
                 "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
                     std::to_string(r.right) + "," + std::to_string(r.bottom) + ")");
    }
    KillTimer(window, kPlacedAnywayTimer);
    if (state.mode == Mode::Rewrite) {
        SetTimer(window, kCloseTimer, 300, nullptr);
    } else if (state.mode == Mode::Move || state.mode == Mode::Minimize) {
        // Not from inside the move Varnel is still making.
        SetTimer(window, kMoveTimer, 50, nullptr);
    }
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE) && (pos->x != kStartX || pos->y != kStartY)) {
                OnPlaced(window, true);
            }
            break;
        }
        case WM_TIMER:
            if (wParam == kMoveTimer) {
                KillTimer(window, kMoveTimer);
                if (state.mode == Mode::Minimize) {
                    ShowWindow(window, SW_MINIMIZE);
                } else {
                    SetWindowPos(window, nullptr, state.moveX, state.moveY, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
                SetTimer(window, kCloseTimer, 1200, nullptr);
            } else if (wParam == kPlacedAnywayTimer) {
                OnPlaced(window, false);
            } else {
                DestroyWindow(window);
            }
            return 0;
        case WM_CLOSE:
            WriteAll(state.path + ".closed", "");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string commandLine = GetCommandLineA();
    state.path = PathFrom(commandLine);
    WriteAll(state.path + ".cmdline", commandLine);
    std::string original;
    if (ReadAll(state.path, &original)) {
        WriteAll(state.path + ".orig", original);
    }
    char script[4096] = {};
    const DWORD length = GetEnvironmentVariableA("VARNEL_FAKE_EDITOR", script, sizeof(script));
    if (length > 0 && length < sizeof(script)) {
        if (std::string(script) == "quit") {
            return 0;
        }
        const std::string handOn = "handon:";
        if (std::string(script).rfind(handOn, 0) == 0) {
            SetEnvironmentVariableA("VARNEL_FAKE_EDITOR", script + handOn.size());
            std::string line = commandLine;
            STARTUPINFOA startup = {};
            startup.cb = sizeof(startup);
            PROCESS_INFORMATION process = {};
            if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process)) {
                return 1;
            }
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            return 0;
        }
        TakeScript(script);
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = EditorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) {
        return 1;
    }
    const std::string title =
        state.path.substr(state.path.find_last_of('\\') + 1) + " - fake editor";
    HWND window = CreateWindowA(kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, kStartX, kStartY,
                                320, 240, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    if (GetEnvironmentVariableA("VARNEL_FAKE_EDITOR_DECOY", nullptr, 0) > 0) {
        CreateWindowA("STATIC", "decoy", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance,
                      nullptr);
    }
    // A scripted close still happens when nobody places the window; and a test that failed
    // half-way never leaves the editor behind for good.
    SetTimer(window, kPlacedAnywayTimer, 5000, nullptr);
    SetTimer(window, kGiveUpTimer, 60000, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
