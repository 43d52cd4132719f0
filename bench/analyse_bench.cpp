// bench/run analyse DIR [ROUNDS]: AnalyseFile over every style or MIDI file below DIR (one
// analyser and one record for all files, as the scan reuses them), against
//   (a) `cat` of the same files to /dev/null: the I/O floor, and
//   (b) python3-mido reading the same files in one process (bench/mido_read.py).
// The files are read once before the timed commands; ours and the references alternate and the
// medians are printed. The program's configuration and search tags come from the build tree.
// KELVANE_BENCH_MIDO_ROUNDS (default 1) and KELVANE_BENCH_MIDO_FILES (default all) bound the
// slow mido reference; its ratio is then taken over the same subset.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/ZOLStyleFile.h"
#include "common/BenchProgram.h"
#include "common/BenchTiming.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/NUVPath.h"
#include "support/ZOLRunMode.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvane;

int EnvInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

std::string WriteList(const std::vector<std::string>& files, size_t count, const char* name) {
    const fs::path list = fs::temp_directory_path() / name;
    std::ofstream out(list, std::ios::binary);
    for (size_t i = 0; i < count && i < files.size(); ++i) {
        out << files[i] << '\0';
    }
    return list.string();
}

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// Message boxes to standard error; the console copies of the start-up's debug lines are not
// wanted in the result.
double AnalyseAll(const std::vector<std::string>& files, size_t count, StyleDataPacket* record,
                  int* failures) {
    return bench::TimeSeconds([&] {
        for (size_t i = 0; i < count; ++i) {
            ResetStyleRecord(record);
            if (AnalyseFile(*record, files[i], FileNamePart(files[i])) != 0) {
                ++*failures;
            }
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench/run analyse DIR [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<std::string> files;
    size_t midiFiles = 0;
    for (const auto& entry : fs::recursive_directory_iterator(argv[1])) {
        const std::string name = entry.path().filename().string();
        const bool midi = IsAnalysedFileName(name, false);
        if (entry.is_regular_file() && (midi || IsAnalysedFileName(name, true))) {
            files.push_back(entry.path().string());
            midiFiles += midi ? 1 : 0;
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "analyse: no style or MIDI files below %s\n", argv[1]);
        return 1;
    }
    std::sort(files.begin(), files.end());
    if (!bench::StartProgram("analyse_bench", midiFiles * 2 > files.size())) {
        std::fprintf(stderr, "analyse: the program does not start (configuration files?)\n");
        return 1;
    }
    StyleDataPacket* record = NewStyleRecord();
    const std::string list = WriteList(files, files.size(), "analyse_bench.list");
    const std::string cat = "xargs -0 cat < '" + list + "' > /dev/null";
    if (!Run(cat)) {  // the page cache holds the files from here on
        std::fprintf(stderr, "analyse: cat failed\n");
        return 1;
    }
    int failures = 0;
    std::vector<double> ours, cats;
    for (int round = 0; round < rounds; ++round) {
        ours.push_back(AnalyseAll(files, files.size(), record, &failures));
        cats.push_back(bench::TimeSeconds([&] { Run(cat); }));
    }
    const double x = bench::Median(ours), y = bench::Median(cats);
    bench::PrintResult("analyse", x, y);
    std::printf(
        "analyse: %zu files (%s mode), ours %.0f files/s, cat %.0f files/s, %d not "
        "analysed per round\n",
        files.size(), RunMode() == kRunModeMidi ? "midi" : "style", files.size() / x,
        files.size() / y, failures / rounds);

    const size_t subset =
        std::min<size_t>(files.size(), EnvInt("KELVANE_BENCH_MIDO_FILES", int(files.size())));
    const std::string midoList = WriteList(files, subset, "analyse_bench_mido.list");
    const char* script = std::getenv("KELVANE_BENCH_MIDO_SCRIPT");
    const std::string source = script != nullptr ? script : "bench/mido_read.py";
    const std::string mido =
        "/usr/bin/python3 '" + source + "' '" + midoList + "' > /dev/null 2>&1";
    std::vector<double> oursSubset, midos;
    for (int round = 0; round < EnvInt("KELVANE_BENCH_MIDO_ROUNDS", 1); ++round) {
        Run("xargs -0 cat < '" + midoList + "' > /dev/null");
        oursSubset.push_back(AnalyseAll(files, subset, record, &failures));
        double seconds = 0;
        bool ok = true;
        seconds = bench::TimeSeconds([&] { ok = Run(mido); });
        if (!ok) {
            std::printf("analyse-mido: python3-mido is missing in /usr/bin/python3\n");
            break;
        }
        midos.push_back(seconds);
    }
    if (!midos.empty()) {
        const double a = bench::Median(oursSubset), b = bench::Median(midos);
        bench::PrintResult("analyse-mido", a, b);
        std::printf(
            "analyse-mido: %zu files, ours %.0f files/s, mido %.1f files/s (mido takes %.0f "
            "times as long)\n",
            subset, subset / a, subset / b, b / a);
    }
    fs::remove(list);
    fs::remove(midoList);
    ReleaseStyleRecord(record);
    return 0;
}
