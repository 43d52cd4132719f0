// bench/run list [N]: the list on screen over N synthetic records (default 100,000).
//   list        a rebuild of the file list with a three-field filter, unique-files mode and a
//               two-key sort, against std::sort of the same N file-name strings
//   list-quick  a rebuild with a quick search over all rows, against `grep -ci` over a file
//               holding the same quick-search texts, one per line (process start included)
// Runs are interleaved (ours, reference, ours, ...) and medians are printed.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/BenchGrep.h"
#include "common/BenchTiming.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLFilterSubjects.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLRunMode.h"

namespace {

using namespace kelvane;

constexpr int kRuns = 7;

const char* const kWords[] = {"Bossa",   "Nova",   "8Beat",  "Pop",   "Rock",  "Ballad", "Samba",
                              "Swing",   "Jazz",   "Waltz",  "Disco", "Funk",  "Latin",  "Country",
                              "Polka",   "March",  "Soul",   "Blues", "Tango", "Rumba",  "16Beat",
                              "Shuffle", "Groove", "Dance",  "Live",  "Cool",  "Big",    "Band",
                              "Slow",    "Fast",   "Gospel", "Reggae"};

// Records as a scan would leave them: about one in ten is a copy of an earlier file.
void MakeRecords(int count) {
    std::mt19937 random(20240501);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    std::vector<StyleDataPacket*> made;
    for (int i = 0; i < count; ++i) {
        StyleDataPacket* record = NewStyleRecord();
        const bool copy = !made.empty() && pick(10) == 0;
        const StyleDataPacket* original = copy ? made[pick(made.size())] : nullptr;
        std::string name;
        std::string file;
        for (int w = 0, words = 2 + static_cast<int>(pick(2)); w < words; ++w) {
            const char* word = kWords[pick(std::size(kWords))];
            name += (w ? " " : "") + std::string(word);
            file += (w ? "_" : "") + std::string(word);
        }
        file += "_" + std::to_string(i) + ".sty";
        AssignStyleField(*record, kFieldFilename, file);
        AssignStyleField(*record, kFieldPath,
                         "/home/user/styles/" + std::string(kWords[pick(8)]) + "/" +
                             std::string(kWords[pick(32)]) + "/");
        AssignStyleField(*record, kFieldStyleName, name);
        AssignStyleField(*record, kFieldStyleType, kWords[pick(std::size(kWords))]);
        AssignStyleField(*record, kFieldAuthor, "Author " + std::to_string(pick(500)));
        AssignStyleField(*record, kFieldTimeSig, "4/4");
        const int32_t id =
            original != nullptr ? original->Number(kFieldFileId) : static_cast<int32_t>(random());
        const int32_t size = original != nullptr ? original->Number(kFieldFilesize)
                                                 : 2000 + static_cast<int32_t>(pick(90000));
        record->SetNumber(kFieldFileId, id);
        record->SetNumber(kFieldDuplicates, id);
        record->SetNumber(kFieldFilesize, size);
        record->SetNumber(kFieldTempo, 60 + static_cast<int32_t>(pick(140)));
        RecordStore().records.Append(record);
        made.push_back(record);
    }
}

void BenchRebuild(CZOLListViewMgr& mgr, const std::vector<StyleDataPacket*>& scanOrder) {
    FilterInputs inputs;
    inputs.fields[kFieldStyleName] = "beat OR rock OR pop";
    inputs.fields[kFieldTempo] = ">= 80 AND <= 180";
    inputs.fields[kFieldPath] = "NOT slow";
    if (StyleFilterDialog().Confirm(inputs, kShowUniqueFiles, nullptr) != 0) {
        std::exit(1);
    }
    mgr.FileList().SetSortKeys({kFieldStyleName, kFieldTempo, 1, 0});
    std::vector<std::string> names;
    for (const StyleDataPacket* record : scanOrder) {
        names.emplace_back(record->Text(kFieldFilename));
    }
    std::vector<double> ours, ref;
    for (int run = 0; run < kRuns; ++run) {
        RecordStore().records.Items() = scanOrder;  // every run groups from scan order
        ours.push_back(bench::TimeSeconds([&] { mgr.ForceRebuild(true, nullptr, false); }));
        std::vector<std::string> copy = names;
        ref.push_back(bench::TimeSeconds([&] { std::sort(copy.begin(), copy.end()); }));
    }
    std::printf("list: %zu records, %ld rows shown, %ld hidden duplicates\n", scanOrder.size(),
                mgr.FileList().RowCount(), mgr.FileList().Counters().hiddenInGroups);
    bench::PrintResult("list", bench::Median(ours), bench::Median(ref));
}

void BenchQuick(CZOLListViewMgr& mgr, const std::vector<StyleDataPacket*>& scanOrder) {
    const std::string word = "groove";
    const std::string path = "/tmp/kelvane-list-quick-" + std::to_string(getpid()) + ".txt";
    {
        std::ofstream out(path, std::ios::binary);
        std::string buffer;
        for (const StyleDataPacket* record : scanOrder) {
            out << StyleQuickSearchText(*record, buffer) << '\n';
        }
    }
    StyleFilterDialog().Clear();
    FilterInputs inputs;
    inputs.quick = word;
    if (StyleFilterDialog().Confirm(inputs, kShowAll, nullptr) != 0) {
        std::exit(1);
    }
    RecordStore().records.Items() = scanOrder;
    mgr.ForceRebuild(false, nullptr, false);
    bench::RunGrep(word, path);
    if (bench::GrepCount(path) != mgr.FileList().RowCount()) {
        std::fprintf(stderr, "list-quick: %ld rows, grep counts %ld\n", mgr.FileList().RowCount(),
                     bench::GrepCount(path));
        std::exit(1);
    }
    std::vector<double> ours, ref;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(bench::TimeSeconds([&] { mgr.ForceRebuild(false, nullptr, false); }));
        bench::WarmFile(path);
        ref.push_back(bench::TimeSeconds([&] { bench::RunGrep(word, path); }));
    }
    std::printf("list-quick: '%s' in %zu texts, %ld match\n", word.c_str(), scanOrder.size(),
                mgr.FileList().RowCount());
    bench::PrintResult("list-quick", bench::Median(ours), bench::Median(ref));
    std::remove(path.c_str());
    std::remove((path + ".count").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    SetRunMode(kRunModeStyle);
    InitRecordStore();
    MakeRecords(count);
    const std::vector<StyleDataPacket*> scanOrder = RecordStore().records.Items();
    CZOLListViewMgr mgr;
    mgr.RegisterList(ListKind::Files, nullptr);
    mgr.RegisterList(ListKind::Songs, nullptr);
    mgr.FileList().SetWritesStatusLine(false);
    mgr.FileList().ClearDefinitions();
    for (int field : {kFieldFilename, kFieldStyleName, kFieldTempo, kFieldFilesize}) {
        mgr.FileList().AppendDefinition(field, -1);
    }
    mgr.FileList().BuildColumns(false);
    mgr.ShowFileList();
    BenchRebuild(mgr, scanOrder);
    BenchQuick(mgr, scanOrder);
    FreeRecordStore();
    return 0;
}
