// bench/run scan DIR [ROUNDS] [WORKERS]: the tree scan (ProcessStyleTree with subfolders,
// WORKERS analysing threads, default one per core) over DIR, in midi mode when most catalogued
// files below DIR are MIDI files, else in style mode:
//   scan-first   the scan without data files (they are deleted before each round) against
//                AnalyseFile over the same files on one core (one analyser, one record: the
//                analysis alone); target ratio <= 0.8 with two workers (20,000 tiny styles,
//                bench/make-style-tree), <= 1.2 with one (the scan thread adds the walk, the
//                records and the durable data files on the same core: about 1.0 on sample
//                styles from bench/make-style-corpus, 1.15 on tiny ones)
//   scan-first-cpu  the CPU time of all threads of that scan against that of the analysis
//                alone: the work the scan adds around the analyses, whatever the cores give
//   scan-first-cat  the same scan against `cat` of the same files; target ratio <= 1.6
//                (10,000 MIDI files, bench/make-midi-corpus)
//   scan-second  the scan with current data files, nothing changed, against
//                `find DIR -type f -printf '%T@ %s\n'` plus `cat` of every data file;
//                target ratio <= 3 (<= 2.5 at 1,000,000 files)
//   scan-memory  resident memory after the last scan (VmRSS) and its peak (VmHWM); target
//                below 200 MiB after a scan of 100,000 files (bench/make-tree DIR 100000)
//   list-memory  resident memory once the file list is built over those records (sorted by
//                name); target at most 1 GiB with 1,000,000 records
// A million files (about 4 GB on disk, an hour or more for the whole run):
//   bench/make-style-tree /work/bench-data/m1 1000000 && bench/run scan /work/bench-data/m1 1
// The files are read before each timed command (the page cache is dropped after about a
// minute), ours and the reference alternate, medians are printed. Data files are written
// under DIR: run it on a scratch tree.
#include <time.h>
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
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVPath.h"
#include "support/ZOLRunMode.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvane;

struct Tree {
    std::vector<std::string> files;      // catalogued files of the run mode
    std::vector<std::string> dataFiles;  // the run mode's data files
    long entries = 0;
};

Tree ListTree(const std::string& root) {
    Tree tree;
    const std::string& dataName = CurrentModeNames().dataFile;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        ++tree.entries;
        const std::string name = entry.path().filename().string();
        if (IsScanFileName(name)) {
            tree.files.push_back(entry.path().string());
        } else if (name == dataName) {
            tree.dataFiles.push_back(entry.path().string());
        }
    }
    return tree;
}

bool MostlyMidi(const std::string& root) {
    long midi = 0, style = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        midi += IsAnalysedFileName(name, false) ? 1 : 0;
        style += IsAnalysedFileName(name, true) ? 1 : 0;
    }
    return midi > style;
}

std::string WriteList(const std::vector<std::string>& files, const char* name) {
    const fs::path list = fs::temp_directory_path() / name;
    std::ofstream out(list, std::ios::binary);
    for (const std::string& file : files) {
        out << file << '\0';
    }
    return list.string();
}

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

void RemoveDataFiles(const std::string& root) {
    const ModeNames& names = CurrentModeNames();
    std::vector<fs::path> doomed;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (name == names.dataFile || name == names.fastAccessFile ||
            HasExtension(name, names.extraExtension) != 0) {
            doomed.push_back(entry.path());
        }
    }
    for (const fs::path& path : doomed) {
        fs::remove(path);
    }
}

// CPU seconds of all threads of this process while the body runs.
template <typename Body>
double CpuSeconds(Body&& body) {
    timespec start{}, end{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    body();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
}

double TimeScan(const std::string& root, int workers, double* cpu = nullptr) {
    ClearAllRecords();
    StatusCode result = 0;
    ScanOptions options;
    options.workers = workers;
    double seconds = 0;
    const double cpuSeconds = CpuSeconds([&] {
        seconds = bench::TimeSeconds([&] { result = ProcessStyleTree(root, 1, options); });
    });
    if (cpu != nullptr) {
        *cpu = cpuSeconds;
    }
    if (result != 0) {
        std::fprintf(stderr, "scan: status %d\n", result);
    }
    return seconds;
}

double TimeAnalyses(const std::vector<std::string>& files, StyleDataPacket* record) {
    return bench::TimeSeconds([&] {
        for (const std::string& file : files) {
            ResetStyleRecord(record);
            AnalyseFile(*record, file, FileNamePart(file));
        }
    });
}

long ResidentKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) {
            return std::atol(line.c_str() + std::string(field).size());
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench/run scan DIR [ROUNDS]\n");
        return 2;
    }
    const std::string root = WithSlash(fs::absolute(argv[1]).lexically_normal().string());
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int workers = EffectiveScanWorkers(argc > 3 ? std::atoi(argv[3]) : 0);
    if (!bench::StartProgram("scan_bench", MostlyMidi(root))) {
        std::fprintf(stderr, "scan: the program does not start (configuration files?)\n");
        return 1;
    }
    const Tree tree = ListTree(root);
    if (tree.files.empty()) {
        std::fprintf(stderr, "scan: no %s files below %s\n", IsStyleMode() ? "style" : "MIDI",
                     root.c_str());
        return 1;
    }
    const std::string readFiles = "xargs -0 cat < '" + WriteList(tree.files, "scan_bench.list") +
                                  "' > /dev/null && find '" + root + "' > /dev/null";
    StyleDataPacket* record = NewStyleRecord();

    const std::string catFiles =
        "xargs -0 cat < '" + WriteList(tree.files, "scan_bench.list") + "' > /dev/null";
    std::vector<double> firstScans, analyses, cats, scanCpu, analysisCpu;
    for (int round = 0; round < rounds; ++round) {
        RemoveDataFiles(root);
        Run(readFiles);
        firstScans.push_back(TimeScan(root, workers, &scanCpu.emplace_back()));
        Run(readFiles);
        analysisCpu.push_back(
            CpuSeconds([&] { analyses.push_back(TimeAnalyses(tree.files, record)); }));
        Run(readFiles);
        cats.push_back(bench::TimeSeconds([&] { Run(catFiles); }));
    }
    const long analysed = LastTreeScanCounts().analysed;
    std::printf("scan: %d workers\n", workers);
    bench::PrintResult("scan-first", bench::Median(firstScans), bench::Median(analyses));
    bench::PrintResult("scan-first-cpu", bench::Median(scanCpu), bench::Median(analysisCpu));
    bench::PrintResult("scan-first-cat", bench::Median(firstScans), bench::Median(cats));

    const std::vector<std::string> dataFiles = ListTree(root).dataFiles;
    const std::string dataList = WriteList(dataFiles, "scan_bench_data.list");
    const std::string reference = "find '" + root +
                                  "' -type f -printf '%T@ %s\\n' > /dev/null && " +
                                  "xargs -0 cat < '" + dataList + "' > /dev/null";
    std::vector<double> secondScans, references;
    for (int round = 0; round < rounds; ++round) {
        Run(readFiles);
        secondScans.push_back(TimeScan(root, workers));
        Run(readFiles);
        references.push_back(bench::TimeSeconds([&] { Run(reference); }));
    }
    const TreeScanCounts counts = LastTreeScanCounts();
    bench::PrintResult("scan-second", bench::Median(secondScans), bench::Median(references));
    std::printf(
        "scan: %s mode, %zu files (%ld entries), %zu data files; first scan %.0f files/s "
        "(%ld analysed), second scan %.0f files/s (%ld reused, %ld analysed again)\n",
        IsStyleMode() ? "style" : "midi", tree.files.size(), tree.entries, dataFiles.size(),
        tree.files.size() / bench::Median(firstScans), analysed,
        tree.files.size() / bench::Median(secondScans), counts.reused, counts.reanalysed);
    std::printf("scan-memory: %zu records, resident %.1f MiB after the scan, peak %.1f MiB\n",
                RecordStore().records.size(), ResidentKiB("VmRSS:") / 1024.0,
                ResidentKiB("VmHWM:") / 1024.0);
    ReleaseStyleRecord(record);
    {
        CZOLListViewMgr mgr;
        mgr.RegisterList(ListKind::Files, nullptr);
        mgr.RegisterList(ListKind::Songs, nullptr);
        mgr.FileList().SetWritesStatusLine(false);
        mgr.ShowFileList();
        const double seconds = bench::TimeSeconds([&] { mgr.ForceRebuild(true, nullptr, false); });
        std::printf("list-memory: %ld rows listed in %.2f s, resident %.1f MiB, peak %.1f MiB\n",
                    mgr.FileList().RowCount(), seconds, ResidentKiB("VmRSS:") / 1024.0,
                    ResidentKiB("VmHWM:") / 1024.0);
    }
    return 0;
}
