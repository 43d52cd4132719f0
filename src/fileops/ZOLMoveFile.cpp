#include "fileops/ZOLMoveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "scan/ZOLDataFileColumns.h"
#include "scan/ZOLDataFileLines.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "support/FaultPoints.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVStatus.h"
#include "support/NUVTrace.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

void AddLine(std::string& block, const std::string& line) {
    block += line;
    block += "\r\n";
}

// The block as the data-file writers write an appended one. 0 or an internal-error status.
StatusCode BuildBlock(const RecordList& list, std::string& block) {
    const FieldSwitchSet& switches = DataFileSwitches();
    std::string line;
    AddLine(block, VersionLine());
    AddLine(block, PathLine("Dummy"));
    StatusCode built = BuildHeaderLine(line, switches.style);
    if (built != 0) {
        return built;
    }
    AddLine(block, line);
    const bool songs = IsStyleMode();
    if (songs) {
        if ((built = BuildSongHeaderLine(line, switches.song)) != 0) {
            return built;
        }
        AddLine(block, line);
    }
    const int limit = CurrentModeNames().combinedAnalyserVersion;
    for (StyleDataPacket* record : list) {
        // A newer program's analyser value is held at ours, as in the folder's data file.
        const int version = record->Number(kFieldAnalyser);
        if (ScanState().foreignFields != 0 && std::abs(static_cast<long>(version)) > limit) {
            record->SetNumber(kFieldAnalyser, version < 0 ? -limit : limit);
        }
        if ((built = BuildDataLine(line, *record, switches.style)) != 0) {
            return built;
        }
        AddLine(block, line);
        for (const SongDataPacket* song : songs ? record->songs : SongList{}) {
            built = BuildSongDataLine(line, *song, record->Number(kFieldFileId), switches.song);
            if (built != 0) {
                return built;
            }
            AddLine(block, line);
        }
    }
    return 0;
}

// Writes every byte; 0 or the errno of the failure.
int WriteAll(int fd, const std::string& bytes) {
    const long limit = TakeFaultValue(FaultPoint::MoveFileAppend);
    const size_t allowed = limit >= 0 && static_cast<size_t>(limit) < bytes.size()
                               ? static_cast<size_t>(limit)
                               : bytes.size();
    size_t done = 0;
    while (done < allowed) {
        const ssize_t put = write(fd, bytes.data() + done, allowed - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<size_t>(put);
    }
    if (allowed < bytes.size()) {
        return ENOSPC;
    }
    return fsync(fd) == 0 ? 0 : errno;
}

}  // namespace

StatusCode AppendToMoveFile(const std::string& path, RecordList& list) {
    TraceFormat(trace::kScan, true, "%s %s", "AppendToMoveFile : ", path.c_str());
    if (ScanState().writingDisabled != 0) {
        TraceLine(trace::kDebug, true, "WRITING OF DATAFILES IS DISABLED !!!");
        return 0;
    }
    std::string block;
    const StatusCode built = BuildBlock(list, block);
    if (built != 0) {
        return built;
    }
    struct stat before {};
    const bool existed = stat(path.c_str(), &before) == 0;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
        return ReportDataFileNotWritable(path);
    }
    struct stat opened {};
    const off_t oldLength = fstat(fd, &opened) == 0 ? opened.st_size : 0;
    const int error = WriteAll(fd, block);
    if (error != 0) {
        // Back to the old content; a file this append created goes again.
        if (ftruncate(fd, oldLength) == 0) {
            fsync(fd);
        }
        close(fd);
        if (!existed) {
            unlink(path.c_str());
        }
        TraceFormat(trace::kDebug, true, "%s %s %d", "Append to move file failed :", path.c_str(),
                    error);
        return error == ENOSPC || error == EDQUOT ? status::kNoSpaceLeft : status::kDataFileWrite;
    }
    close(fd);  // the block is on the medium already (fsync)
    for (StyleDataPacket* record : list) {
        record->changed = 0;
    }
    return 0;
}

}  // namespace kelvane
