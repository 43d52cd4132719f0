// Runs tests/analysis/mido_facts.py, the independent reader of MIDI files (python3-mido), and
// returns its output lines.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestEnv.h"

namespace kelvane::test {

inline constexpr const char* kOpenMsxFolder = "/usr/share/games/openttd/baseset/openmsx";

// `arguments` as given on the command line; false when python3-mido is missing.
inline bool MidoFacts(const std::string& arguments, std::vector<std::string>* lines) {
    const std::filesystem::path script = SourceDir() / "tests/analysis/mido_facts.py";
    FILE* pipe = popen(("/usr/bin/python3 '" + script.string() + "' " + arguments).c_str(), "r");
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
    for (std::string line; std::getline(in, line);) {
        lines->push_back(line);
    }
    return true;
}

}  // namespace kelvane::test
