#include "scan/ZOLScanJob.h"

#include "scan/ZOLTreeScan.h"
#include "scan/ZOLWorkThread.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {

StatusCode RunScan(const std::string& startFolder, int includeSubfolders, StatusCode* scanStatus) {
    return RunScanWith(ProcessStyleTree, startFolder, includeSubfolders, scanStatus);
}

StatusCode RunScan(StatusCode* scanStatus) {
    return RunScan(Config().effectiveStartPath, Config().includeSubfolders, scanStatus);
}

}  // namespace kelvane
