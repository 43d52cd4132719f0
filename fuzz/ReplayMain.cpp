// Runs a fuzz target's entry point over its saved inputs, so that the regression samples
// (tests/data/regress/<reader>-*) and the seed corpus (fuzz/corpus/<reader>/) also run under
// GCC and the sanitizer build in the ordinary test suite.
//   <reader>_replay SOURCE_DIR READER
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE_DIR READER\n", argv[0]);
        return 2;
    }
    const fs::path source = argv[1];
    const std::string reader = argv[2];
    std::vector<fs::path> inputs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(source / "tests/data/regress", ec)) {
        if (entry.path().filename().string().rfind(reader + "-", 0) == 0) {
            inputs.push_back(entry.path());
        }
    }
    for (const auto& entry : fs::directory_iterator(source / "fuzz/corpus" / reader, ec)) {
        inputs.push_back(entry.path());
    }
    for (const fs::path& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        // An exact-size heap copy, so that AddressSanitizer sees any read past the end.
        auto exact = std::make_unique<uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), exact.get());
        LLVMFuzzerTestOneInput(exact.get(), bytes.size());
    }
    std::printf("%s: replayed %zu inputs\n", reader.c_str(), inputs.size());
    return 0;
}
