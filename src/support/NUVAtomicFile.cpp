#include "support/NUVAtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <system_error>
#include <thread>
#include <vector>

#include "support/FaultPoints.h"
#include "support/NUVFormat.h"

namespace kelvane {
namespace {

constexpr std::size_t kGatherSize = 64 * 1024;
constexpr int kMaxNameAttempts = 100;
constexpr std::size_t kMaxNameInTempName = 200;

// The batch open on the calling thread, or nullptr.
CNuvAtomicBatch* OpenBatch();

// Distinguishes the temporary files of several writers in one process.
std::atomic<unsigned> gTempCounter{0};
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

CNuvAtomicFile::~CNuvAtomicFile() {
    Abandon();
}

bool CNuvAtomicFile::Open(const std::string& path, const AtomicFileOptions& options) {
    Abandon();
    path_ = path;
    error_ = 0;
    written_ = 0;
    buffer_.clear();
    joinBatch_ = options.joinBatch;
    // A hidden name that no pattern of the program matches ("*.SDB", "*.SDE", style
    // extensions), in the target's folder so that the rename stays on one file system.
    const std::string folder = FolderOf(path_);
    // The name is cut so that the temporary name stays within the file system's limit.
    const std::string name = path_.substr(folder.size(), kMaxNameInTempName);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        tempPath_ = StrFormat("%s.%s.%ld-%u.tmp", folder.c_str(), name.c_str(),
                              static_cast<long>(getpid()), gTempCounter.fetch_add(1));
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        const int failure = errno;
        tempPath_.clear();
        Fail(failure);
        return false;
    }
    struct stat old {};
    if (::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd_, (old.st_mode & 07777) | (options.addOwnerWrite ? S_IWUSR : 0));
    }
    return !options.keepOldContent || CopyOldContent();
}

bool CNuvAtomicFile::CopyOldContent() {
    const int in = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        if (errno == ENOENT) {
            return true;
        }
        Fail(errno);
        return false;
    }
    const bool ok = WriteFrom(in);
    ::close(in);
    return ok;
}

bool CNuvAtomicFile::WriteFrom(int in) {
    if (fd_ < 0 || !WriteGathered()) {
        return false;
    }
    // copy_file_range first; plain reads and writes where the file systems do not support it.
    for (;;) {
        const ssize_t copied = ::copy_file_range(in, nullptr, fd_, nullptr, kGatherSize, 0);
        if (copied > 0) {
            written_ += static_cast<std::size_t>(copied);
            continue;
        }
        if (copied == 0) {
            break;  // the end, or the kernel declines: what is left goes by hand
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
            break;
        }
        Fail(errno);
        return false;
    }
    char block[kGatherSize];
    for (;;) {
        const ssize_t got = ::read(in, block, sizeof block);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            Fail(errno);
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!WriteRaw(std::string_view(block, static_cast<std::size_t>(got)))) {
            return false;
        }
    }
}

bool CNuvAtomicFile::SetPermissions(mode_t mode) {
    return fd_ >= 0 && ::fchmod(fd_, mode & 07777) == 0;
}

void CNuvAtomicFile::SetTimes(const timespec& access, const timespec& modification) {
    if (fd_ >= 0 && WriteGathered()) {
        const timespec times[2] = {access, modification};
        ::futimens(fd_, times);  // written after the content, which would change them again
    }
}

bool CNuvAtomicFile::Write(std::string_view bytes) {
    return Gather(bytes, {});
}

bool CNuvAtomicFile::WriteLine(std::string_view text) {
    return Gather(text, "\r\n");
}

// Small writes are gathered into larger ones; a test's fault point fails the write here.
bool CNuvAtomicFile::Gather(std::string_view bytes, std::string_view ending) {
    if (fd_ < 0) {
        return false;
    }
    if (FaultDue(FaultPoint::AtomicFileWrite)) {
        Fail(ENOSPC);
        return false;
    }
    // Written before it would outgrow its first allocation: a buffer that doubled past it
    // would come fresh from the system, page by page, for every file.
    if (buffer_.size() + bytes.size() + ending.size() > kGatherSize && !WriteGathered()) {
        return false;
    }
    if (buffer_.capacity() < kGatherSize) {
        buffer_.reserve(kGatherSize);
    }
    buffer_.append(bytes);
    buffer_.append(ending);
    return true;
}

bool CNuvAtomicFile::WriteGathered() {
    if (buffer_.empty()) {
        return true;
    }
    const bool written = WriteRaw(buffer_);
    buffer_.clear();
    return written;
}

bool CNuvAtomicFile::WriteRaw(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd_, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            Fail(done < 0 ? errno : ENOSPC);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
        written_ += static_cast<std::size_t>(done);
    }
    return true;
}

bool CNuvAtomicFile::Commit() {
    if (fd_ < 0) {
        return false;
    }
    if (!WriteGathered()) {
        return false;
    }
    CNuvAtomicBatch* batch = joinBatch_ ? OpenBatch() : nullptr;
    if (batch != nullptr) {
        batch->Queue(fd_, std::move(tempPath_), path_);
        fd_ = -1;
        tempPath_.clear();
        return true;
    }
    // The content must be on the medium before the rename can make it the file.
    if (::fdatasync(fd_) != 0) {
        Fail(errno);
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        Fail(errno);
        return false;
    }
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        Fail(errno);
        return false;
    }
    // The folder is not synced: after a crash right here either the old or the new file is
    // found, both complete, which is all the replacement promises.
    tempPath_.clear();
    return true;
}

void CNuvAtomicFile::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
    buffer_.clear();
}

void CNuvAtomicFile::Fail(int errnoValue) {
    if (error_ == 0) {
        error_ = errnoValue != 0 ? errnoValue : EIO;
    }
    Abandon();
}

}  // namespace kelvane

namespace kelvane {
namespace {

thread_local CNuvAtomicBatch* tOpenBatch = nullptr;

constexpr std::size_t kSyncThreads = 8;

// fdatasync of every descriptor, several at a time: the medium then commits them together.
std::vector<int> SyncAll(const std::vector<int>& fds) {
    std::vector<int> failures(fds.size(), 0);
    std::atomic<std::size_t> next{0};
    const auto work = [&fds, &failures, &next] {
        for (std::size_t i; (i = next++) < fds.size();) {
            failures[i] = ::fdatasync(fds[i]) == 0 ? 0 : errno;
        }
    };
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = 1; t < kSyncThreads && t < fds.size(); ++t) {
            helpers.emplace_back(work);
        }
    } catch (const std::system_error&) {
        // Fewer helpers: the calling thread does the rest.
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    return failures;
}

CNuvAtomicBatch* OpenBatch() {
    return tOpenBatch;
}

}  // namespace

CNuvAtomicBatch::CNuvAtomicBatch() : previous_(tOpenBatch) {
    tOpenBatch = this;
}

CNuvAtomicBatch::~CNuvAtomicBatch() {
    WaitFlush();
    Discard();
    tOpenBatch = previous_;
}

void CNuvAtomicBatch::Queue(int fd, std::string tempPath, std::string path) {
    entries_.push_back(Entry{fd, std::move(tempPath), std::move(path)});
}

void CNuvAtomicBatch::Discard() {
    for (Entry& entry : entries_) {
        ::close(entry.fd);
        ::unlink(entry.tempPath.c_str());
    }
    entries_.clear();
}

CNuvAtomicBatch::Outcome CNuvAtomicBatch::PutInPlace(const std::vector<Entry>& entries) {
    Outcome outcome;
    std::vector<int> fds;
    for (const Entry& entry : entries) {
        fds.push_back(entry.fd);
    }
    const std::vector<int> synced = SyncAll(fds);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        int failure = synced[i];
        if (::close(entry.fd) != 0 && failure == 0) {
            failure = errno;
        }
        if (failure == 0 && outcome.error == 0 &&
            std::rename(entry.tempPath.c_str(), entry.path.c_str()) != 0) {
            failure = errno;
        }
        if (failure != 0 || outcome.error != 0) {
            ::unlink(entry.tempPath.c_str());
            if (outcome.error == 0) {
                outcome.error = failure;
                outcome.failedPath = entry.path;
            }
            continue;
        }
        ++outcome.placed;
    }
    return outcome;
}

bool CNuvAtomicBatch::Flush() {
    if (!WaitFlush()) {
        return false;
    }
    outcome_ = PutInPlace(entries_);
    entries_.clear();
    return outcome_.error == 0;
}

bool CNuvAtomicBatch::StartFlush() {
    if (!WaitFlush()) {
        return false;
    }
    outcome_ = Outcome{};
    inFlight_.swap(entries_);
    try {
        flushing_ = std::thread([this] { outcome_ = PutInPlace(inFlight_); });
    } catch (const std::system_error&) {
        outcome_ = PutInPlace(inFlight_);
    }
    return true;
}

bool CNuvAtomicBatch::WaitFlush() {
    if (!Flushing()) {
        return true;
    }
    if (flushing_.joinable()) {
        flushing_.join();
    }
    inFlight_.clear();
    return outcome_.error == 0;
}

}  // namespace kelvane

namespace kelvane {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The name of the program that runs as `pid` ("" when it cannot be read).
std::string ProgramNameOf(long pid) {
    std::FILE* file = std::fopen(StrFormat("/proc/%ld/comm", pid).c_str(), "r");
    if (file == nullptr) {
        return {};
    }
    char name[64] = {};
    const bool read = std::fgets(name, sizeof name, file) != nullptr;
    std::fclose(file);
    std::string text = read ? name : "";
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

}  // namespace

bool ParseTemporaryFileName(std::string_view name, TemporaryFileName& parsed) {
    constexpr std::string_view kEnding = ".tmp";
    if (name.size() <= kEnding.size() + 1 || name.front() != '.' ||
        name.substr(name.size() - kEnding.size()) != kEnding) {
        return false;
    }
    const std::string_view inner = name.substr(1, name.size() - 1 - kEnding.size());
    const std::size_t dot = inner.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return false;
    }
    const std::string_view stamp = inner.substr(dot + 1);
    const std::size_t dash = stamp.find('-');
    if (dash == std::string_view::npos || !AllDigits(stamp.substr(0, dash)) ||
        !AllDigits(stamp.substr(dash + 1)) || dash > 9) {
        return false;
    }
    parsed.target = std::string(inner.substr(0, dot));
    parsed.pid = std::stol(std::string(stamp.substr(0, dash)));
    return true;
}

bool IsAbandonedTemporaryFile(const std::string& folder, std::string_view name) {
    TemporaryFileName parsed;
    if (!ParseTemporaryFileName(name, parsed) || parsed.pid == static_cast<long>(getpid())) {
        return false;
    }
    struct stat info {};
    const std::string path = folder + std::string(name);
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    if (std::time(nullptr) - info.st_mtime > kAbandonedTemporaryAge) {
        return true;
    }
    const bool running =
        parsed.pid > 0 && (::kill(static_cast<pid_t>(parsed.pid), 0) == 0 || errno == EPERM);
    if (!running) {
        return true;
    }
    // A process whose program cannot be told is taken for a writer that still works.
    const std::string program = ProgramNameOf(parsed.pid);
    return !program.empty() && program.rfind("kelvane", 0) != 0;
}

}  // namespace kelvane
