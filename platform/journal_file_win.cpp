// The journal file on Win32: opened without sharing, forced with FlushFileBuffers, and removed by
// marking the open handle for deletion, so that no other process can open it in between.

#include <windows.h>

#include <algorithm>

#include "platform/journal_file.h"
#include "platform/text.h"

namespace platform {
namespace {

HANDLE Handle(const JournalFile* file) {
    return reinterpret_cast<HANDLE>(file->handle);
}

JournalOpen Open(const std::string& path, DWORD disposition, JournalFile* file) {
    std::wstring native;
    if (path.empty() || !ToNative(path, &native) || native.find(L'\0') != std::wstring::npos) {
        return JournalOpen::Failed;
    }
    HANDLE handle = CreateFileW(native.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        switch (GetLastError()) {
            case ERROR_FILE_EXISTS:
            case ERROR_ALREADY_EXISTS:
            case ERROR_FILE_NOT_FOUND:
                return JournalOpen::Missing;
            case ERROR_SHARING_VIOLATION:
            case ERROR_LOCK_VIOLATION:
                return JournalOpen::Busy;
            case ERROR_ACCESS_DENIED: {
                // A journal whose removal is under way is refused like this; a read-only file
                // too, which no wait will change.
                const DWORD attributes = GetFileAttributesW(native.c_str());
                const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES &&
                                      (attributes & FILE_ATTRIBUTE_READONLY) != 0;
                return disposition == OPEN_EXISTING && !readOnly ? JournalOpen::Busy
                                                                 : JournalOpen::Failed;
            }
            default:
                return JournalOpen::Failed;
        }
    }
    file->handle = reinterpret_cast<std::intptr_t>(handle);
    file->path = path;
    return JournalOpen::Opened;
}

}  // namespace

JournalOpen CreateJournal(const std::string& path, JournalFile* file) {
    const JournalOpen opened = Open(path, CREATE_NEW, file);
    if (opened == JournalOpen::Opened) {
        // A file made within seconds of the removal of one of its name gets that one's creation
        // time (tunnelling): the journal is made now, which orders the journals left over.
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        SetFileTime(Handle(file), &now, nullptr, nullptr);
    }
    return opened;
}

JournalOpen OpenJournal(const std::string& path, JournalFile* file) {
    return Open(path, OPEN_EXISTING, file);
}

bool AppendToJournal(JournalFile* file, const std::string& bytes) {
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(Handle(file), zero, nullptr, FILE_END)) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(Handle(file), bytes.data() + done, chunk, &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

bool ForceJournal(JournalFile* file) {
    return FlushFileBuffers(Handle(file)) != 0;
}

std::int64_t JournalBegun(const JournalFile* file) {
    FILETIME made = {};
    if (!GetFileTime(Handle(file), &made, nullptr, nullptr)) {
        return 0;
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(made.dwHighDateTime) << 32) |
                                     made.dwLowDateTime);
}

bool ReadJournal(JournalFile* file, std::string* bytes) {
    bytes->clear();
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(Handle(file), zero, nullptr, FILE_BEGIN)) {
        return false;
    }
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(Handle(file), buffer, sizeof buffer, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes->append(buffer, got);
    }
}

bool RemoveJournal(JournalFile* file) {
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    const bool removed = SetFileInformationByHandle(Handle(file), FileDispositionInfo, &disposition,
                                                    sizeof disposition) != 0;
    CloseJournal(file);
    return removed;
}

void CloseJournal(JournalFile* file) {
    if (file->IsOpen()) {
        CloseHandle(Handle(file));
        file->handle = -1;
    }
}

}  // namespace platform
