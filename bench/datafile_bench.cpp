// bench/run datafile [RECORDS]: the per-folder data files of a collection of RECORDS records
// (default 100,000; 50 files per folder, a song list on every tenth style).
//   datafile-write: WriteStyleDataFile for every folder (temporary file, fsync, rename)
//                   against writing the same bytes with fwrite, fsync and rename;
//   datafile-read:  ProcessStyleDataFile for every folder into records against reading the
//                   same lines with FileReadLine alone (the cost of the parsing and records).
// Runs alternate ours / reference; medians quoted.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/BenchTiming.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLDataFileWriter.h"
#include "support/NUVFile.h"
#include "support/NUVTrace.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr int kRuns = 5;
constexpr int kFilesPerFolder = 50;

struct Folder {
    std::string path;
    RecordList records;
    std::string bytes;  // the data file as written, for the reference writer
};

StyleDataPacket* MakeRecord(const std::string& folder, int n) {
    StyleDataPacket* r = NewStyleRecord();
    AssignStyleField(*r, kFieldPath, folder);
    AssignStyleField(*r, kFieldFilename, "Style " + std::to_string(n) + ".sty");
    r->SetNumber(kFieldFileId, static_cast<int>(static_cast<unsigned>(n) * 2654435761u));
    r->SetNumber(kFieldFilesize, 20000 + n % 5000);
    r->SetNumber(kFieldTempo, 60 + n % 120);
    AssignStyleField(*r, kFieldStyleName, "Name " + std::to_string(n));
    AssignStyleField(*r, kFieldStyleType, "Genre" + std::to_string(n % 30));
    AssignStyleField(*r, kFieldAuthor, "Author" + std::to_string(n % 300));
    AssignStyleField(*r, kFieldTimeSig, "4/4");
    r->SetNumber(kFieldAnalyser, 18);
    AssignStyleField(*r, kFieldErrors, "-");
    r->SetDateText("2020-05-06 07:08");
    r->SetNumber(kFieldFiledateU, 30000000 + n);
    r->SetNumber(kFieldFiledateL, n * 7);
    AssignStyleField(*r, kFieldKbdModel, "Model" + std::to_string(n % 40));
    AssignStyleField(*r, kFieldCasm, "Y");
    r->SetNumber(kFieldDuplicates, r->Number(kFieldFileId));
    if (n % 10 == 0) {
        for (int s = 0; s < 3; ++s) {
            SongDataPacket* song = NewSongRecord();
            AssignSongField(*song, kSongFieldTitle, "Song " + std::to_string(n + s));
            AssignSongField(*song, kSongFieldGenre, "Pop");
            song->SetNumber(kSongFieldTempo, 100);
            song->SetNumber(kSongFieldStatus, 1);
            AppendSong(*r, song);
        }
    }
    return r;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

double WriteOurs(std::vector<Folder>& folders) {
    return bench::TimeSeconds([&] {
        for (Folder& folder : folders) {
            const std::string file = folder.path + "ZOL.SDB";
            if (WriteStyleDataFile(file, file, folder.records) != 0) {
                std::fprintf(stderr, "datafile: write failed in %s\n", folder.path.c_str());
                std::exit(1);
            }
        }
    });
}

double WriteReference(const std::vector<Folder>& folders) {
    return bench::TimeSeconds([&] {
        for (const Folder& folder : folders) {
            const std::string temp = folder.path + ".ref.tmp";
            std::FILE* out = std::fopen(temp.c_str(), "wb");
            std::fwrite(folder.bytes.data(), 1, folder.bytes.size(), out);
            std::fflush(out);
            fsync(fileno(out));
            std::fclose(out);
            std::rename(temp.c_str(), (folder.path + "ZOL.REF").c_str());
        }
    });
}

double ReadOurs(const std::vector<Folder>& folders, std::size_t& count) {
    return bench::TimeSeconds([&] {
        count = 0;
        for (const Folder& folder : folders) {
            RecordList list;
            ProcessStyleDataFile(folder.path + "ZOL.SDB", folder.path, list);
            count += list.size();
            list.ReleaseAll();
        }
        RecordStore().strings.Clear();
    });
}

double ReadReference(const std::vector<Folder>& folders, std::size_t& lines) {
    return bench::TimeSeconds([&] {
        lines = 0;
        std::string line;
        for (const Folder& folder : folders) {
            FileHandle in = FileOpen(folder.path + "ZOL.SDB", kFileBinary, kFileModeRead);
            while (FileReadLine(in, line, 1995) >= 0) {
                ++lines;
            }
            FileClose(in);
        }
    });
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
    using namespace kelvane;
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    char pattern[] = "/tmp/kelvane-datafile-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    const std::string base = std::string(pattern) + "/";
    SetTraceFolder(base);
    TraceOff();
    SetRunMode(kRunModeStyle);
    InitRecordStore();

    std::vector<Folder> folders((records + kFilesPerFolder - 1) / kFilesPerFolder);
    for (std::size_t f = 0; f < folders.size(); ++f) {
        folders[f].path = base + "f" + std::to_string(f) + "/";
        std::filesystem::create_directories(folders[f].path);
    }
    for (int n = 0; n < records; ++n) {
        Folder& folder = folders[static_cast<std::size_t>(n / kFilesPerFolder)];
        folder.records.Append(MakeRecord(folder.path, n));
    }
    WriteOurs(folders);
    for (Folder& folder : folders) {
        folder.bytes = ReadBytes(folder.path + "ZOL.SDB");
    }

    std::vector<double> ours, reference;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(WriteOurs(folders));
        reference.push_back(WriteReference(folders));
    }
    bench::PrintResult("datafile-write", bench::Median(ours), bench::Median(reference));

    for (Folder& folder : folders) {
        folder.records.ReleaseAll();
    }
    ClearAllRecords();
    ours.clear();
    reference.clear();
    std::size_t count = 0;
    std::size_t lines = 0;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(ReadOurs(folders, count));
        reference.push_back(ReadReference(folders, lines));
    }
    bench::PrintResult("datafile-read", bench::Median(ours), bench::Median(reference));
    std::printf("datafile: %zu records in %zu folders read (%zu lines), %.0f records/s\n", count,
                folders.size(), lines, static_cast<double>(count) / bench::Median(ours));
    FreeRecordStore();
    std::filesystem::remove_all(base);
    return count == static_cast<std::size_t>(records) ? 0 : 1;
}
