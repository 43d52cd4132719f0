#include "platform/FileTime.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace kelvane {

FileTime FileTimeFromUnix(std::int64_t seconds, long nanoseconds) {
    if (seconds < -kFileTimeEpochOffset) {
        return 0;
    }
    const auto since1601 = static_cast<std::uint64_t>(seconds + kFileTimeEpochOffset);
    return since1601 * kFileTimeUnitsPerSecond + static_cast<std::uint64_t>(nanoseconds / 100);
}

FileTime FileTimeFromTimespec(const timespec& time) {
    return FileTimeFromUnix(time.tv_sec, time.tv_nsec);
}

timespec TimespecFromFileTime(FileTime time) {
    timespec result{};
    result.tv_sec = static_cast<time_t>(static_cast<std::int64_t>(time / kFileTimeUnitsPerSecond) -
                                        kFileTimeEpochOffset);
    result.tv_nsec = static_cast<long>(time % kFileTimeUnitsPerSecond) * 100;
    return result;
}

bool LocalTimeText(FileTime time, std::string& text) {
    const timespec unixTime = TimespecFromFileTime(time);
    std::tm local{};
    if (localtime_r(&unixTime.tv_sec, &local) == nullptr) {
        return false;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    text = buffer;
    return true;
}

bool SetPathTimes(const std::string& path, FileTime time) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const timespec unixTime = TimespecFromFileTime(time);
    const timespec times[2] = {unixTime, unixTime};
    const bool ok = futimens(fd, times) == 0;
    return close(fd) == 0 && ok;
}

std::string CTimeText(std::time_t when) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr || local.tm_wday < 0 || local.tm_wday > 6 ||
        local.tm_mon < 0 || local.tm_mon > 11) {
        return "??? ??? ?? ??:??:?? ????";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", kDays[local.tm_wday],
                  kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_year + 1900);
    return buffer;
}

}  // namespace kelvane
