#include "output/ZOLOutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "support/NUVFormat.h"

namespace kelvane {
namespace {

// Distinguishes temporary files of several writers in one process.
std::atomic<unsigned> gTempCounter{0};

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::Open() {
    if (fd_ >= 0 || error_ != 0) {
        return fd_ >= 0;
    }
    // A short hidden name in the target's folder, so that the rename stays within one file
    // system and a target name near the length limit still leaves room for it. Created with
    // 0666 so that the umask decides the permissions, as for any new file.
    const std::string folder = path_.substr(0, path_.rfind('/') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath_ = StrFormat("%s.kelvane-%ld-%u.tmp", folder.c_str(), static_cast<long>(getpid()),
                              gTempCounter.fetch_add(1));
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        tempPath_.clear();
        Fail();
        return false;
    }
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd_, old.st_mode & 07777);
    }
    return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0 || error_ != 0) {
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            Fail();
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0 || error_ != 0) {
        return false;
    }
    if (::fsync(fd_) != 0) {
        Fail();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        Fail();
        return false;
    }
    tempPath_.clear();
    return true;
}

void AtomicFileWriter::Fail() {
    if (error_ == 0) {
        error_ = errno != 0 ? errno : EIO;
    }
    Discard();
}

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

}  // namespace kelvane
