#include "scan/ZOLDataFileWriter.h"

#include <cstdlib>
#include <unordered_set>
#include <vector>

#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileLines.h"
#include "scan/ZOLScanState.h"
#include "support/NUVAtomicFile.h"
#include "support/NUVDbg.h"
#include "support/NUVFileOps.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVStatus.h"
#include "support/NUVTrace.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

void TraceText(const char* literal, const std::string& value) {
    if (TraceWanted(trace::kScan)) {
        TraceFormat(trace::kScan, true, "%s %s", literal, value.c_str());
    }
}

// A newer program's records keep a version this program can produce, so that the newer
// program analyses them again instead of trusting values written without its fields.
void ClampForeignAnalyserVersion(StyleDataPacket& record) {
    const int limit = CurrentModeNames().combinedAnalyserVersion;
    const int version = record.Number(kFieldAnalyser);
    if (std::abs(static_cast<long>(version)) > limit) {
        record.SetNumber(kFieldAnalyser, version < 0 ? -limit : limit);
    }
}

// The records a write touched, to update their marks once the file is in place.
struct WrittenRecords {
    std::vector<StyleDataPacket*> written;
    std::vector<StyleDataPacket*> removed;
};

class CDataFileWrite {
  public:
    explicit CDataFileWrite(const FieldSwitchSet& switches) : switches_(switches) {}

    StatusCode WriteHead(std::string_view pathLineText) {
        if (!file_.WriteLine(VersionLine()) || !file_.WriteLine(PathLine(pathLineText))) {
            return status::kWriteLineError;
        }
        const StatusCode header = WriteBuilt(BuildHeaderLine(line_, switches_.style));
        if (header != 0 || !IsStyleMode()) {
            return header;
        }
        return WriteBuilt(BuildSongHeaderLine(line_, switches_.song));
    }

    StatusCode WriteRecord(StyleDataPacket& record) {
        if (ScanState().foreignFields != 0) {
            ClampForeignAnalyserVersion(record);
        }
        const StatusCode data = WriteBuilt(BuildDataLine(line_, record, switches_.style));
        if (data != 0 || !IsStyleMode()) {
            return data;
        }
        const int fileId = record.Number(kFieldFileId);
        for (const SongDataPacket* song : record.songs) {
            const StatusCode written =
                WriteBuilt(BuildSongDataLine(line_, *song, fileId, switches_.song));
            if (written != 0) {
                return written;
            }
        }
        return 0;
    }

    CNuvAtomicFile& File() { return file_; }

  private:
    // Writes the line just built, unless building it failed.
    StatusCode WriteBuilt(StatusCode built) {
        if (built != 0) {
            return built;
        }
        return file_.WriteLine(line_) ? 0 : status::kWriteLineError;
    }

    const FieldSwitchSet& switches_;
    CNuvAtomicFile file_;
    std::string line_;
};

// Writes the head and the records; fills `touched`. 0 or the failing status.
StatusCode WriteBody(CDataFileWrite& write, std::string_view pathLineText, RecordList& list,
                     const std::string* root, bool subtree, WrittenRecords& touched) {
    StatusCode result = write.WriteHead(pathLineText);
    for (StyleDataPacket* record : list) {
        if (result != 0) {
            break;
        }
        if (root != nullptr && !FolderMatchesRoot(record->Text(kFieldPath), *root, subtree)) {
            continue;
        }
        if (record->removed != 0) {
            touched.removed.push_back(record);
            continue;
        }
        result = write.WriteRecord(*record);
        touched.written.push_back(record);
    }
    return result;
}

void ApplyMarks(RecordList& list, const WrittenRecords& touched) {
    for (StyleDataPacket* record : touched.written) {
        record->changed = 0;
    }
    if (!touched.removed.empty()) {
        const std::unordered_set<const StyleDataPacket*> gone(touched.removed.begin(),
                                                              touched.removed.end());
        list.ReleaseIf([&gone](const StyleDataPacket& record) { return gone.count(&record) != 0; });
    }
}

}  // namespace

bool FolderMatchesRoot(std::string_view folder, std::string_view root, bool subtree) {
    // A folder text without its closing "/" names the same folder.
    if (!folder.empty() && folder.back() != '/' && folder.size() + 1 == root.size() &&
        root.compare(0, folder.size(), folder) == 0) {
        return true;
    }
    if (subtree) {
        return folder.size() >= root.size() && folder.compare(0, root.size(), root) == 0;
    }
    return folder == root;
}

StatusCode ReportDataFileNotWritable(const std::string& path) {
    NUV_WARNING("%s %s %d",
                Translate("Error\nUnable to open data file for write.\nDevice write "
                          "protected or full ?\nFile (Error Code): ")
                    .c_str(),
                path.c_str(), status::kDataFileOpenForWrite);
    return status::kDataFileOpenForWrite;
}

StatusCode WriteDataFileCore(const std::string& path, std::string_view pathLineText,
                             RecordList& list, int openMode, const FieldSwitchSet& switches,
                             const std::string* rootFolder, bool subtree) {
    if (ScanState().writingDisabled != 0) {
        TraceLine(trace::kDebug, true, "WRITING OF DATAFILES IS DISABLED !!!");
        return 0;
    }
    std::string root;
    if (rootFolder != nullptr) {
        root = rootFolder->empty() || rootFolder->back() != '/' ? *rootFolder + "/" : *rootFolder;
    }
    CDataFileWrite write(switches);
    CNuvAtomicFile& file = write.File();
    if ((openMode != kDataFileRewrite && openMode != kDataFileAppend) ||
        !file.Open(path, openMode == kDataFileAppend)) {
        return ReportDataFileNotWritable(path);
    }
    WrittenRecords touched;
    const StatusCode result = WriteBody(write, pathLineText, list,
                                        rootFolder != nullptr ? &root : nullptr, subtree, touched);
    if (result != 0) {
        file.Abandon();
        if (result != status::kWriteLineError) {
            return result;  // an internal error, reported where it was found
        }
        NUV_WARNING("%s %s %d", Translate("Error writing to zolfile").c_str(), path.c_str(),
                    result);
        return status::kDataFileWrite;
    }
    if (openMode == kDataFileRewrite && touched.written.empty()) {
        file.Abandon();
        FileDelete(path);
    } else if (!file.Commit()) {
        NUV_WARNING("%s %s %d", Translate("Error closing zolfile").c_str(), path.c_str(),
                    status::kCloseError);
        return status::kDataFileClose;
    }
    ApplyMarks(list, touched);
    return 0;
}

StatusCode WriteStyleDataFile(const std::string& path, std::string_view pathLineText,
                              RecordList& list) {
    TraceText("WriteStyleDataFile : ", path);
    if (list.empty()) {
        FileDelete(path);
        return 0;
    }
    return WriteDataFileCore(path, pathLineText, list, kDataFileRewrite, DataFileSwitches());
}

StatusCode AppendToStyleDataFile(const std::string& path, RecordList& list) {
    TraceText("AppendToStyleDataFile : ", path);
    return WriteDataFileCore(path, "Dummy", list, kDataFileAppend, DataFileSwitches());
}

StatusCode UpdateStyleDataFiles(RecordList& list) {
    // Folders written in this update; a folder whose records stay marked (writing switched
    // off) is not visited again, so the update always ends.
    std::unordered_set<std::string> done;
    std::size_t index = 0;
    while (index < list.size()) {
        const StyleDataPacket* record = list[index];
        if (record->changed == 0 && record->removed == 0) {
            ++index;
            continue;
        }
        const std::string folder = WithSlash(record->Text(kFieldPath));
        // A record without folder belongs to no data file.
        if (folder.empty() || !done.insert(folder).second) {
            ++index;
            continue;
        }
        const StatusCode written =
            WriteDataFileCore(folder + CurrentModeNames().dataFile, folder, list, kDataFileRewrite,
                              DataFileSwitches(), &folder, false);
        if (written != 0) {
            return written;
        }
        // Records before `index` were unmarked and stay where they are.
    }
    return 0;
}

}  // namespace kelvane
