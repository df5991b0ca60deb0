#include "ui/incoming_paths.h"
#include "core/texts.h"

#include <windows.h>

#include "core/refusals.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "ui/app_context.h"

std::wstring CommandLineArguments() {
    const wchar_t* p = GetCommandLineW();
    // The program's name ends at its closing quote, or at the first blank when unquoted.
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') {
            ++p;
        }
        if (*p == L'"') {
            ++p;
        }
    } else {
        while (*p && *p != L' ' && *p != L'\t') {
            ++p;
        }
    }
    while (*p == L' ' || *p == L'\t') {
        ++p;
    }
    return p;
}

std::wstring AbsolutePath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) {
        return path;
    }
    std::wstring full(n, L'\0');
    DWORD written = GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
    if (written == 0 || written >= n) {
        return path;
    }
    full.resize(written);
    return full;
}

bool TakePath(AppContext* context, const std::wstring& path, std::string* cp932,
              Refusals* refusals) {
    if (platform::FromNative(path, cp932)) {
        return true;
    }
    // Shown only: the characters without a cp932 form appear as "?".
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, path.c_str(),
                                static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
    std::string shown(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, path.c_str(), static_cast<int>(path.size()),
                            &shown[0], n, nullptr, nullptr);
    }
    refusals->Refuse(context->mainWindow, shown, texts::kReasonNoCp932,
                     texts::Fill(texts::kAddNoCp932, {shown}));
    return false;
}
