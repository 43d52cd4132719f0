#include "support/TestEnv.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kelvane::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests make files read-only; give the owner write access back so removal succeeds.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& relative, std::string_view bytes) const {
    std::filesystem::path full = path_ / relative;
    std::filesystem::create_directories(full.parent_path());
    WriteFileBytes(full, bytes);
    return full.string();
}

std::string TempDir::Read(const std::string& relative) const {
    return ReadFileBytes(path_ / relative);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

CapturingSink::CapturingSink() {
    SetMessageSink(this);
}
CapturingSink::~CapturingSink() {
    SetMessageSink(nullptr);
}
void CapturingSink::ShowBox(Severity severity, const std::string& text) {
    boxes.push_back({severity, text});
}
void CapturingSink::ConsoleText(const std::string& text) {
    console.push_back(text);
}
void CapturingSink::ExitProgram(int exitCode) {
    exits.push_back(exitCode);
}

bool CapturingSink::BoxContains(std::string_view fragment) const {
    for (const Box& box : boxes) {
        if (box.text.find(fragment) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::filesystem::path SourceDir() {
    if (const char* dir = std::getenv("KELVANE_SOURCE_DIR")) {
        return dir;
    }
    return std::filesystem::current_path();
}

std::filesystem::path StyleCorpusDir() {
    std::filesystem::path dir = SourceDir() / ".." / "shared" / "corpus" / "styles";
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec)) {
        return std::filesystem::canonical(dir, ec);
    }
    return {};
}

}  // namespace kelvane::test
