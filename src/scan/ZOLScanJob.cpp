#include "scan/ZOLScanJob.h"

#include "scan/ZOLTreeScan.h"
#include "scan/ZOLWorkThread.h"
#include "support/NUVWorkThread.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {

StatusCode RunScan(const std::string& startFolder, int includeSubfolders, StatusCode* scanStatus) {
    const ScanFunction scan = [](const std::string& folder, int subfolders) {
        return ProcessStyleTree(folder, subfolders);
    };
    return RunScanWith(scan, startFolder, includeSubfolders, scanStatus);
}

StatusCode RunScan(IProgressHost& host, const std::string& startFolder, int includeSubfolders,
                   const ScanOptions& options, StatusCode* scanStatus) {
    const ScanFunction scan = [&options](const std::string& folder, int subfolders) {
        return ProcessStyleTree(folder, subfolders, options);
    };
    return RunScanWith(host, scan, startFolder, includeSubfolders, scanStatus);
}

StatusCode RunScan(StatusCode* scanStatus) {
    return RunScan(Config().effectiveStartPath, Config().includeSubfolders, scanStatus);
}

}  // namespace kelvane
