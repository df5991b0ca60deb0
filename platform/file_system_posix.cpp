// The file system on POSIX, for the native build and its tests: paths are cp932 converted to
// UTF-8, and a rename never replaces its target.

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <locale.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwctype>

#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/key_hash.h"
#include "platform/text.h"
#include "platform/utf8.h"

namespace platform {

namespace {
// The file systems that number an item by its directory entry.
constexpr long kMsdosMagic = 0x4d44;
constexpr long kExfatMagic = 0x2011BAB0;
}  // namespace

namespace faults {
namespace {
unsigned operations = 0;
unsigned moves = 0;
unsigned crashAt = ~0u;
unsigned failAt = ~0u;
unsigned failCount = 0;
MoveResult failure = MoveResult::Done;
bool caseIgnored = false;
bool renumbered = false;
bool unborn = false;
}  // namespace

void RenumberOnRename() {
    renumbered = true;
}

bool RenumbersOnRename() {
    return renumbered;
}

void NoBirthTimes() {
    unborn = true;
}

bool HasNoBirthTimes() {
    return unborn;
}

void IgnoreCaseChanges() {
    caseIgnored = true;
}

bool IgnoresCaseChanges() {
    return caseIgnored;
}

void FailMove(unsigned move, MoveResult result, unsigned count) {
    Clear();
    failAt = move;
    failCount = count;
    failure = result;
}

void CrashAt(unsigned operation) {
    Clear();
    crashAt = operation;
}

void Clear() {
    operations = moves = 0;
    crashAt = failAt = ~0u;
    caseIgnored = renumbered = unborn = false;
}

unsigned Operations() {
    return operations;
}

bool CrashesHere() {
    return operations++ == crashAt;
}

bool MoveFails(MoveResult* result) {
    *result = failure;
    const unsigned move = moves++;
    return move >= failAt && move - failAt < failCount;
}

bool FailsMoves() {
    return failAt != ~0u;
}

}  // namespace faults

void PauseBeforeRetry(unsigned milliseconds) {
    if (!faults::FailsMoves()) {
        usleep(static_cast<useconds_t>(milliseconds) * 1000);
    }
}

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

bool RootsNeedADrive() {
    return false;
}

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

namespace {

constexpr std::size_t kIdentityNumbers = 7;
using IdentityNumbers = unsigned long long[kIdentityNumbers];

// What of FileIdentity's numbers the item's volume keeps across a rename.
struct Kept {
    bool numbers = true;
    bool births = true;
};

// The numbers of FileIdentity and what of them a rename keeps. False when the item cannot be
// read.
bool ReadIdentity(const std::string& path, IdentityNumbers numbers, Kept* kept) {
    bool ok = false;
    std::string native = Utf8(path, &ok);
    struct statx st;
    if (!ok || statx(AT_FDCWD, native.c_str(), AT_SYMLINK_NOFOLLOW,
                     STATX_INO | STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &st) != 0) {
        return false;
    }
    struct statfs volume;
    const bool fat = statfs(native.c_str(), &volume) == 0 &&
                     (volume.f_type == kMsdosMagic || volume.f_type == kExfatMagic);
    kept->numbers = !fat && !faults::RenumbersOnRename();
    kept->births = (st.stx_mask & STATX_BTIME) != 0 && !faults::HasNoBirthTimes();
    const bool folder = S_ISDIR(st.stx_mode);
    unsigned long long number = st.stx_ino;
    if (faults::RenumbersOnRename()) {
        number ^= KeyHash(native);
    }
    const struct statx_timestamp born = faults::HasNoBirthTimes() ? st.stx_mtime : st.stx_btime;
    const bool hasBirth = (st.stx_mask & STATX_BTIME) != 0 || faults::HasNoBirthTimes();
    // ext4 gives a deleted file's number to the next file made: its birth (where the file system
    // keeps one) tells them apart, and for files the size and the last write, which a rename
    // leaves as they are. A folder's last write changes with its contents.
    const unsigned long long values[kIdentityNumbers] = {
        makedev(st.stx_dev_major, st.stx_dev_minor),
        number,
        hasBirth ? static_cast<unsigned long long>(born.tv_sec) : 0,
        hasBirth ? born.tv_nsec : 0,
        folder ? 0 : static_cast<unsigned long long>(st.stx_mtime.tv_sec),
        folder ? 0 : st.stx_mtime.tv_nsec,
        folder ? 0 : st.stx_size};
    std::memcpy(numbers, values, sizeof values);
    return true;
}

}  // namespace

std::string FileIdentity(const std::string& path) {
    IdentityNumbers numbers;
    Kept kept;
    if (!ReadIdentity(path, numbers, &kept)) {
        return "";
    }
    return std::string(reinterpret_cast<const char*>(numbers), sizeof numbers);
}

namespace {

// Judged by what the volume keeps: without either of number and birth, an item is known by
// nothing of its own (a folder by nothing at all, a file by its size and last write, which two
// photos of one camera may share).
bool Judge(const IdentityNumbers now, const IdentityNumbers then, const Kept& kept) {
    if (!kept.numbers && !kept.births) {
        return false;
    }
    return now[0] == then[0] && (!kept.numbers || now[1] == then[1]) &&
           (!kept.births || (now[2] == then[2] && now[3] == then[3])) && now[4] == then[4] &&
           now[5] == then[5] && now[6] == then[6];
}

bool Numbers(const std::string& bytes, IdentityNumbers numbers) {
    if (bytes.size() != sizeof(IdentityNumbers)) {
        return false;
    }
    std::memcpy(numbers, bytes.data(), bytes.size());
    return true;
}

}  // namespace

bool HoldsItem(const std::string& path, const std::string& identity) {
    IdentityNumbers now;
    IdentityNumbers then;
    Kept kept;
    return Numbers(identity, then) && ReadIdentity(path, now, &kept) && Judge(now, then, kept);
}

bool SameItem(const std::string& now, const std::string& recorded, const std::string& path) {
    IdentityNumbers nowNumbers;
    IdentityNumbers then;
    IdentityNumbers again;
    Kept kept;
    // What the volume keeps, through the item itself: cheap here.
    return Numbers(now, nowNumbers) && Numbers(recorded, then) &&
           ReadIdentity(path, again, &kept) && Judge(nowNumbers, then, kept);
}

namespace {

// One character from UTF-8 (valid, as the converter made it); its length in *size.
char32_t DecodeUtf8(const std::string& s, std::size_t i, std::size_t* size) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (i + n > s.size()) {
        *size = 1;
        return c;
    }
    char32_t value = n == 1 ? c : c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        value = (value << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    *size = n;
    return value;
}

// Upper case as Windows folds names: one character to one, full Unicode tables (C.UTF-8).
char32_t Upper(char32_t c) {
    if (c < 0x80) {
        return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
    }
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    return unicode ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicode)) : c;
}

}  // namespace

std::string CaseFoldKey(const std::string& text) {
    bool ok = false;
    const std::string native = Utf8(text, &ok);
    if (!ok) {
        return '\x01' + text;
    }
    std::string key;
    key.reserve(native.size());
    for (std::size_t i = 0, size = 1; i < native.size(); i += size) {
        AppendUtf8(&key, Upper(DecodeUtf8(native, i, &size)));
    }
    return key;
}

std::string NameKey(const std::string& name) {
    bool ok = false;
    std::string native = Utf8(name, &ok);
    return ok ? native : std::string();
}

std::string ListedNameKey(const std::string& name) {
    return NameKey(name);
}

namespace {

// Calls each with every entry of a folder; false when it cannot be opened.
template <typename F>
bool EachEntry(const std::string& folder, F each) {
    bool ok = false;
    std::string native = Utf8(folder, &ok);
    DIR* dir = ok ? opendir(native.c_str()) : nullptr;
    if (!dir) {
        return false;
    }
    while (dirent* e = readdir(dir)) {
        each(*e);
    }
    closedir(dir);
    return true;
}

}  // namespace

// The system gives no identities with the names: each moving item is looked at on its own, so a
// large folder where a few items move is not looked at whole.
bool FolderNameKeys(const std::string& folder, KeyHashes* keys, IdentitiesByHash*) {
    return EachEntry(folder, [&](const dirent& e) { keys->insert(KeyHash(e.d_name)); });
}

bool FolderItemKinds(const std::string& folder, std::vector<std::uint64_t>* files,
                     std::vector<std::uint64_t>* folders) {
    const bool read = EachEntry(folder, [&](const dirent& e) {
        // A link, or a file system that does not say: asked of the item itself.
        if (e.d_type == DT_REG) {
            files->push_back(KeyHash(e.d_name));
        } else if (e.d_type == DT_DIR) {
            folders->push_back(KeyHash(e.d_name));
        }
    });
    std::sort(files->begin(), files->end());
    std::sort(folders->begin(), folders->end());
    return read;
}

bool ExactNameHash(const std::string& name, std::uint64_t* hash) {
    bool ok = false;
    const std::string native = Utf8(name, &ok);
    *hash = KeyHash(native);
    return ok;
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
