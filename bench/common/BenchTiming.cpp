#include "common/BenchTiming.h"

#include <algorithm>
#include <cstdio>

namespace kelvane::bench {

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintResult(const std::string& name, double ours, double reference) {
    std::printf("%s: ours %.4f s, reference %.4f s, ratio %.2f\n", name.c_str(), ours, reference,
                reference > 0 ? ours / reference : 0.0);
    std::fflush(stdout);
}

}  // namespace kelvane::bench
