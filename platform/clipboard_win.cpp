// The text goes out as CF_UNICODETEXT, with CF_TEXT (the cp932 bytes as they are) beside it when
// cp932 holds all of it; it comes back from CF_UNICODETEXT, which the system makes from the
// CF_TEXT of a program that puts only that.

#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/text.h"

namespace {

HGLOBAL CopyToGlobal(const void* data, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return nullptr;
    }
    void* locked = GlobalLock(memory);
    if (locked == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(locked, data, size);
    GlobalUnlock(memory);
    return memory;
}

// Once placed, the memory belongs to the clipboard.
bool Place(UINT format, HGLOBAL memory) {
    if (SetClipboardData(format, memory) != nullptr) {
        return true;
    }
    GlobalFree(memory);
    return false;
}

// Clipboard viewers and managers (Wine's own among them) open the clipboard for a moment after
// every change: a user's copy followed at once by an import must not be refused for that.
constexpr int kOpenTries = 50;
constexpr DWORD kOpenPauseMs = 20;

bool OpenPatiently(HWND owner) {
    for (int i = 1; i < kOpenTries; ++i) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(kOpenPauseMs);
    }
    return OpenClipboard(owner) != FALSE;
}

}  // namespace

namespace platform {

bool PutClipboardText(WindowHandle owner, const std::string& text) {
    std::wstring wide;
    if (!ToNative(text, &wide)) {
        return false;
    }
    HGLOBAL unicode = CopyToGlobal(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    HGLOBAL narrow = HoldsEscapes(text) ? nullptr : CopyToGlobal(text.c_str(), text.size() + 1);
    if (unicode == nullptr || (narrow == nullptr && !HoldsEscapes(text))) {
        GlobalFree(unicode);
        GlobalFree(narrow);
        return false;
    }
    if (!OpenPatiently(owner)) {
        GlobalFree(unicode);
        GlobalFree(narrow);
        return false;
    }
    EmptyClipboard();
    bool placed = Place(CF_UNICODETEXT, unicode);
    if (narrow != nullptr) {
        placed = Place(CF_TEXT, narrow) && placed;
    }
    CloseClipboard();
    return placed;
}

bool GetClipboardText(WindowHandle owner, std::string* text) {
    text->clear();
    if (!OpenPatiently(owner)) {
        return false;
    }
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            // A block without its NUL ends at the block's end.
            const SIZE_T size = GlobalSize(data) / sizeof(wchar_t);
            std::size_t length = 0;
            while (length < size && units[length] != L'\0') {
                ++length;
            }
            found = FromNative(std::wstring(units, length), text);
            GlobalUnlock(data);
        }
    } else if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            // A block without its NUL ends at the block's end.
            const SIZE_T size = GlobalSize(data);
            std::size_t length = 0;
            while (length < size && bytes[length] != '\0') {
                ++length;
            }
            // Another program's bytes: only cp932 text is taken, as the characters it holds.
            found = Cp932ToHeld(std::string(bytes, length), text);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}

}  // namespace platform
