// One size-limited log file: lines are appended with CR LF, the file is opened and closed
// around each line unless it was opened explicitly, and a line that would take the file past
// its maximum size first renames it to the backup name (replacing an older backup). A one-slot
// lock serialises every operation, so several threads may write.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/NonCopyable.h"
#include "support/NUVStatus.h"

namespace kelvane {

class CNuvLog : NonCopyable {
  public:
    CNuvLog() = default;
    ~CNuvLog();

    // Folder ("/" appended when missing), base name, extension and backup extension (one
    // leading "." dropped), maximum size in bytes (0: no limit). The current size is taken
    // from an existing file; the file stays closed. -1000 path too long, -1005 size unknown.
    StatusCode Init(const std::string& folder, const std::string& baseName,
                    const std::string& extension, const std::string& backupExtension,
                    std::uint64_t maxSize);
    // Closes, then initialises again with the size limit kept.
    StatusCode ReInit(const std::string& folder, const std::string& baseName,
                      const std::string& extension, const std::string& backupExtension);

    // Appends `text` and a line end; each line feed inside the text becomes CR LF.
    // 0; -1001 open, -1002 close, -1004 write, -1006 / -1007 rotation failures.
    StatusCode WriteLine(std::string_view text);
    // Keeps the file open between lines until Close.
    StatusCode Open();
    StatusCode Close();

    std::string FilePath() const;
    std::string BackupPath() const;
    std::uint64_t CurrentSize() const;

  private:
    StatusCode CloseLocked();
    StatusCode RotateLocked();

    mutable std::mutex lock_;
    std::string filePath_;
    std::string backupPath_;
    std::uint64_t maxSize_ = 0;
    std::uint64_t currentSize_ = 0;
    std::FILE* file_ = nullptr;  // nullptr while closed
};

}  // namespace kelvane
