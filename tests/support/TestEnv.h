// Shared test helpers: a temporary folder removed at the end of the test, file writers, and a
// message sink that records boxes and exit requests instead of showing or exiting.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/NUVDbg.h"

namespace kelvane::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder as the program writes folders: with a trailing "/".
    std::string Folder() const { return path_.string() + "/"; }
    // Writes bytes to a file below the folder (creating subfolders); returns its full path.
    std::string Write(const std::string& relative, std::string_view bytes) const;
    std::string Read(const std::string& relative) const;

  private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Records every message box, console text and exit request; installs itself while alive.
class CapturingSink final : public IMessageSink {
  public:
    CapturingSink();
    ~CapturingSink() override;
    void ShowBox(Severity severity, const std::string& text) override;
    void ConsoleText(const std::string& text) override;
    void ExitProgram(int exitCode) override;

    struct Box {
        Severity severity;
        std::string text;
    };
    std::vector<Box> boxes;
    std::vector<std::string> console;
    std::vector<int> exits;

    // True when any box text contains `fragment`.
    bool BoxContains(std::string_view fragment) const;
};

// The real style files beside the checkout (../shared/corpus/styles), or empty when absent.
std::filesystem::path StyleCorpusDir();
// The source tree (KELVANE_SOURCE_DIR set by CTest, else the current folder).
std::filesystem::path SourceDir();

}  // namespace kelvane::test
