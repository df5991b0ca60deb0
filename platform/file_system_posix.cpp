// The file system on POSIX, for the native build and its tests: paths are cp932 converted to
// UTF-8, and a rename never replaces its target.

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace platform {

namespace faults {
namespace {
unsigned operations = 0;
unsigned moves = 0;
unsigned crashAt = ~0u;
unsigned failAt = ~0u;
MoveResult failure = MoveResult::Done;
bool caseIgnored = false;
}  // namespace

void IgnoreCaseChanges() {
    caseIgnored = true;
}

bool IgnoresCaseChanges() {
    return caseIgnored;
}

void FailMove(unsigned move, MoveResult result) {
    Clear();
    failAt = move;
    failure = result;
}

void CrashAt(unsigned operation) {
    Clear();
    crashAt = operation;
}

void Clear() {
    operations = moves = 0;
    crashAt = failAt = ~0u;
    caseIgnored = false;
}

unsigned Operations() {
    return operations;
}

bool CrashesHere() {
    return operations++ == crashAt;
}

bool MoveFails(MoveResult* result) {
    *result = failure;
    return moves++ == failAt;
}

}  // namespace faults

namespace {

MoveResult FromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return MoveResult::NotFound;
        case EACCES:
        case EPERM:
        case EBUSY:
        case EROFS:
        case EEXIST:
        case ENOTEMPTY:
        case ETXTBSY:
            return MoveResult::AccessDenied;
        case EINVAL:
        case ENAMETOOLONG:
        case EILSEQ:
            return MoveResult::InvalidName;
        default:
            return MoveResult::Other;
    }
}

// A NUL inside would cut the path short and name another file.
std::string Utf8(const std::string& path, bool* ok) {
    std::string native;
    *ok = path.find('\0') == std::string::npos && ToNative(path, &native);
    return native;
}

}  // namespace

MoveResult MovePath(const std::string& from, const std::string& to) {
    bool okFrom = false;
    bool okTo = false;
    std::string nativeFrom = Utf8(from, &okFrom);
    std::string nativeTo = Utf8(to, &okTo);
    if (!okFrom || !okTo) {
        return MoveResult::InvalidName;
    }
    if (faults::CrashesHere()) {
        _exit(faults::kCrashCode);
    }
    MoveResult injected;
    if (faults::MoveFails(&injected)) {
        return injected;
    }
    if (faults::IgnoresCaseChanges() && from != to && strcasecmp(from.c_str(), to.c_str()) == 0) {
        return MoveResult::Done;
    }
    if (renameat2(AT_FDCWD, nativeFrom.c_str(), AT_FDCWD, nativeTo.c_str(), RENAME_NOREPLACE) ==
        0) {
        return MoveResult::Done;
    }
    return FromErrno(errno);
}

bool PathExists(const std::string& path) {
    bool ok = false;
    std::string native = Utf8(path, &ok);
    struct stat st;
    return !ok || lstat(native.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    bool ok = false;
    std::string native = Utf8(path, &ok);
    struct stat st;
    return ok && stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FileIdentity(const std::string& path) {
    bool ok = false;
    std::string native = Utf8(path, &ok);
    struct stat st;
    if (!ok || lstat(native.c_str(), &st) != 0) {
        return "";
    }
    const unsigned long long numbers[2] = {static_cast<unsigned long long>(st.st_dev),
                                           static_cast<unsigned long long>(st.st_ino)};
    return std::string(reinterpret_cast<const char*>(numbers), sizeof numbers);
}

std::string NameKey(const std::string& name) {
    bool ok = false;
    std::string native = Utf8(name, &ok);
    return ok ? native : std::string();
}

std::string ListedNameKey(const std::string& name) {
    return NameKey(name);
}

bool FolderNameKeys(const std::string& folder, std::unordered_set<std::string>* keys) {
    bool ok = false;
    std::string native = Utf8(folder, &ok);
    DIR* dir = ok ? opendir(native.c_str()) : nullptr;
    if (!dir) {
        return false;
    }
    while (dirent* e = readdir(dir)) {
        keys->insert(e->d_name);
    }
    closedir(dir);
    return true;
}

std::string NameOnDisk(const std::string& path) {
    bool ok = false;
    std::string native = Utf8(path, &ok);
    struct stat st;
    if (!ok || lstat(native.c_str(), &st) != 0) {
        return "";
    }
    std::string::size_type slash = native.rfind('/');
    std::string folder = slash == std::string::npos ? "." : native.substr(0, slash);
    std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    if (folder.empty()) {
        folder = "/";
    }
    // On a case-insensitive file system the stored name may differ from the asked one in case:
    // find the directory entry that is this very item.
    std::string found;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* e = readdir(dir)) {
            if (strcasecmp(e->d_name, name.c_str()) != 0) {
                continue;
            }
            struct stat other;
            if (lstat((folder + "/" + e->d_name).c_str(), &other) == 0 &&
                other.st_ino == st.st_ino && other.st_dev == st.st_dev) {
                found = e->d_name;
                if (found == name) {
                    break;
                }
            }
        }
        closedir(dir);
    }
    std::string cp932;
    return FromNative(found, &cp932) ? cp932 : "";
}

}  // namespace platform
