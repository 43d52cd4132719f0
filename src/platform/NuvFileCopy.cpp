#include "platform/NuvFileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace kelvane {
namespace {

// Closes a descriptor when it leaves scope.
class FdGuard {
  public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a write error may show only here).
    bool Release() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

  private:
    int fd_;
};

// Moves every byte from `in` to `out`; copy_file_range first, plain reads and writes where
// the file systems do not support it. Returns 0 or the errno.
int CopyContents(int in, int out, off_t size) {
    off_t left = size;
    while (left > 0) {
        const ssize_t copied =
            copy_file_range(in, nullptr, out, nullptr, static_cast<std::size_t>(left), 0);
        if (copied < 0) {
            if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
                break;
            }
            return errno;
        }
        if (copied == 0) {
            break;  // the source shrank meanwhile, or the kernel declines; go on by hand
        }
        left -= copied;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = write(out, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errno;
            }
            done += put;
        }
    }
}

}  // namespace

PlatformStatus CopyFileOverwrite(const std::string& source, const std::string& target) {
    FdGuard in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0) {
        return StatusOfMissing(source, errno);
    }
    struct stat info {};
    if (fstat(in.Get(), &info) != 0) {
        return StatusFromErrno(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return {PlatformError::AccessDenied, EISDIR};
    }
    // A read-only target is not replaced, as on the platform this program was first made for.
    struct stat targetInfo {};
    if (stat(target.c_str(), &targetInfo) == 0) {
        if (targetInfo.st_dev == info.st_dev && targetInfo.st_ino == info.st_ino) {
            return {PlatformError::AccessDenied, EBUSY};  // copying a file onto itself
        }
        if (!S_ISREG(targetInfo.st_mode) || (targetInfo.st_mode & S_IWUSR) == 0) {
            return {PlatformError::AccessDenied, EACCES};
        }
    }
    // A file that is replaced is written beside it under a temporary name and renamed over it
    // only when complete, so a copy that fails half way (full disk, removed medium) leaves the
    // old file as it was.
    const bool replacing = targetInfo.st_ino != 0;
    std::string written = target;
    int outFd = -1;
    if (replacing) {
        const auto slash = target.rfind('/');
        written = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
                  ".kelvane-copy-XXXXXX";
        outFd = mkostemp(written.data(), O_CLOEXEC);
    } else {
        outFd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    }
    FdGuard out(outFd);
    if (out.Get() < 0) {
        return StatusOfMissing(target, errno);
    }
    int error = CopyContents(in.Get(), out.Get(), info.st_size);
    if (error == 0) {
        const timespec times[2] = {info.st_atim, info.st_mtim};
        futimens(out.Get(), times);  // a file system without times still holds the data
        if (replacing) {
            fchmod(out.Get(), targetInfo.st_mode & 07777);
        }
        if ((info.st_mode & S_IWUSR) == 0) {
            fchmod(out.Get(), info.st_mode & 07555);
        }
    }
    if (!out.Release() && error == 0) {
        error = errno;
    }
    if (error == 0 && replacing && rename(written.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(written.c_str());
        return StatusFromErrno(error);
    }
    return {};
}

}  // namespace kelvane
