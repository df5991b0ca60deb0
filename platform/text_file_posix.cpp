#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text.h"
#include "platform/text_file.h"

namespace platform {
namespace {

WriteFailure FailureOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return WriteFailure::FolderMissing;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return WriteFailure::AccessDenied;
        case ETXTBSY:
        case EBUSY:
            return WriteFailure::InUse;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return WriteFailure::DiskFull;
        case ENAMETOOLONG:
        case EILSEQ:
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

// 0 when every byte is written (and on the disk, if forced), else the error.
int WriteBytes(const std::string& native, const std::string& bytes, bool force) {
    const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (force && error == 0 && fsync(fd) != 0) {
        error = errno;
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

}  // namespace

bool WriteWholeFile(const std::string& path, const std::string& bytes, WriteFailure* why) {
    if (why) {
        *why = WriteFailure::None;
    }
    std::string native;
    if (!ToNative(path, &native) || native.empty()) {
        return Fail(WriteFailure::BadName, why);
    }
    const int error = WriteBytes(native, bytes, false);
    return error == 0 || Fail(FailureOf(error), why);
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
    std::string native;
    std::string aside;
    if (!ToNative(path, &native) || native.empty() || !ToNative(path + ".new", &aside)) {
        return false;
    }
    if (WriteBytes(aside, bytes, true) != 0 || rename(aside.c_str(), native.c_str()) != 0) {
        unlink(aside.c_str());
        return false;
    }
    // The new name itself on the disk too.
    const std::string::size_type slash = native.rfind('/');
    const int folder = open(slash == std::string::npos ? "." : native.substr(0, slash + 1).c_str(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, std::size_t room) {
    bytes->clear();
    std::string native;
    if (!ToNative(path, &native) || native.empty()) {
        return false;
    }
    const int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) == 0 && st.st_size > 0) {
        bytes->reserve(static_cast<std::size_t>(st.st_size) + room);
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) {
            break;
        }
        bytes->append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    if (!ok) {
        bytes->clear();
    }
    return ok;
}

}  // namespace platform
