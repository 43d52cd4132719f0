// Files for the widget tests that copy, move and trash: a file written with its folder, and a
// small style whose marker makes its bytes its own.
#pragma once

#include <filesystem>
#include <string>

#include "support/StyleFileBuilder.h"
#include "support/TestEnv.h"

namespace kelvane {

// Writes a file, making its folder first.
inline void Put(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    test::WriteFileBytes(path, bytes);
}

inline std::string StyleBytes(const std::string& marker) {
    return test::StyleFileBuilder(test::StyleMidi({"SFF1", marker})).Bytes();
}

}  // namespace kelvane
