// bench/run filter: the filter over 100,000 synthetic records.
//   filter-eval   a three-field filter (text contains, number range, date) against the same
//                 test written directly in C++ (the cost of interpreting parsed packets)
//   filter-quick  a quick search over 100,000 quick-search texts against `grep -ci` over a
//                 file holding the same texts, one per line (process start included)
//   filter-quick-miss  the same with a word that occurs nowhere (every text read in full)
//   sort-default  std::sort of 100,000 names with the "Default" sequence against strcasecmp
// Runs are interleaved (ours, reference, ours, ...) and medians are printed.
#include <fcntl.h>
#include <spawn.h>
#include <string.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

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
    static const char* const kModels[] = {"PSR-3000", "Tyros2", "PA800", "Genos", "SX900"};
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

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* name, const std::vector<double>& ours, const std::vector<double>& ref) {
    const double x = Median(ours);
    const double y = Median(ref);
    std::printf("%s: ours %.4f s, reference %.4f s, ratio %.2f\n", name, x, y, x / y);
}

// Reads the file once, so that the page cache holds it for the timed grep that follows.
void WarmFile(const std::string& path) {
    std::ifstream warm(path, std::ios::binary);
    std::vector<char> block(1 << 16);
    while (warm.read(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
}

// Runs grep on the file and waits for it. The count goes to a file: GNU grep stops at the
// first match when its output is /dev/null, which would not be a count.
int RunGrep(const std::string& word, const std::string& path) {
    const std::string output = path + ".count";
    const char* argv[] = {"grep", "-ci", word.c_str(), path.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    char locale[] = "LC_ALL=C";
    char* env[] = {locale, nullptr};
    pid_t pid = 0;
    const int spawned =
        posix_spawnp(&pid, "grep", &actions, nullptr, const_cast<char* const*>(argv), env);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) > 1) {
        std::fprintf(stderr, "cannot run grep\n");
        std::exit(1);
    }
    return status;
}

long GrepCount(const std::string& word, const std::string& path) {
    const std::string command = "LC_ALL=C grep -ci '" + word + "' '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    long count = -1;
    if (pipe == nullptr || std::fscanf(pipe, "%ld", &count) != 1) {
        count = -1;
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return count;
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
        oursTimes.push_back(Seconds([&] { sink = CountPassing(filter, records); }));
        refTimes.push_back(Seconds([&] { sink = direct(); }));
    }
    std::printf("filter-eval: %d records, %ld pass\n", kRecords, ours);
    Report("filter-eval", oursTimes, refTimes);
}

void BenchQuickSearch(const char* label, const std::string& word,
                      const std::vector<Record>& records, const std::string& path) {
    CZOLFilterCommon filter;
    filter.AddFieldFilter(kQuickSearchFieldId, FT_OWN_TEXT, word, "Quick");
    const long ours = CountPassing(filter, records);
    const long grep = GrepCount(word, path);
    if (ours != grep) {
        std::fprintf(stderr, "%s: %ld passing, grep counts %ld\n", label, ours, grep);
        std::exit(1);
    }
    std::vector<double> oursTimes, refTimes;
    volatile long sink = 0;
    for (int run = 0; run < kRuns; ++run) {
        oursTimes.push_back(Seconds([&] { sink = CountPassing(filter, records); }));
        WarmFile(path);
        refTimes.push_back(Seconds([&] { RunGrep(word, path); }));
    }
    std::printf("%s: '%s' in %d texts, %ld match\n", label, word.c_str(), kRecords, ours);
    Report(label, oursTimes, refTimes);
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
        oursTimes.push_back(Seconds([&] {
            std::sort(a.begin(), a.end(), [compare](std::string_view x, std::string_view y) {
                return compare(x, y) < 0;
            });
        }));
        std::vector<std::string_view> b = names;
        refTimes.push_back(Seconds([&] {
            std::sort(b.begin(), b.end(), [](std::string_view x, std::string_view y) {
                return strcasecmp(x.data(), y.data()) < 0;  // the names are NUL-terminated
            });
        }));
    }
    Report("sort-default", oursTimes, refTimes);
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
