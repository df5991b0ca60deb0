// Message boxes through the wide API, so that the cp932 texts show the same on any system
// code page.
#include <windows.h>

#include "platform/message_box.h"
#include "platform/text.h"

int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& title,
                   unsigned style) {
    platform::NativeString wideText;
    platform::NativeString wideTitle;
    if (platform::ToNative(text, &wideText) && platform::ToNative(title, &wideTitle)) {
        return MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), style);
    }
    // Bytes that are not valid cp932 still reach the user, as the ANSI function reads them.
    return MessageBoxA(owner, text.c_str(), title.c_str(), style);
}
