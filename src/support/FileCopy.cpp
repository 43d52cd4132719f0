#include "support/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/NonCopyable.h"
#include "support/NUVAtomicFile.h"

namespace kelvane {
namespace {

// Closes a descriptor when it leaves scope.
class FdGuard : NonCopyable {
  public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

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
    // The copy is complete on the medium before it takes the target's name; a copy is never
    // held back in a batch of data files.
    AtomicFileOptions options;
    options.joinBatch = false;
    CNuvAtomicFile out;
    if (!out.Open(target, options)) {
        return StatusOfMissing(target, out.Error());
    }
    if (out.WriteFrom(in.Get())) {
        out.SetTimes(info.st_atim, info.st_mtim);
        if ((info.st_mode & S_IWUSR) == 0) {
            out.SetPermissions(info.st_mode & 07555);
        }
        if (out.Commit()) {
            return {};
        }
    }
    return StatusFromErrno(out.Error());
}

}  // namespace kelvane
