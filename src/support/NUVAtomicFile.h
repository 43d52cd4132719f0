// The program's one way to write a file safely (data files, exports, RTF documents, file
// copies): a file replaced as a whole or not at all. The new content goes to a temporary file in
// the target's folder; only after every byte was written and flushed to the medium does a rename
// put it in place of the old file. A crash, a kill or a full disk during the writing leaves
// the old file byte for byte as it was, and a failed or abandoned writer removes its
// temporary file.
//
// Appending works the same way: the old content is copied into the temporary file first and
// the new lines follow it, so an append that fails half way does not damage the lines that
// were already there.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/NonCopyable.h"

namespace kelvane {

struct AtomicFileOptions {
    bool keepOldContent = false;  // an existing file's bytes are copied in first (appending)
    bool addOwnerWrite = true;    // a replaced file's read-only attribute is cleared
    bool joinBatch = true;        // Commit queues into the batch open on this thread, if any
};

class CNuvAtomicFile : NonCopyable {
  public:
    CNuvAtomicFile() = default;
    ~CNuvAtomicFile();  // abandons an uncommitted file

    // Creates the temporary file for `path`. With `keepOldContent` an existing file's bytes
    // are copied into it first (a missing file counts as empty). A replaced file keeps its
    // permissions, with the owner's write permission added (the read-only attribute is
    // cleared). False on failure (see Error()).
    bool Open(const std::string& path, bool keepOldContent) {
        AtomicFileOptions options;
        options.keepOldContent = keepOldContent;
        return Open(path, options);
    }
    bool Open(const std::string& path, const AtomicFileOptions& options);
    bool Write(std::string_view bytes);
    // Appends every byte still to be read from the open descriptor `fd`.
    bool WriteFrom(int fd);
    // The text followed by CR LF.
    bool WriteLine(std::string_view text);
    // The new file's permission bits and times; a file system that keeps no times still
    // gets the content.
    bool SetPermissions(mode_t mode);
    void SetTimes(const timespec& access, const timespec& modification);
    // Flushes to the medium, closes and renames the temporary file over the target.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    // errno of the first failure, 0 while all went well.
    int Error() const { return error_; }
    // Bytes written since Open, the copied old content included.
    std::size_t BytesWritten() const { return written_; }
    const std::string& TemporaryPath() const { return tempPath_; }

  private:
    bool CopyOldContent();
    bool Gather(std::string_view bytes, std::string_view ending);
    bool WriteGathered();
    bool WriteRaw(std::string_view bytes);
    void Fail(int errnoValue);

    std::string path_;
    std::string tempPath_;
    std::string buffer_;  // small writes gathered into larger ones
    int fd_ = -1;
    int error_ = 0;
    std::size_t written_ = 0;
    bool joinBatch_ = true;
};

// Many replacements made durable together (a scan rewrites hundreds of data files, and one
// flush to the medium per file would cost more than the scan itself). While a batch is open on
// a thread, Commit() on that thread writes and keeps the temporary file and queues it instead
// of flushing and renaming it. Flush() brings the queued files to the medium side by side,
// then renames each over its target in the order they were committed. As with a single
// Commit(), a target is replaced only once its new content is on the medium; a failure leaves
// the failed file's target and those queued after it as they were.
//
// StartFlush() does the same on a thread of its own and returns at once: waiting for the
// medium then holds up nobody, and the batch goes on queueing files meanwhile. WaitFlush()
// waits for it and reports as Flush() does; Flush(), StartFlush() and the destructor wait for
// a flush still running first, so the files are placed in the order they were committed.
class CNuvAtomicBatch : NonCopyable {
  public:
    CNuvAtomicBatch();   // opens the batch on the calling thread
    ~CNuvAtomicBatch();  // waits for a started flush, then abandons what was not flushed

    // True when every queued file was put in place. Otherwise Error() is the errno of the
    // first failure and FailedPath() its target; the files queued after it are abandoned.
    bool Flush();
    // Puts the files queued so far in place on another thread (on this one when no thread
    // can be had). False when a flush still running had failed: nothing is started then.
    bool StartFlush();
    // Waits for the flush StartFlush began; what Flush returns for it (true when none runs).
    bool WaitFlush();
    bool Flushing() const { return flushing_.joinable() || !inFlight_.empty(); }
    std::size_t Pending() const { return entries_.size(); }
    // How many files the last flush put in place (in queue order).
    std::size_t Placed() const { return outcome_.placed; }
    int Error() const { return outcome_.error; }
    const std::string& FailedPath() const { return outcome_.failedPath; }

  private:
    friend class CNuvAtomicFile;
    struct Entry {
        int fd;
        std::string tempPath;
        std::string path;
    };
    struct Outcome {
        std::size_t placed = 0;
        int error = 0;
        std::string failedPath;
    };
    void Queue(int fd, std::string tempPath, std::string path);
    void Discard();
    static Outcome PutInPlace(const std::vector<Entry>& entries);

    CNuvAtomicBatch* previous_;
    std::vector<Entry> entries_;
    std::vector<Entry> inFlight_;  // taken by the flush StartFlush began
    std::thread flushing_;
    Outcome outcome_;
};

// The temporary files of CNuvAtomicFile are named ".<target name>.<pid>-<number>.tmp" in the
// target's folder. A writer removes its own when it fails or is abandoned; only a process that
// died while writing (a crash, a kill) leaves one behind.
struct TemporaryFileName {
    std::string target;  // the name of the file it was to replace
    long pid = 0;        // the writing process
};
// Reads a temporary file's name; false for any other name.
bool ParseTemporaryFileName(std::string_view name, TemporaryFileName& parsed);

// True when the temporary file `name` in `folder` was left by a writer that is gone: its
// process no longer runs, or the process id now belongs to a program that is not a Kelvane
// one (the id was reused), or the file is older than kAbandonedTemporaryAge (no writer of
// this program keeps a temporary file that long, so the age rule also covers an id reused by
// another Kelvane). The calling process's own files are never abandoned.
bool IsAbandonedTemporaryFile(const std::string& folder, std::string_view name);
inline constexpr long kAbandonedTemporaryAge = 600;  // seconds

}  // namespace kelvane
