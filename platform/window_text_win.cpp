#include "platform/window_text.h"

#include <windows.h>

#include "platform/text.h"

std::wstring WideText(const std::string& cp932) {
    std::wstring wide;
    if (platform::ToNative(cp932, &wide)) {
        return wide;
    }
    // Only for showing: an invalid byte must not blank the whole text.
    int n = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    wide.assign(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), &wide[0], n);
    }
    return wide;
}

std::string Cp932Text(const std::wstring& wide) {
    std::string text;
    return platform::FromNative(wide, &text) ? text : std::string();
}
