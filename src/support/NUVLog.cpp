#include "support/NUVLog.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "support/NUVPath.h"

namespace kelvane {
namespace {

std::string WithoutLeadingDot(const std::string& extension) {
    return !extension.empty() && extension[0] == '.' ? extension.substr(1) : extension;
}

// The bytes written for a line: every lone line feed becomes CR LF, and CR LF ends it.
std::string LineBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            bytes += '\r';
        }
        bytes += text[i];
    }
    bytes += "\r\n";
    return bytes;
}

}  // namespace

CNuvLog::~CNuvLog() {
    std::lock_guard guard(lock_);
    CloseLocked();
}

StatusCode CNuvLog::Init(const std::string& folder, const std::string& baseName,
                         const std::string& extension, const std::string& backupExtension,
                         std::uint64_t maxSize) {
    std::lock_guard guard(lock_);
    CloseLocked();
    const std::string dir = WithSlash(folder);
    if (dir.size() >= kMaxPathLength) {
        return status::kLogNameTooLong;
    }
    std::string filePath = dir + baseName + "." + WithoutLeadingDot(extension);
    std::string backupPath = dir + baseName + "." + WithoutLeadingDot(backupExtension);
    if (filePath.size() > kMaxPathLength || backupPath.size() > kMaxPathLength) {
        return status::kLogNameTooLong;
    }
    filePath_ = std::move(filePath);
    backupPath_ = std::move(backupPath);
    maxSize_ = maxSize;
    currentSize_ = 0;
    struct stat info {};
    if (stat(filePath_.c_str(), &info) == 0) {
        currentSize_ = static_cast<std::uint64_t>(info.st_size);
    } else if (errno != ENOENT) {
        return status::kLogSizeError;
    }
    return 0;
}

StatusCode CNuvLog::ReInit(const std::string& folder, const std::string& baseName,
                           const std::string& extension, const std::string& backupExtension) {
    std::uint64_t maxSize = 0;
    {
        std::lock_guard guard(lock_);
        maxSize = maxSize_;
    }
    return Init(folder, baseName, extension, backupExtension, maxSize);
}

StatusCode CNuvLog::WriteLine(std::string_view text) {
    const std::string bytes = LineBytes(text);
    std::lock_guard guard(lock_);
    if (filePath_.empty()) {
        return status::kLogOpenError;
    }
    if (maxSize_ != 0 && currentSize_ > 0 && currentSize_ + bytes.size() > maxSize_) {
        if (const StatusCode rotated = RotateLocked(); rotated != 0) {
            return rotated;
        }
    }
    const bool openedHere = file_ == nullptr;
    if (openedHere) {
        file_ = OpenFileStream(filePath_, "ab");
        if (file_ == nullptr) {
            return status::kLogOpenError;
        }
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    if (written) {
        currentSize_ += bytes.size();
    }
    StatusCode closed = 0;
    if (openedHere) {
        closed = CloseLocked();
    }
    if (!written) {
        return status::kLogWriteError;
    }
    return closed;
}

StatusCode CNuvLog::RotateLocked() {
    const bool wasOpen = file_ != nullptr;
    if (wasOpen && CloseLocked() != 0) {
        return status::kLogCloseError;
    }
    if (std::remove(backupPath_.c_str()) != 0 && errno != ENOENT) {
        return status::kLogDeleteBackupError;
    }
    if (std::rename(filePath_.c_str(), backupPath_.c_str()) != 0 && errno != ENOENT) {
        return status::kLogRenameError;
    }
    currentSize_ = 0;
    if (wasOpen) {
        file_ = OpenFileStream(filePath_, "ab");
        if (file_ == nullptr) {
            return status::kLogOpenError;
        }
    }
    return 0;
}

StatusCode CNuvLog::Open() {
    std::lock_guard guard(lock_);
    if (file_ != nullptr) {
        return 0;
    }
    if (filePath_.empty()) {
        return status::kLogOpenError;
    }
    file_ = OpenFileStream(filePath_, "ab");
    return file_ != nullptr ? 0 : status::kLogOpenError;
}

StatusCode CNuvLog::Close() {
    std::lock_guard guard(lock_);
    return CloseLocked();
}

StatusCode CNuvLog::CloseLocked() {
    if (file_ == nullptr) {
        return 0;
    }
    const int result = std::fclose(file_);
    file_ = nullptr;
    return result == 0 ? 0 : status::kLogCloseError;
}

std::string CNuvLog::FilePath() const {
    std::lock_guard guard(lock_);
    return filePath_;
}

std::string CNuvLog::BackupPath() const {
    std::lock_guard guard(lock_);
    return backupPath_;
}

std::uint64_t CNuvLog::CurrentSize() const {
    std::lock_guard guard(lock_);
    return currentSize_;
}

}  // namespace kelvane
