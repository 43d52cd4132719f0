// bench/run crc32: our CRC-32 against zlib's crc32() over the same 64 MiB buffer, runs
// interleaved (ours, zlib, ours, ...), medians quoted. The results must agree.
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "common/BenchTiming.h"
#include "support/NUVCrc32.h"

namespace {

constexpr std::size_t kBufferSize = 64u << 20;
constexpr int kRuns = 9;

}  // namespace

int main() {
    using namespace kelvane;
    std::vector<unsigned char> buffer(kBufferSize);
    std::mt19937_64 random(20240601);
    for (std::size_t i = 0; i + 8 <= buffer.size(); i += 8) {
        const std::uint64_t word = random();
        for (int b = 0; b < 8; ++b) {
            buffer[i + b] = static_cast<unsigned char>(word >> (8 * b));
        }
    }
    std::uint32_t ours = 0;
    uLong reference = 0;
    std::vector<double> oursTimes;
    std::vector<double> referenceTimes;
    for (int run = 0; run < kRuns; ++run) {
        oursTimes.push_back(
            bench::TimeSeconds([&] { NUVCalcCRC32ofBuffer(buffer.data(), buffer.size(), ours); }));
        referenceTimes.push_back(bench::TimeSeconds(
            [&] { reference = crc32(0L, buffer.data(), static_cast<uInt>(buffer.size())); }));
        if (ours != static_cast<std::uint32_t>(reference)) {
            std::fprintf(stderr, "crc32: results differ: ours %08x, zlib %08lx\n", ours, reference);
            return 1;
        }
    }
    bench::PrintResult("crc32", bench::Median(oursTimes), bench::Median(referenceTimes));
    return 0;
}
