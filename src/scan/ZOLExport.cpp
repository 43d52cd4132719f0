#include "scan/ZOLExport.h"

#include "records/ZOLFieldIds.h"
#include "scan/ZOLDataFileLines.h"
#include "scan/ZOLScanState.h"
#include "support/NUVAtomicFile.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVStatus.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// Writes the lines before the records. 0, a failed write, or an internal-error status.
StatusCode WriteExportHead(CNuvAtomicFile& file, const ExportOptions& options) {
    std::string line;
    if (options.separatorHint && !file.WriteLine("sep=|")) {
        return status::kWriteLineError;
    }
    if (!options.noVersion && !file.WriteLine(VersionLine())) {
        return status::kWriteLineError;
    }
    if (options.styleSwitches != nullptr) {
        const StatusCode built = BuildHeaderLine(line, *options.styleSwitches);
        if (built != 0) {
            return built;
        }
        if (!file.WriteLine(line)) {
            return status::kWriteLineError;
        }
    }
    if (options.songSwitches != nullptr && IsStyleMode()) {
        const StatusCode built = BuildSongHeaderLine(line, *options.songSwitches);
        if (built != 0) {
            return built;
        }
        if (!file.WriteLine(line)) {
            return status::kWriteLineError;
        }
    }
    return 0;
}

StatusCode WriteExportRecord(CNuvAtomicFile& file, const ExportOptions& options,
                             const StyleDataPacket& record, const SongPredicate& songShown,
                             std::string& line) {
    if (options.styleSwitches != nullptr) {
        const StatusCode built = BuildDataLine(line, record, *options.styleSwitches);
        if (built != 0) {
            return built;
        }
        if (!file.WriteLine(line)) {
            return status::kWriteLineError;
        }
    }
    if (options.songSwitches == nullptr || !IsStyleMode()) {
        return 0;
    }
    const int fileId = record.Number(kFieldFileId);
    for (const SongDataPacket* song : record.songs) {
        if (songShown && !songShown(*song)) {
            continue;
        }
        const StatusCode built = BuildSongDataLine(line, *song, fileId, *options.songSwitches);
        if (built != 0) {
            return built;
        }
        if (!file.WriteLine(line)) {
            return status::kWriteLineError;
        }
    }
    return 0;
}

}  // namespace

StatusCode ExportStyleData(const std::string& file, const ExportOptions& options,
                           const RecordList& records, const RecordPredicate& shown,
                           const SongPredicate& songShown) {
    ScanState().lastExportFile = file;
    CNuvAtomicFile out;
    if ((options.openMode != 1 && options.openMode != 3) ||
        !out.Open(file, options.openMode == 3)) {
        NUV_WARNING("%s %s %d",
                    Translate("Error\nUnable to open export data file for write\nDevice write "
                              "protected or full ?\nFile (Error Code): ")
                        .c_str(),
                    file.c_str(), status::kExportOpen);
        return status::kDataFileOpenForWrite;
    }
    StatusCode result = WriteExportHead(out, options);
    int count = 0;
    std::string line;
    for (const StyleDataPacket* record : records) {
        if (result != 0) {
            break;
        }
        if (shown && !shown(*record)) {
            continue;
        }
        ++count;
        result = WriteExportRecord(out, options, *record, songShown, line);
    }
    if (result != 0) {
        out.Abandon();
        if (result != status::kWriteLineError) {
            return result;
        }
        NUV_WARNING("%s %s %d", Translate("Error when writing to export file (Filename)").c_str(),
                    file.c_str(), result);
        return status::kExportWrite;
    }
    if (!out.Commit()) {
        NUV_WARNING("%s %s %d", Translate("Error when closing export file (Filename)").c_str(),
                    file.c_str(), -102);
        return status::kExportClose;
    }
    const char* finished = IsStyleMode() ? "Finished: %d style data records exported."
                                         : "Finished: %d midi data records exported.";
    SetStatusPaneText(0, StrFormat(TranslateFormat(finished).c_str(), count));
    return 0;
}

StatusCode ExportDataToFile(const std::string& file, bool append, const RecordList& records,
                            const RecordPredicate& shown, const SongPredicate& songShown) {
    const FieldSwitchSet& switches = FieldSwitches().exportData;
    ExportOptions options;
    options.openMode = append ? 3 : 1;
    options.styleSwitches = &switches.style;
    options.songSwitches = &switches.song;
    return ExportStyleData(file, options, records, shown, songShown);
}

StatusCode ExportCsvToFile(const std::string& file, bool append, bool songRows,
                           const RecordList& records, const RecordPredicate& shown,
                           const SongPredicate& songShown) {
    const FieldSwitchSet& switches = FieldSwitches().csv;
    ExportOptions options;
    options.openMode = append ? 3 : 1;
    options.separatorHint = !append;
    options.noVersion = true;
    if (songRows) {
        options.songSwitches = &switches.song;
    } else {
        options.styleSwitches = &switches.style;
    }
    return ExportStyleData(file, options, records, shown, songShown);
}

}  // namespace kelvane
