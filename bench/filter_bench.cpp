// bench/run filter: the filter over 100,000 synthetic records.
//   filter-eval   a three-field filter (text contains, number range, date) against the same
//                 test written directly in C++ (the cost of interpreting parsed packets)
//   filter-quick  a quick search over 100,000 quick-search texts against `grep -ci` over a
//                 file holding the same texts, one per line (process start included)
//   filter-quick-miss  the same with a word that occurs nowhere (every text read in full)
//   sort-default  std::sort of 100,000 names with the "Default" sequence against strcasecmp
// Runs are interleaved (ours, reference, ours, ...) and medians are printed.
#include <string.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/BenchGrep.h"
#include "common/BenchTiming.h"
#include "list/ZOLFilterCommon.h"
#include "list/ZOLSortSequence.h"

namespace {

using namespace kelvane;

constexpr int kRecords = 100000;
constexpr int kRuns = 9;

struct Record {
    std::string name;
    int32_t tempo;
    std::string date;
    std::string quick;

    std::string_view FilterText(int32_t) const { return name; }
    int32_t FilterNumber(int32_t) const { return tempo; }
    std::string_view FilterDateText(int32_t) const { return date; }
    std::string_view QuickSearchText() const { return quick; }
};

std::vector<Record> MakeRecords() {
    static const char* const kWords[] = {
        "Bossa", "Nova",  "8Beat", "Pop",   "Rock",   "Ballad",  "Samba",  "Swing",
        "Jazz",  "Waltz", "Disco", "Funk",  "Latin",  "Country", "Polka",  "March",
        "Soul",  "Blues", "Tango", "Rumba", "16Beat", "Shuffle", "Groove", "Dance",
        "Live",  "Cool",  "Big",   "Band",  "Slow",   "Fast",    "Gospel", "Reggae"};
    static const char* const kModels[] = {"ST-5", "AK-310", "AK-320", "Vela 9", "Norra X1"};
    std::mt19937 random(20240501);
    auto pick = [&](std::size_t count) { return random() % count; };
    std::vector<Record> records(kRecords);
    for (Record& record : records) {
        const int words = 2 + static_cast<int>(pick(2));
        std::string file;
        for (int w = 0; w < words; ++w) {
            const char* word = kWords[pick(std::size(kWords))];
            record.name += (w ? " " : "") + std::string(word);
            file += (w ? "_" : "") + std::string(word);
        }
        record.tempo = 60 + static_cast<int32_t>(pick(140));
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d", 1998 + int(pick(20)),
                      1 + int(pick(12)), 1 + int(pick(28)), int(pick(24)), int(pick(60)));
        record.date = date;
        const std::string folder = "/home/user/styles/" + std::string(kWords[pick(8)]) + "/";
        record.quick = file + ".sty " + folder + " " + record.name + " " +
                       kWords[pick(std::size(kWords))] + " " + kWords[pick(std::size(kWords))] +
                       " Author " + std::to_string(pick(500)) + " 4/4 (C) 2004 Maker - " +
                       kModels[pick(5)] + " " + kModels[pick(5)] + " MAIN A,B,C,D SFF1";
    }
    return records;
}

long CountPassing(const CZOLFilterCommon& filter, const std::vector<Record>& records) {
    long count = 0;
    for (const Record& record : records) {
        count += filter.Passes(record) == 0;
    }
    return count;
}

void BenchEvaluation(const std::vector<Record>& records) {
    CZOLFilterCommon filter;
    filter.AddFieldFilter(5, FT_SHARED_TEXT, "beat", "Style Name");
    filter.AddFieldFilter(4, FT_NUMBER, ">= 100 AND <= 120", "Tempo");
    filter.AddFieldFilter(17, FT_DATE, "> 2003-05-30", "Filedate");
    auto direct = [&] {
        long count = 0;
        for (const Record& r : records) {
            count += strcasestr(r.name.c_str(), "beat") != nullptr && r.tempo >= 100 &&
                     r.tempo <= 120 && strncasecmp(r.date.c_str(), "2003-05-30", 10) > 0;
        }
        return count;
    };
    const long ours = CountPassing(filter, records);
    if (ours != direct()) {
        std::fprintf(stderr, "filter-eval: %ld passing, direct test %ld\n", ours, direct());
        std::exit(1);
    }
    std::vector<double> oursTimes, refTimes;
    volatile long sink = 0;  // keeps the timed loops from being optimised away
    for (int run = 0; run < kRuns; ++run) {
        oursTimes.push_back(bench::TimeSeconds([&] { sink = CountPassing(filter, records); }));
        refTimes.push_back(bench::TimeSeconds([&] { sink = direct(); }));
    }
    std::printf("filter-eval: %d records, %ld pass\n", kRecords, ours);
    bench::PrintResult("filter-eval", bench::Median(oursTimes), bench::Median(refTimes));
}

void BenchQuickSearch(const char* label, const std::string& word,
                      const std::vector<Record>& records, const std::string& path) {
    CZOLFilterCommon filter;
    filter.AddFieldFilter(kQuickSearchFieldId, FT_OWN_TEXT, word, "Quick");
    const long ours = CountPassing(filter, records);
    bench::RunGrep(word, path);
    const long grep = bench::GrepCount(path);
    if (ours != grep) {
        std::fprintf(stderr, "%s: %ld passing, grep counts %ld\n", label, ours, grep);
        std::exit(1);
    }
    std::vector<double> oursTimes, refTimes;
    volatile long sink = 0;
    for (int run = 0; run < kRuns; ++run) {
        oursTimes.push_back(bench::TimeSeconds([&] { sink = CountPassing(filter, records); }));
        bench::WarmFile(path);
        refTimes.push_back(bench::TimeSeconds([&] { bench::RunGrep(word, path); }));
    }
    std::printf("%s: '%s' in %d texts, %ld match\n", label, word.c_str(), kRecords, ours);
    bench::PrintResult(label, bench::Median(oursTimes), bench::Median(refTimes));
}

void BenchSort(const std::vector<Record>& records) {
    std::vector<std::string_view> names;
    for (const Record& record : records) {
        names.push_back(record.name);
    }
    const TextCompareFn compare = TextComparisonOf(SortSequence::Default);
    std::vector<double> oursTimes, refTimes;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<std::string_view> a = names;
        oursTimes.push_back(bench::TimeSeconds([&] {
            std::sort(a.begin(), a.end(), [compare](std::string_view x, std::string_view y) {
                return compare(x, y) < 0;
            });
        }));
        std::vector<std::string_view> b = names;
        refTimes.push_back(bench::TimeSeconds([&] {
            std::sort(b.begin(), b.end(), [](std::string_view x, std::string_view y) {
                return strcasecmp(x.data(), y.data()) < 0;  // the names are NUL-terminated
            });
        }));
    }
    bench::PrintResult("sort-default", bench::Median(oursTimes), bench::Median(refTimes));
}

}  // namespace

int main() {
    const std::vector<Record> records = MakeRecords();
    char folder[] = "/tmp/kelvane-filter-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string path = std::string(folder) + "/quick.txt";
    {
        std::ofstream out(path, std::ios::binary);
        for (const Record& record : records) {
            out << record.quick << '\n';
        }
    }
    BenchEvaluation(records);
    BenchQuickSearch("filter-quick", "tango", records, path);
    BenchQuickSearch("filter-quick-miss", "zydeco", records, path);
    BenchSort(records);
    std::remove(path.c_str());
    std::remove((path + ".count").c_str());
    rmdir(folder);
    return 0;
}
