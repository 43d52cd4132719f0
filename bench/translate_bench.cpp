// Translate with a language of 2,000 pairs: our hash lookup against a first-match linear scan
// with case-insensitive comparison (how a pair list is searched without an index).
//   bench/run translate
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/NUVLang.h"

namespace {

constexpr int kPairs = 2000;
constexpr int kLookups = 200000;
constexpr int kRounds = 5;

std::string Key(int i) {
    return "Text number " + std::to_string(i) + " shown somewhere in a dialog";
}

template <typename F>
double Seconds(F&& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    char pattern[] = "/tmp/kelvane-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    const std::string folder = std::string(pattern) + "/";
    setenv("KELVANE_HOME", folder.c_str(), 1);
    std::vector<std::pair<std::string, std::string>> pairs;
    {
        std::ofstream out(folder + "ZOL_bch.lan");
        out << "LANGUAGE_SHORT_NAME = bch\nLANGUAGE_FULL_NAME = Bench\n";
        for (int i = 0; i < kPairs; ++i) {
            pairs.emplace_back(Key(i), "Uebersetzung " + std::to_string(i));
            out << "ORIG = " << pairs.back().first << "\nTRNS = " << pairs.back().second << "\n";
        }
    }
    if (kelvane::Lang().SetLanguage("bch") != 0) {
        std::fprintf(stderr, "language not loaded\n");
        return 1;
    }
    std::vector<std::string> texts;
    for (int i = 0; i < kLookups; ++i) {
        texts.push_back(Key((i * 7919) % kPairs));
    }
    std::size_t sink = 0;
    std::vector<double> ours, reference;
    for (int round = 0; round < kRounds; ++round) {
        ours.push_back(Seconds([&] {
            for (const std::string& text : texts) {
                sink += kelvane::Translate(text).size();
            }
        }));
        reference.push_back(Seconds([&] {
            for (const std::string& text : texts) {
                for (const auto& [key, translation] : pairs) {
                    if (strcasecmp(key.c_str(), text.c_str()) == 0) {
                        sink += translation.size();
                        break;
                    }
                }
            }
        }));
    }
    std::filesystem::remove_all(folder);
    const double a = Median(ours);
    const double b = Median(reference);
    std::printf("translate: ours %.4f s, reference %.4f s, ratio %.3f (%d lookups, %zu)\n", a, b,
                a / b, kLookups, sink % 10);
    return 0;
}
