#include "ui/incoming_paths.h"

#include <windows.h>

#include "platform/text.h"

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

bool TakePath(const std::wstring& path, std::string* held) {
    return platform::FromNative(path, held) && !held->empty();
}
