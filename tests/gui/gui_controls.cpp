// Reading and driving the program's windows from outside: memory in its process, the controls'
// texts, the clipboard, message boxes, dropped files and handed-over paths.

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <vector>

#include "tests/gui/gui_harness.h"

namespace gui {

RemoteMemory::RemoteMemory(DWORD processId, size_t size) {
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr) {
        address_ =
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

RemoteMemory::~RemoteMemory() {
    if (address_ != nullptr) {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool RemoteMemory::Write(const void* data, size_t size, size_t offset) {
    // In pieces: Wine carries the bytes in one message to its server, and a message of
    // megabytes ends the writing thread ("partial write").
    constexpr size_t kPiece = 32768;
    for (size_t done = 0; done < size; done += kPiece) {
        const size_t piece = size - done < kPiece ? size - done : kPiece;
        SIZE_T written = 0;
        if (address_ == nullptr ||
            !WriteProcessMemory(process_, static_cast<char*>(address_) + offset + done,
                                static_cast<const char*>(data) + done, piece, &written) ||
            written != piece) {
            return false;
        }
    }
    return address_ != nullptr;
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const {
    SIZE_T read = 0;
    return address_ != nullptr &&
           ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &read) &&
           read == size;
}

namespace {

DWORD OwnerOf(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner;
}

// A control message answered within the time; its result, or -1.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (window == nullptr ||
        !SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

// Far more than any text here: the length messages count characters, not bytes.
constexpr size_t kTextBytes = 4096;

}  // namespace

namespace {

// The status bar is read every few milliseconds while a test waits. Memory made in another
// process is made by that process's own thread, which Wine interrupts with a signal; a thread
// interrupted while it hands Wine's server a large request (the clipboard's data) is ended by
// Wine. So each status bar gets its memory once.
RemoteMemory& StatusMemory(HWND statusBar) {
    static HWND forBar = nullptr;
    static DWORD forProcess = 0;
    static std::unique_ptr<RemoteMemory> memory;
    const DWORD process = OwnerOf(statusBar);
    if (!memory || forBar != statusBar || forProcess != process) {
        memory.reset();
        memory = std::make_unique<RemoteMemory>(process, kTextBytes);
        forBar = statusBar;
        forProcess = process;
    }
    return *memory;
}

}  // namespace

std::string StatusPartText(HWND statusBar, int part) {
    RemoteMemory& memory = StatusMemory(statusBar);
    const std::vector<char> zeros(kTextBytes, '\0');
    if (!memory.ok() || !memory.Write(zeros.data(), zeros.size()) ||
        SendTo(statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), memory.param()) == -1) {
        return "<unreadable>";
    }
    std::vector<char> text(kTextBytes, '\0');
    memory.Read(text.data(), text.size() - 1);
    return text.data();
}

int ListRowCount(HWND list) {
    return static_cast<int>(SendTo(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ListCellWide(HWND list, int row, int column) {
    // The item first, its text buffer right after it.
    constexpr size_t kUnits = kTextBytes / sizeof(wchar_t);
    RemoteMemory memory(OwnerOf(list), sizeof(LVITEMW) + kTextBytes);
    if (!memory.ok()) {
        return L"<unreadable>";
    }
    const std::vector<char> zeros(sizeof(LVITEMW) + kTextBytes, '\0');
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(memory.param(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(kUnits - 1);
    if (!memory.Write(zeros.data(), zeros.size()) || !memory.Write(&item, sizeof(item)) ||
        SendTo(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), memory.param()) == -1) {
        return L"<unreadable>";
    }
    std::vector<wchar_t> text(kUnits, L'\0');
    memory.Read(text.data(), (kUnits - 1) * sizeof(wchar_t), sizeof(LVITEMW));
    return text.data();
}

std::string ListCellText(HWND list, int row, int column) {
    return ToCp932(ListCellWide(list, row, column));
}

std::vector<std::string> ListColumnTexts(HWND list, int column) {
    std::vector<std::string> texts;
    const int rows = ListRowCount(list);
    for (int row = 0; row < rows; ++row) {
        texts.push_back(ListCellText(list, row, column));
    }
    return texts;
}

bool ListRowSelected(HWND list, int row) {
    return SendTo(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) == LVIS_SELECTED;
}

HWND BeginLabelEdit(HWND list, int row) {
    const LRESULT edit = SendTo(list, LVM_EDITLABELA, static_cast<WPARAM>(row), 0);
    return edit == -1 ? nullptr : reinterpret_cast<HWND>(edit);
}

bool SetText(HWND window, const std::string& bytes) {
    // WM_SETTEXT is carried between processes by the system, the text included.
    return SendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str())) == TRUE;
}

namespace {

// The program under test may hold the clipboard for a moment.
bool OpenClipboardSoon() {
    return WaitFor([] { return OpenClipboard(nullptr) != 0; }, 2000);
}

}  // namespace

bool PutClipboardText(const std::string& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    if (memory == nullptr) {
        return false;
    }
    std::memcpy(GlobalLock(memory), bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboardSoon()) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(memory);
    }
    return placed;
}

bool ClipboardText(std::string* bytes) {
    bytes->clear();
    if (!OpenClipboardSoon()) {
        return false;
    }
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            bytes->assign(text, strnlen(text, GlobalSize(data)));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

bool PutClipboardUnicode(const std::wstring& text) {
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return false;
    }
    std::memcpy(GlobalLock(memory), text.c_str(), size);
    GlobalUnlock(memory);
    if (!OpenClipboardSoon()) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(memory);
    }
    return placed;
}

bool ClipboardUnicode(std::wstring* text) {
    text->clear();
    if (!OpenClipboardSoon()) {
        return false;
    }
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text->assign(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

ClipboardLock::ClipboardLock() {
    mutex_ = CreateMutexA(nullptr, FALSE, "varnel-tests-clipboard");
    if (mutex_ != nullptr) {
        const DWORD waited = WaitForSingleObject(mutex_, 30000);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
}

ClipboardLock::~ClipboardLock() {
    if (held_) {
        ReleaseMutex(mutex_);
    }
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

std::vector<HWND> MessageBoxes(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search = {processId, {}};
    // Shown ones only: a process may keep hidden dialogs too.
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            if (OwnerOf(window) == s->processId && IsWindowVisible(window) &&
                WindowClass(window) == "#32770") {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMessageBox(DWORD processId) {
    const std::vector<HWND> boxes = MessageBoxes(processId);
    return boxes.empty() ? nullptr : boxes.front();
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindMessageBox(processId)) != nullptr; }, timeoutMs);
    return box;
}

HWND WaitForDialogTitled(DWORD processId, const std::string& title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND box : MessageBoxes(processId)) {
                if (WindowText(box) == title) {
                    found = box;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::string MessageBoxText(HWND box) {
    // WM_GETTEXT is carried between processes by the system, the buffer included.
    char text[kTextBytes] = {};
    HWND message = GetDlgItem(box, 0xFFFF);
    if (message == nullptr ||
        SendTo(message, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)) == -1) {
        return "<unreadable>";
    }
    return text;
}

bool PressButton(HWND box, int buttonId, DWORD timeoutMs) {
    HWND button = GetDlgItem(box, buttonId);
    if (button == nullptr || SendTo(button, BM_CLICK, 0, 0) == -1) {
        return false;
    }
    return WaitFor([&] { return !IsWindow(box); }, timeoutMs);
}

bool DropFiles(HWND window, const std::vector<std::wstring>& paths) {
    // The DROPFILES header, then each name with its NUL, then one more NUL.
    struct Header {
        DWORD pFiles;
        POINT pt;
        BOOL fNC;
        BOOL fWide;
    };
    std::wstring names;
    for (const std::wstring& path : paths) {
        names += path;
        names += L'\0';
    }
    names += L'\0';
    const size_t size = sizeof(Header) + names.size() * sizeof(wchar_t);
    RemoteMemory memory(OwnerOf(window), size);
    Header header = {sizeof(Header), {10, 10}, FALSE, TRUE};
    if (!memory.ok() || !memory.Write(&header, sizeof(header)) ||
        !memory.Write(names.data(), names.size() * sizeof(wchar_t), sizeof(header)) ||
        !PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory.address()), 0)) {
        return false;
    }
    // The program reads the block when it takes the message, and frees it with DragFinish.
    memory.Release();
    return true;
}

bool HandOver(HWND window, const std::string& commandLine, DWORD timeoutMs) {
    // The data is carried into the window's process together with its terminating zero.
    COPYDATASTRUCT data = {};
    data.cbData = static_cast<DWORD>(commandLine.size() + 1);
    data.lpData = const_cast<char*>(commandLine.c_str());
    DWORD_PTR result = 1;
    return SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                               timeoutMs, &result) != 0 &&
           result == 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string IniValue(const std::string& ini, const std::string& key) {
    std::string::size_type at = ini.find("\r\n" + key + "=");
    if (at == std::string::npos) {
        return "<missing>";
    }
    at += key.size() + 3;
    return ini.substr(at, ini.find("\r\n", at) - at);
}

}  // namespace gui
