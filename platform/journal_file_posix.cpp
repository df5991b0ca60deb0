// The journal file on POSIX: held with an exclusive lock, written with write(2), forced with
// fsync(2) (and the folder too, so that the new name itself is on the disk).

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_faults.h"
#include "platform/journal_file.h"
#include "platform/text.h"

namespace platform {
namespace {

bool Native(const std::string& path, std::string* native) {
    return path.find('\0') == std::string::npos && ToNative(path, native) && !native->empty();
}

JournalOpen Hold(int fd, JournalFile* file) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? JournalOpen::Busy : JournalOpen::Failed;
    }
    file->handle = fd;
    return JournalOpen::Opened;
}

void ForceFolderOf(const std::string& native) {
    const std::string::size_type slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

JournalOpen CreateJournal(const std::string& path, JournalFile* file) {
    std::string native;
    if (!Native(path, &native)) {
        return JournalOpen::Failed;
    }
    const int fd = open(native.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST ? JournalOpen::Missing : JournalOpen::Failed;
    }
    const JournalOpen result = Hold(fd, file);
    if (result == JournalOpen::Opened) {
        file->path = path;
        ForceFolderOf(native);
    }
    return result;
}

JournalOpen OpenJournal(const std::string& path, JournalFile* file) {
    std::string native;
    if (!Native(path, &native)) {
        return JournalOpen::Failed;
    }
    const int fd = open(native.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? JournalOpen::Missing : JournalOpen::Failed;
    }
    const JournalOpen result = Hold(fd, file);
    if (result == JournalOpen::Opened) {
        file->path = path;
    }
    return result;
}

bool AppendToJournal(JournalFile* file, const std::string& bytes) {
    const int fd = static_cast<int>(file->handle);
    std::size_t size = bytes.size();
    if (faults::CrashesHere()) {
        size /= 2;  // torn: the crash came in the middle of the write
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, bytes.data() + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (size != bytes.size()) {
        _exit(faults::kCrashCode);
    }
    return true;
}

bool ForceJournal(JournalFile* file) {
    return fdatasync(static_cast<int>(file->handle)) == 0;
}

std::int64_t JournalBegun(const JournalFile* file) {
    struct statx status;
    if (statx(static_cast<int>(file->handle), "", AT_EMPTY_PATH, STATX_BTIME | STATX_MTIME,
              &status) != 0) {
        return 0;
    }
    const struct statx_timestamp& when =
        (status.stx_mask & STATX_BTIME) != 0 ? status.stx_btime : status.stx_mtime;
    return static_cast<std::int64_t>(when.tv_sec) * 1000000000 + when.tv_nsec;
}

bool ReadJournal(JournalFile* file, std::string* bytes) {
    const int fd = static_cast<int>(file->handle);
    bytes->clear();
    if (lseek(fd, 0, SEEK_SET) != 0) {
        return false;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return lseek(fd, 0, SEEK_END) >= 0;
        }
        bytes->append(buffer, static_cast<std::size_t>(n));
    }
}

bool RemoveJournal(JournalFile* file) {
    if (faults::CrashesHere()) {
        _exit(faults::kCrashCode);
    }
    // Unlinked while still held, so no other process finds it unlocked in between.
    std::string native;
    const bool removed = Native(file->path, &native) && unlink(native.c_str()) == 0;
    CloseJournal(file);
    return removed;
}

void CloseJournal(JournalFile* file) {
    if (file->IsOpen()) {
        close(static_cast<int>(file->handle));
        file->handle = -1;
    }
}

}  // namespace platform
