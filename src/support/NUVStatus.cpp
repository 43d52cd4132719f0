#include "support/NUVStatus.h"

#include <algorithm>
#include <array>
#include <utility>

#include "support/NUVLang.h"

namespace kelvane {
namespace {

struct StatusMessage {
    StatusCode code;
    const char* text;
};

// Sorted by code, descending (closest to 0 first), so lookups can bisect.
constexpr std::array kMessages = std::to_array<StatusMessage>({
    {-1, "Internal Error - Unspecified error"},
    {-2, "Internal Error - Function not implemented"},
    {-3, "Error in command line"},
    {-4, "Canceled by user"},
    {-102, "Internal Error - Close file error"},
    {-103, "Delete error - file not found"},
    {-104, "Delete error - file is write protected"},
    {-105, "Internal Error - Read block seek error"},
    {-107, "Internal Error - Read line error"},
    {-108, "Internal Error - Read line too long"},
    {-109, "Rename - Bad filename"},
    {-110, "Rename to different drive not possible"},
    {-111, "Rename file not found"},
    {-113, "Internal Error - Too many requests"},
    {-114, "Internal Error - Unknown error"},
    {-115, "Internal Error - Write block seek error"},
    {-116, "Internal Error - Write line error"},
    {-117, "File not found"},
    {-118, "File creation error"},
    {-119, "File copy error"},
    {-121, "Internal Error - Read block error"},
    {-122, "Internal Error - Write block error"},
    {-123, "Internal Error - Close src file error"},
    {-124, "Internal Error - Close dest file error"},
    {-128, "Internal Error - Get file size error"},
    {-129, "Internal Error - Error determining path of executable file"},
    {-130, "Internal Error - Calc full filename error"},
    {-131, "Internal Error - Expand pathname error"},
    {-132, "Internal Error - Split path: path string size too small"},
    {-133, "Internal Error - Split path: drive string size too small"},
    {-134, "Internal Error - Split path: directory string size too small"},
    {-135, "Internal Error - Split path: filename string size too small"},
    {-136, "Internal Error - Split path: extension string size too small"},
    {-137, "Internal Error - Unique filename destination string size too small"},
    {-138, "Internal Error - Unique filename creation error"},
    {-139, "Internal Error - Change file protection failed"},
    {-140, "Rename file no space"},
    {-141, "Internal Error - Rename file alloc error"},
    {-142, "Internal Error - Delete file alloc error"},
    {-143, "Internal Error - Delete file forced alloc error"},
    {-144, "Internal Error - Write line to file alloc error"},
    {-145, "Internal Error - Get file size alloc error"},
    {-146, "Internal Error - Set file protection readwrite alloc error"},
    {-147, "Internal Error - Set file protection readonly alloc error"},
    {-148, "Internal Error - File exist alloc error"},
    {-152, "Internal Error - Close file flush error"},
    {-161, "Permission denied"},
    {-162, "Internal Error - Bad file number"},
    {-163, "File exist"},
    {-164, "Internal Error - Too many open files"},
    {-165, "No such file or directory"},
    {-166, "No space left on device"},
    {-170, "Write protected disk"},
    {-171, "Internal Error - Unknown unit"},
    {-172, "Drive not ready"},
    {-173, "Internal Error - Unknown command"},
    {-174, "Internal Error - Crc error"},
    {-175, "Internal Error - Bad drive request structure length"},
    {-176, "Internal Error - Seek error"},
    {-177, "Internal Error - Unknown media type"},
    {-178, "Internal Error - Sector not found"},
    {-179, "Printer out of paper"},
    {-180, "Internal Error - Write fault"},
    {-181, "Internal Error - Read fault"},
    {-182, "Internal Error - General failure"},
    {-183, "Media changed"},
    {-184, "Internal Error - Cannot make file"},
    {-200, "Cannot open file"},
    {-201, "Internal Error - Error during file close"},
    {-202, "No files found"},
    {-203, "Invalid filename"},
    {-204, "Cannot open output file"},
    {-205, "Processing aborted by user"},
    {-206, "Processing aborted by user"},
    {-207, "Access to file denied"},
    {-214, "Internal Error - Unknown error during 'find file'"},
    {-215, "Internal Error - Unknown error during 'find next file'"},
    {-220, "Configuration file not found"},
    {-221, "Error opening configuration file"},
    {-222, "Illegal data in configuration file"},
    {-1000, "Internal Error - Logfile name too long"},
    {-1001, "Internal Error - Logfile open error"},
    {-1002, "Internal Error - Logfile close error"},
    {-1003, "Internal Error - Logfile delete error"},
    {-1004, "Internal Error - Logfile write error"},
    {-1005, "Internal Error - Logfile getsize error"},
    {-1006, "Internal Error - Logfile delete bak error"},
    {-1007, "Internal Error - Logfile rename error"},
});

static_assert(std::is_sorted(kMessages.begin(), kMessages.end(),
                             [](const StatusMessage& a, const StatusMessage& b) {
                                 return a.code > b.code;
                             }));

}  // namespace

const char* StatusTextKey(StatusCode code) {
    auto it = std::lower_bound(kMessages.begin(), kMessages.end(), code,
                               [](const StatusMessage& m, StatusCode c) { return m.code > c; });
    if (it == kMessages.end() || it->code != code) {
        return "";
    }
    return it->text;
}

std::string StatusText(StatusCode code) {
    const char* key = StatusTextKey(code);
    if (*key == '\0') {
        return {};
    }
    return Translate(key);
}

}  // namespace kelvane
