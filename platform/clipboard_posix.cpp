// A clipboard inside the process for the native build, so that the exchange of names through the
// clipboard behaves as on Windows: text up to its NUL, or something that is not text.

#include "platform/clipboard.h"

#include "platform/text.h"

namespace platform {
namespace {

struct Clipboard {
    bool holdsText = false;
    std::string text;
};

Clipboard& TheClipboard() {
    static Clipboard clipboard;
    return clipboard;
}

}  // namespace

bool PutClipboardText(WindowHandle, const std::string& text) {
    Clipboard& clipboard = TheClipboard();
    clipboard.holdsText = true;
    clipboard.text = text.substr(0, text.find('\0'));
    return true;
}

bool GetClipboardText(WindowHandle, std::string* text) {
    const Clipboard& clipboard = TheClipboard();
    // What another program put there is taken only as canonical text, as on Windows.
    const bool taken = clipboard.holdsText && IsCanonical(clipboard.text);
    *text = taken ? clipboard.text : std::string();
    return taken;
}

void PutClipboardNonText() {
    Clipboard& clipboard = TheClipboard();
    clipboard.holdsText = false;
    clipboard.text.clear();
}

}  // namespace platform
