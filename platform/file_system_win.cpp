// The file system through the wide-character functions. The ANSI functions would best-fit names
// that cp932 cannot hold ("café.txt" listed as "cafe.txt"), and a rename by such a name can reach
// a different, real file; converting exactly ourselves refuses those names instead.

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace platform {

namespace {

// From this length on a folder no longer takes a short name below it without the long form.
constexpr std::size_t kLongPath = MAX_PATH - 12;

// A path as the W functions take it. A NUL inside would cut the path short and name another item.
// A long path gets the "\\?\" form, which lifts the MAX_PATH limit and takes the path literally:
// backslashes only (ours are full paths built from folder and name, without "." or "..").
bool ToNativePath(const std::string& path, std::wstring* out) {
    if (path.empty() || !ToNative(path, out) || out->find(L'\0') != std::wstring::npos) {
        return false;
    }
    if (out->size() >= kLongPath) {
        std::replace(out->begin(), out->end(), L'/', L'\\');
        if (out->size() > 2 && (*out)[1] == L':' && (*out)[2] == L'\\') {
            out->insert(0, L"\\\\?\\");
        } else if (out->compare(0, 2, L"\\\\") == 0 && out->compare(0, 4, L"\\\\?\\") != 0) {
            out->replace(0, 2, L"\\\\?\\UNC\\");
        }
    }
    return true;
}

struct ErrorRange {
    DWORD first;
    DWORD last;
    MoveResult result;
};

// The classes the standard rename would give, except that an existing target counts as refused.
// Codes not listed mean a name the system could not take (123, 87, ...).
constexpr ErrorRange kMoveErrors[] = {
    {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, MoveResult::NotFound},              // 2-3
    {ERROR_INVALID_DRIVE, ERROR_INVALID_DRIVE, MoveResult::NotFound},                // 15
    {ERROR_NO_MORE_FILES, ERROR_NO_MORE_FILES, MoveResult::NotFound},                // 18
    {ERROR_BAD_NETPATH, ERROR_BAD_NETPATH, MoveResult::NotFound},                    // 53
    {ERROR_BAD_NET_NAME, ERROR_BAD_NET_NAME, MoveResult::NotFound},                  // 67
    {ERROR_BAD_PATHNAME, ERROR_BAD_PATHNAME, MoveResult::NotFound},                  // 161
    {ERROR_FILENAME_EXCED_RANGE, ERROR_FILENAME_EXCED_RANGE, MoveResult::NotFound},  // 206

    {ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, MoveResult::AccessDenied},          // 5
    {ERROR_CURRENT_DIRECTORY, ERROR_CURRENT_DIRECTORY, MoveResult::AccessDenied},  // 16
    // Write protection, sharing and lock violations.
    {ERROR_WRITE_PROTECT, ERROR_SHARING_BUFFER_EXCEEDED, MoveResult::AccessDenied},        // 19-36
    {ERROR_NETWORK_ACCESS_DENIED, ERROR_NETWORK_ACCESS_DENIED, MoveResult::AccessDenied},  // 65
    {ERROR_FILE_EXISTS, ERROR_FILE_EXISTS, MoveResult::AccessDenied},                      // 80
    {ERROR_CANNOT_MAKE, ERROR_CANNOT_MAKE, MoveResult::AccessDenied},                      // 82
    {ERROR_DRIVE_LOCKED, ERROR_DRIVE_LOCKED, MoveResult::AccessDenied},                    // 108
    {ERROR_ALREADY_EXISTS, ERROR_ALREADY_EXISTS, MoveResult::AccessDenied},                // 183

    // Failures with a meaning of their own: resources, another drive, a folder not empty.
    {ERROR_TOO_MANY_OPEN_FILES, ERROR_TOO_MANY_OPEN_FILES, MoveResult::Other},  // 4
    {ERROR_NOT_ENOUGH_MEMORY, ERROR_NOT_ENOUGH_MEMORY, MoveResult::Other},      // 8
    {ERROR_OUTOFMEMORY, ERROR_OUTOFMEMORY, MoveResult::Other},                  // 14
    {ERROR_NOT_SAME_DEVICE, ERROR_NOT_SAME_DEVICE, MoveResult::Other},          // 17
    {ERROR_HANDLE_DISK_FULL, ERROR_HANDLE_DISK_FULL, MoveResult::Other},        // 39
    {ERROR_DISK_FULL, ERROR_DISK_FULL, MoveResult::Other},                      // 112
    {ERROR_DIR_NOT_EMPTY, ERROR_DIR_NOT_EMPTY, MoveResult::Other},              // 145
    {ERROR_NOT_ENOUGH_QUOTA, ERROR_NOT_ENOUGH_QUOTA, MoveResult::Other},        // 1816
};

MoveResult ClassifyMoveError(DWORD error) {
    for (const ErrorRange& range : kMoveErrors) {
        if (error >= range.first && error <= range.last) {
            return range.result;
        }
    }
    return MoveResult::InvalidName;
}

// Characters that FindFirstFile takes as wildcards ("<", ">" and '"' are the DOS forms).
bool HasWildcard(const std::wstring& path) {
    return path.find_first_of(L"*?<>\"") != std::wstring::npos;
}

}  // namespace

void PauseBeforeRetry(unsigned milliseconds) {
    Sleep(milliseconds);
}

bool RootsNeedADrive() {
    return true;
}

MoveResult MovePath(const std::string& from, const std::string& to) {
    std::wstring nativeFrom;
    std::wstring nativeTo;
    if (!ToNativePath(from, &nativeFrom) || !ToNativePath(to, &nativeTo)) {
        return MoveResult::InvalidName;
    }
    // No MOVEFILE_REPLACE_EXISTING: an existing target makes the move fail.
    if (MoveFileW(nativeFrom.c_str(), nativeTo.c_str())) {
        return MoveResult::Done;
    }
    return ClassifyMoveError(GetLastError());
}

bool PathExists(const std::string& path) {
    std::wstring native;
    if (!ToNativePath(path, &native)) {
        return true;
    }
    if (GetFileAttributesW(native.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    // Something locked or in a folder we may not read may still be there.
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

bool IsDirectory(const std::string& path) {
    std::wstring native;
    if (!ToNativePath(path, &native)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(native.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {

constexpr std::size_t kIdentityNumbers = 8;
using IdentityNumbers = std::array<DWORD, kIdentityNumbers>;

// What of FileIdentity's numbers the item's volume keeps across a rename.
struct Kept {
    bool numbers = true;
    bool births = true;
};

// FAT and exFAT number an item by its directory entry, which a longer name may move; Wine gives
// a file's last write as its creation time. Asked once per volume.
std::mutex volumesLock;
std::map<DWORD, bool> numberedVolumes;

bool RunsUnderWine() {
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// What a volume asked about before keeps; false when it was not asked about.
bool KnownVolumeKeeps(DWORD serial, Kept* kept) {
    const std::lock_guard<std::mutex> hold(volumesLock);
    const auto found = numberedVolumes.find(serial);
    if (found == numberedVolumes.end()) {
        return false;
    }
    kept->numbers = found->second;
    kept->births = !RunsUnderWine();
    return true;
}

void VolumeKeeps(HANDLE item, DWORD serial, Kept* kept) {
    if (KnownVolumeKeeps(serial, kept)) {
        return;
    }
    kept->births = !RunsUnderWine();
    wchar_t system[MAX_PATH + 1] = {};
    if (!GetVolumeInformationByHandleW(item, nullptr, 0, nullptr, nullptr, nullptr, system,
                                       MAX_PATH + 1)) {
        // Not known: judged as the stricter kind, without caching a guess.
        kept->numbers = false;
        return;
    }
    kept->numbers = _wcsnicmp(system, L"FAT", 3) != 0 && _wcsicmp(system, L"exFAT") != 0;
    const std::lock_guard<std::mutex> hold(volumesLock);
    numberedVolumes.emplace(serial, kept->numbers);
}

// A deleted file's number may be given to the next file made (NTFS adds a sequence number,
// Wine does not): the creation time tells them apart, and for files the size and the last
// write, which a rename leaves as they are. A folder's last write changes with its contents.
IdentityNumbers NumbersOf(DWORD volume, DWORD indexHigh, DWORD indexLow, FILETIME created,
                          FILETIME written, DWORD sizeHigh, DWORD sizeLow, bool folder) {
    return {volume,
            indexHigh,
            indexLow,
            created.dwLowDateTime,
            created.dwHighDateTime,
            folder ? 0 : written.dwLowDateTime,
            folder ? 0 : written.dwHighDateTime,
            folder ? 0 : sizeLow ^ sizeHigh};
}

bool ReadIdentity(const std::string& path, IdentityNumbers* numbers, Kept* kept) {
    std::wstring native;
    if (!ToNativePath(path, &native)) {
        return false;
    }
    // Attributes only: a file another program holds without sharing still answers.
    HANDLE file =
        CreateFileW(native.c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info;
    const bool got = GetFileInformationByHandle(file, &info) != 0;
    if (got && kept != nullptr) {
        VolumeKeeps(file, info.dwVolumeSerialNumber, kept);
    }
    CloseHandle(file);
    if (!got) {
        return false;
    }
    *numbers =
        NumbersOf(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
                  info.ftCreationTime, info.ftLastWriteTime, info.nFileSizeHigh, info.nFileSizeLow,
                  (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    return true;
}

std::string BytesOf(const IdentityNumbers& numbers) {
    return std::string(reinterpret_cast<const char*>(numbers.data()),
                       numbers.size() * sizeof(DWORD));
}

}  // namespace

std::string FileIdentity(const std::string& path) {
    IdentityNumbers numbers;
    return ReadIdentity(path, &numbers, nullptr) ? BytesOf(numbers) : std::string();
}

namespace {

// Judged by what the volume keeps: without either of number and birth, an item is known by
// nothing of its own (a folder by nothing at all, a file by its size and last write, which two
// photos of one camera may share).
bool Judge(const IdentityNumbers& now, const IdentityNumbers& then, const Kept& kept) {
    if (!kept.numbers && !kept.births) {
        return false;
    }
    const auto same = [&](std::size_t from, std::size_t to) {
        return std::equal(now.begin() + from, now.begin() + to, then.begin() + from);
    };
    return same(0, 1) && (!kept.numbers || same(1, 3)) && (!kept.births || same(3, 5)) &&
           same(5, 8);
}

bool Numbers(const std::string& bytes, IdentityNumbers* numbers) {
    if (bytes.size() != numbers->size() * sizeof(DWORD)) {
        return false;
    }
    std::memcpy(numbers->data(), bytes.data(), bytes.size());
    return true;
}

}  // namespace

bool HoldsItem(const std::string& path, const std::string& identity) {
    IdentityNumbers now;
    IdentityNumbers then;
    Kept kept;
    return Numbers(identity, &then) && ReadIdentity(path, &now, &kept) && Judge(now, then, kept);
}

bool SameItem(const std::string& now, const std::string& recorded, const std::string& path) {
    IdentityNumbers nowNumbers;
    IdentityNumbers then;
    if (!Numbers(now, &nowNumbers) || !Numbers(recorded, &then)) {
        return false;
    }
    Kept kept;
    if (!KnownVolumeKeeps(nowNumbers[0], &kept)) {
        // The volume not asked about yet: once, through the item itself.
        IdentityNumbers again;
        if (!ReadIdentity(path, &again, &kept)) {
            return false;
        }
    }
    return Judge(nowNumbers, then, kept);
}

std::string NameOnDisk(const std::string& path) {
    std::wstring native;
    if (!ToNativePath(path, &native) || HasWildcard(native)) {
        return "";
    }
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(native.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return "";
    }
    FindClose(find);
    std::string name;
    if (!FromNative(data.cFileName, &name)) {
        return "";
    }
    return name;
}

namespace {

// Letters folded as the file system compares names, as the bytes of the UTF-16 text.
std::string FoldedKey(const std::wstring& name) {
    std::wstring upper(name.size(), L'\0');
    if (!name.empty() &&
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, name.data(), static_cast<int>(name.size()),
                     &upper[0], static_cast<int>(upper.size())) == 0) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(upper.data()), upper.size() * sizeof(wchar_t));
}

}  // namespace

std::string CaseFoldKey(const std::string& text) {
    std::wstring native;
    if (!ToNative(text, &native)) {
        return '\x01' + text;
    }
    return FoldedKey(native);
}

std::string NameKey(const std::string& name) {
    std::wstring native;
    if (!ToNative(name, &native) || native.empty() || native.find(L'\0') != std::wstring::npos ||
        native.back() == L'.' || native.back() == L' ' ||
        native.find_first_of(L"~*?<>\"/\\:|") != std::wstring::npos) {
        return std::string();
    }
    return FoldedKey(native);
}

std::string ListedNameKey(const std::string& name) {
    std::wstring native;
    return ToNative(name, &native) ? FoldedKey(native) : std::string();
}

namespace {

// The names and identities of a folder's items in one read of the folder, the numbers exactly as
// FileIdentity puts them.
bool FolderIdentities(const std::string& folder, KeyHashes* keys, IdentitiesByHash* identities) {
    std::wstring native;
    if (!ToNativePath(folder, &native)) {
        return false;
    }
    HANDLE dir = CreateFileW(native.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (dir == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION self;
    bool complete = GetFileInformationByHandle(dir, &self) != 0;
    std::vector<LONGLONG> buffer(8192);  // 64 KiB, aligned as the entries need
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    while (complete) {
        if (!GetFileInformationByHandleEx(dir, kind, buffer.data(),
                                          static_cast<DWORD>(buffer.size() * sizeof(LONGLONG)))) {
            complete = GetLastError() == ERROR_NO_MORE_FILES;
            break;
        }
        kind = FileIdBothDirectoryInfo;
        const char* at = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const auto* e = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const std::uint64_t key =
                KeyHash(FoldedKey(std::wstring(e->FileName, e->FileNameLength / sizeof(wchar_t))));
            keys->insert(key);
            const bool isFolder = (e->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            const IdentityNumbers numbers = NumbersOf(
                self.dwVolumeSerialNumber, static_cast<DWORD>(e->FileId.HighPart),
                e->FileId.LowPart,
                {e->CreationTime.LowPart, static_cast<DWORD>(e->CreationTime.HighPart)},
                {e->LastWriteTime.LowPart, static_cast<DWORD>(e->LastWriteTime.HighPart)},
                static_cast<DWORD>(e->EndOfFile.HighPart), e->EndOfFile.LowPart, isFolder);
            const auto entry = identities->emplace(key, BytesOf(numbers));
            if (!entry.second) {
                entry.first->second.clear();
            }
            if (e->NextEntryOffset == 0) {
                break;
            }
            at += e->NextEntryOffset;
        }
    }
    CloseHandle(dir);
    if (!complete) {
        identities->clear();
    }
    return complete;
}

}  // namespace

namespace {

std::uint64_t WideHash(const std::wstring& name) {
    return KeyHash(std::string_view(reinterpret_cast<const char*>(name.data()),
                                    name.size() * sizeof(wchar_t)));
}

// Calls each with every item a folder's listing gives; false when it cannot be read whole.
template <typename F>
bool EachListed(const std::string& folder, F each) {
    std::wstring pattern;
    if (!ToNativePath(folder + "*", &pattern)) {
        return false;
    }
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        return false;
    }
    do {
        each(found);
    } while (FindNextFileW(find, &found));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return complete;
}

}  // namespace

bool FolderNameKeys(const std::string& folder, KeyHashes* keys, IdentitiesByHash* identities) {
    if (identities && FolderIdentities(folder, keys, identities)) {
        return true;
    }
    keys->clear();
    return EachListed(folder, [&](const WIN32_FIND_DATAW& found) {
        keys->insert(KeyHash(FoldedKey(found.cFileName)));
    });
}

bool FolderItemKinds(const std::string& folder, std::vector<std::uint64_t>* files,
                     std::vector<std::uint64_t>* folders) {
    const bool complete = EachListed(folder, [&](const WIN32_FIND_DATAW& found) {
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        (isFolder ? folders : files)->push_back(WideHash(found.cFileName));
    });
    std::sort(files->begin(), files->end());
    std::sort(folders->begin(), folders->end());
    return complete;
}

bool ExactNameHash(const std::string& name, std::uint64_t* hash) {
    std::wstring native;
    if (!ToNative(name, &native)) {
        return false;
    }
    *hash = WideHash(native);
    return true;
}

}  // namespace platform
