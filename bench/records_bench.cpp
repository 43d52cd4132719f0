// Memory of the record store at 100,000 records whose texts repeat as in a real collection:
// 50 files per folder, a few hundred authors, a few dozen genres and models, unique file and
// style names, a song list on every tenth style. Prints the resident memory the records add
// to the process against the 120 MiB budget, then clears everything and builds the same
// records again, counting every heap allocation of the second round (expected: none).
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#include "records/ZOLRecordStore.h"
#include "records/ZOLSongCollector.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLRunMode.h"

namespace {

std::atomic<size_t> gAllocations{0};

}  // namespace

void* operator new(size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

namespace kelvane {
namespace {

constexpr int kRecords = 100000;
constexpr int kFilesPerFolder = 50;
constexpr double kBudgetMiB = 120.0;

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        std::getline(status, key);
    }
    return -1;
}

// Writes into a fixed buffer so that producing the texts allocates nothing.
struct Text {
    char buffer[160];
    template <class... Args>
    std::string_view Format(const char* format, Args... args) {
        const int n = std::snprintf(buffer, sizeof buffer, format, args...);
        return std::string_view(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    }
};

void Check(StatusCode result) {
    if (result != 0) {
        std::fprintf(stderr, "records bench: status %d\n", result);
        std::exit(1);
    }
}

void FillRecord(StyleDataPacket& r, int i) {
    static const char* const kGenres[] = {"Pop",   "Rock",     "Ballad",  "Latin",
                                          "Dance", "Jazz",     "Country", "World",
                                          "Swing", "Ballroom", "Schlager"};
    static const char* const kTimeSigs[] = {"4/4", "3/4", "6/8", "2/4", "12/8"};
    Text t;
    Check(AssignStyleField(r, kFieldPath,
                           t.Format("/home/user/Styles/Collection %02d/Folder %04d/", i / 10000,
                                    i / kFilesPerFolder)));
    Check(AssignStyleField(r, kFieldFilename, t.Format("Some Style Name %06d.sty", i)));
    Check(AssignStyleField(r, kFieldStyleName, t.Format("StyleName%06d", i)));
    Check(AssignStyleField(r, kFieldStyleType, kGenres[i % 11]));
    Check(AssignStyleField(r, kFieldStyleSubtype, t.Format("%s %d", kGenres[i % 11], i % 9)));
    Check(AssignStyleField(r, kFieldAuthor, t.Format("Author %03d", (i * 7) % 300)));
    Check(AssignStyleField(r, kFieldAux, i % 5 == 0 ? t.Format("Aux %d", i % 40) : ""));
    Check(AssignStyleField(r, kFieldTimeSig, kTimeSigs[i % 5]));
    Check(AssignStyleField(r, kFieldCopyright, t.Format("(C) Maker %03d", i % 200)));
    Check(AssignStyleField(r, kFieldErrors, i % 13 == 0 ? "MDB error" : "-"));
    Check(AssignStyleField(r, kFieldOrigModel, t.Format("Model %02d", i % 50)));
    Check(AssignStyleField(r, kFieldKbdModel, t.Format("Model %02d", (i / 3) % 50)));
    Check(AssignStyleField(r, kFieldVariations,
                           t.Format("Intro%d Main%d End%d", i % 3 + 1, i % 4 + 1, i % 3 + 1)));
    Check(AssignStyleField(r, kFieldCasm, i % 2 ? "Y" : "N"));
    Check(AssignStyleField(r, kFieldOts, i % 3 ? "4" : "-"));
    Check(AssignStyleField(r, kFieldMdb, i % 10 == 0 ? "2" : "-"));
    Check(AssignStyleField(r, kFieldStylefileType, i % 4 ? "SFF1" : "SFF2"));
    r.SetNumber(kFieldFileId, i * 2654435761u);
    r.SetNumber(kFieldFilesize, 20000 + i % 40000);
    r.SetNumber(kFieldTempo, 60 + i % 120);
    r.SetNumber(kFieldAnalyser, 18);
    r.SetNumber(kFieldTimebase, 1920);
    r.SetNumber(kFieldDuplicates, r.Number(kFieldFileId));
    r.SetNumber(kFieldRelatedId, i / 3);
    r.SetNumber(kFieldSff, i % 4 ? 1 : 2);
    r.SetDateText(t.Format("20%02d-%02d-%02d 12:%02d", i % 25, i % 12 + 1, i % 28 + 1, i % 60));
    if (i % 10 == 0) {
        MusicFinderRecord song;
        song.bpm = 100;
        song.numerator = 4;
        song.denominator = 4;
        for (int s = 0; s < 2; ++s) {
            song.title.assign(t.Format("Song %06d-%d", i, s));
            song.genre.assign(kGenres[(i + s) % 11]);
            Check(CollectSong(&r, song));
        }
    }
}

// `folder` stands for the scan's per-folder list; it is reused, so its growth stays in round 1.
void BuildAll(RecordList& folder) {
    for (int i = 0; i < kRecords; ++i) {
        StyleDataPacket* record = NewStyleRecord();
        if (record == nullptr) {
            std::fprintf(stderr, "records bench: no record\n");
            std::exit(1);
        }
        FillRecord(*record, i);
        folder.Append(record);
        if ((i + 1) % kFilesPerFolder == 0) {
            RecordStore().records.AppendList(folder);
        }
    }
    RecordStore().records.AppendList(folder);
}

void Run() {
    SetRunMode(kRunModeStyle);
    Check(InitRecordStore());
    RecordList folder;
    const long emptyKiB = ResidentKiB();
    BuildAll(folder);
    const long fullKiB = ResidentKiB();
    const double oursMiB = static_cast<double>(fullKiB - emptyKiB) / 1024.0;
    const StringPoolStats strings = RecordStore().strings.Stats();
    std::printf("records: %d records, %zu songs, %zu distinct texts (%zu text bytes)\n", kRecords,
                RecordStore().songPool.InUse(), strings.texts, strings.textBytes);
    std::printf("records: resident %ld KiB empty, %ld KiB full, %.0f bytes per record\n", emptyKiB,
                fullKiB, static_cast<double>(fullKiB - emptyKiB) * 1024.0 / kRecords);
    std::printf("records: ours %.1f MiB, reference %.1f MiB, ratio %.2f\n", oursMiB, kBudgetMiB,
                oursMiB / kBudgetMiB);

    const size_t styleBlocks = RecordStore().stylePool.Allocations();
    const size_t songBlocks = RecordStore().songPool.Allocations();
    const size_t poolAllocations = strings.allocations;
    ClearAllRecords();
    const size_t before = gAllocations.load();
    const auto start = std::chrono::steady_clock::now();
    BuildAll(folder);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    const size_t heap = gAllocations.load() - before;
    std::printf("records: second round built in %.3f s\n", seconds.count());
    std::printf(
        "records: second round: %zu heap allocations, %zu new style blocks, %zu new song "
        "blocks, %zu new string pool allocations, resident %ld KiB\n",
        heap, RecordStore().stylePool.Allocations() - styleBlocks,
        RecordStore().songPool.Allocations() - songBlocks,
        RecordStore().strings.Stats().allocations - poolAllocations, ResidentKiB());
    FreeRecordStore();
}

}  // namespace
}  // namespace kelvane

int main() {
    kelvane::Run();
    return 0;
}
