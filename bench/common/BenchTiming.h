// Timing helpers shared by the benchmarks: a monotonic stopwatch, medians, and the one
// result line every benchmark prints.
#pragma once

#include <string>
#include <vector>

namespace kelvane::bench {

// Seconds taken by `body`.
template <typename Body>
double TimeSeconds(Body&& body);

double Median(std::vector<double> values);

// "NAME: ours X s, reference Y s, ratio Z"
void PrintResult(const std::string& name, double ours, double reference);

}  // namespace kelvane::bench

#include <chrono>

template <typename Body>
double kelvane::bench::TimeSeconds(Body&& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(end - start).count();
}
