// A file written as a whole or not at all: the bytes go to a temporary file in the target's
// folder, which replaces the target only after everything was written and flushed. A failure
// or an abandoned writer leaves the old file (or no file) and no partial document.
#pragma once

#include <string>
#include <string_view>

namespace kelvane {

class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();  // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; false when the folder cannot take it.
    bool Open();
    bool Write(std::string_view bytes);
    // Flushes to disk, closes and renames the temporary file over the target.
    bool Commit();

    // errno of the first failure, 0 while all went well.
    int Error() const { return error_; }

  private:
    void Fail();
    void Discard();

    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace kelvane
