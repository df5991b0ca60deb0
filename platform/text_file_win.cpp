// Through the wide-character functions, so that a path with characters that the system's ANSI
// code page lacks still names exactly the file it says.

#include <windows.h>

#include "platform/text.h"
#include "platform/text_file.h"

namespace platform {
namespace {

// A NUL inside would cut the path short and name another file.
bool ToNativePath(const std::string& path, std::wstring* out) {
    return !path.empty() && ToNative(path, out) && out->find(L'\0') == std::wstring::npos;
}

}  // namespace

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::wstring native;
    if (!ToNativePath(path, &native)) {
        return false;
    }
    HANDLE file = CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t chunk = bytes.size() - done < 0x100000 ? bytes.size() - done : 0x100000;
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(chunk), &written, nullptr) ||
            written == 0) {
            ok = false;
            break;
        }
        done += written;
    }
    return CloseHandle(file) && ok;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    bytes->clear();
    std::wstring native;
    if (!ToNativePath(path, &native)) {
        return false;
    }
    // The editor may still hold the file open.
    HANDLE file = CreateFileW(native.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        bytes->append(buffer, got);
    }
    CloseHandle(file);
    if (!ok) {
        bytes->clear();
    }
    return ok;
}

}  // namespace platform
