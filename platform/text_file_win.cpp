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

WriteFailure FailureOf(DWORD error) {
    switch (error) {
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return WriteFailure::FolderMissing;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return WriteFailure::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return WriteFailure::InUse;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return WriteFailure::DiskFull;
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY:
            return WriteFailure::BadName;
        default:
            return WriteFailure::Other;
    }
}

bool Fail(WriteFailure failure, WriteFailure* why) {
    if (why) {
        *why = failure;
    }
    return false;
}

// ERROR_SUCCESS when every byte is written (and on the disk, if forced), else the error.
DWORD WriteBytes(const std::wstring& native, const std::string& bytes, bool force) {
    HANDLE file = CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    DWORD error = ERROR_SUCCESS;
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t chunk = bytes.size() - done < 0x100000 ? bytes.size() - done : 0x100000;
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(chunk), &written, nullptr)) {
            error = GetLastError();
            break;
        }
        if (written == 0) {
            error = ERROR_DISK_FULL;
            break;
        }
        done += written;
    }
    if (force && error == ERROR_SUCCESS && !FlushFileBuffers(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    return error;
}

}  // namespace

bool WriteWholeFile(const std::string& path, const std::string& bytes, WriteFailure* why) {
    if (why) {
        *why = WriteFailure::None;
    }
    std::wstring native;
    if (!ToNativePath(path, &native)) {
        return Fail(WriteFailure::BadName, why);
    }
    const DWORD error = WriteBytes(native, bytes, false);
    return error == ERROR_SUCCESS || Fail(FailureOf(error), why);
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
    std::wstring native;
    std::wstring aside;
    if (!ToNativePath(path, &native) || !ToNativePath(path + ".new", &aside)) {
        return false;
    }
    if (WriteBytes(aside, bytes, true) != ERROR_SUCCESS ||
        !MoveFileExW(aside.c_str(), native.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(aside.c_str());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, std::size_t room) {
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
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        bytes->reserve(static_cast<std::size_t>(size.QuadPart) + room);
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
