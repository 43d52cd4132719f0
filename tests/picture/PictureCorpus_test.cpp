// The picture's text lines of real files against an independent reading of their bytes:
// tests/picture/sections_mido.py (python3-mido) over the style corpus beside the checkout and
// the MIDI files of the openttd-openmsx package. Skipped when either is missing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "picture/FilePicture.h"
#include "picture/PictureLines.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::vector<std::string> FilesBelow(const fs::path& folder, bool midi) {
    std::vector<std::string> files;
    if (folder.empty() || !fs::is_directory(folder)) {
        return files;
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".mid") == midi && extension != ".txt") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The script's lines per file; false when it cannot run (no python3-mido).
bool ScriptLines(bool midi, const std::vector<std::string>& files,
                 std::map<std::string, Lines>& byFile) {
    std::string command = "/usr/bin/python3 '" +
                          (test::SourceDir() / "tests/picture/sections_mido.py").string() + "' " +
                          (midi ? "-m" : "-s");
    for (const std::string& file : files) {
        command += " '" + file + "'";
    }
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    std::string out;
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        out.append(chunk, n);
    }
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return false;
    }
    std::istringstream in(out);
    Lines* current = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("FILE ")) {
            current = &byFile[line.substr(5)];
        } else if (current != nullptr) {
            current->push_back(line);
        }
    }
    return true;
}

void CompareWithScript(const std::vector<std::string>& files, bool midi) {
    std::map<std::string, Lines> expected;
    if (!ScriptLines(midi, files, expected)) {
        GTEST_SKIP() << "python3-mido cannot read the files";
    }
    ASSERT_EQ(expected.size(), files.size());
    std::size_t lines = 0;
    for (const std::string& file : files) {
        const FilePicture picture = ReadFilePicture(
            file, midi ? PictureKind::kSong : PictureKind::kStyle, PictureOptions{.facts = false});
        EXPECT_EQ(PictureLines(picture), expected[file]) << file;
        lines += expected[file].size();
    }
    EXPECT_GT(lines, files.size());
}

TEST(PictureCorpusTest, StyleSectionsMatchAnIndependentReading) {
    const std::vector<std::string> files = FilesBelow(test::StyleCorpusDir(), false);
    if (files.empty()) {
        GTEST_SKIP() << "no style corpus beside the checkout (../shared/corpus/styles)";
    }
    CompareWithScript(files, false);
}

TEST(PictureCorpusTest, MidiChannelLinesMatchAnIndependentReading) {
    const std::vector<std::string> files =
        FilesBelow("/usr/share/games/openttd/baseset/openmsx", true);
    if (files.empty()) {
        GTEST_SKIP() << "openttd-openmsx is not installed";
    }
    CompareWithScript(files, true);
}

}  // namespace
}  // namespace kelvane
