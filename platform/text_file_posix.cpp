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

}  // namespace

bool WriteWholeFile(const std::string& path, const std::string& bytes, WriteFailure* why) {
    if (why) {
        *why = WriteFailure::None;
    }
    std::string native;
    if (!ToNative(path, &native) || native.empty()) {
        return Fail(WriteFailure::BadName, why);
    }
    const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Fail(FailureOf(errno), why);
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
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 || Fail(FailureOf(error), why);
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
