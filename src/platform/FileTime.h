// File times as the program stores them: 100-nanosecond units since 1601-01-01 UTC (the
// 64-bit file time kept as FILEDATE_U / FILEDATE_L), and the local-time text shown for them.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <string>

namespace kelvane {

using FileTime = std::uint64_t;

// Seconds between 1601-01-01 and 1970-01-01.
inline constexpr std::int64_t kFileTimeEpochOffset = 11644473600;
inline constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000;

// (sec + 11644473600) * 10^7 + nsec / 100; times before 1601 give 0.
FileTime FileTimeFromUnix(std::int64_t seconds, long nanoseconds);
FileTime FileTimeFromTimespec(const timespec& time);
timespec TimespecFromFileTime(FileTime time);

// The 64-bit time as two 32-bit halves, low then high.
inline std::uint32_t FileTimeLow(FileTime time) {
    return static_cast<std::uint32_t>(time);
}
inline std::uint32_t FileTimeHigh(FileTime time) {
    return static_cast<std::uint32_t>(time >> 32);
}
inline FileTime FileTimeFromHalves(std::uint32_t low, std::uint32_t high) {
    return (static_cast<FileTime>(high) << 32) | low;
}

// "%04d-%02d-%02d %02d:%02d" of the local time; false (text untouched) when the time cannot
// be converted.
bool LocalTimeText(FileTime time, std::string& text);

// Sets the last-access and last-write time of an existing file, opened for reading and
// writing (as the platform has no settable creation time, that one is left).
bool SetPathTimes(const std::string& path, FileTime time);

// The C library's 24-character local time text ("Thu Jan  1 00:00:00 1970") for `when`,
// always in English whatever the locale, without a line feed.
std::string CTimeText(std::time_t when);

}  // namespace kelvane
