// CF_TEXT carries the cp932 bytes as they are; the system converts them for programs that ask
// for Unicode text.

#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"

namespace platform {

bool PutClipboardText(WindowHandle owner, const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr) {
        return false;
    }
    void* locked = GlobalLock(memory);
    if (locked == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(locked, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // Once placed, the memory belongs to the clipboard.
    const bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(memory);
    }
    return placed;
}

bool GetClipboardText(WindowHandle owner, std::string* text) {
    text->clear();
    if (!OpenClipboard(owner)) {
        return false;
    }
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            // A block without its NUL ends at the block's end.
            const SIZE_T size = GlobalSize(data);
            std::size_t length = 0;
            while (length < size && bytes[length] != '\0') {
                ++length;
            }
            text->assign(bytes, length);
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

}  // namespace platform
