#include "scan/ZOLImport.h"

#include <unordered_map>
#include <vector>

#include "platform/ProgramDir.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLImportMerge.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLWorkThread.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/NUVUserInterface.h"
#include "support/NUVWalk.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

void TraceText(const char* literal, const std::string& value) {
    if (TraceWanted(trace::kScan)) {
        TraceFormat(trace::kScan, true, "%s %s", literal, value.c_str());
    }
}

// The shown records, and for mode 1 the shown records by file id in list order.
struct ImportTargets {
    std::vector<StyleDataPacket*> shown;
    std::unordered_map<int, std::vector<StyleDataPacket*>> byFileId;
};

ImportTargets CollectTargets(const RecordList& records, const RecordPredicate& shown,
                             int importMode) {
    ImportTargets targets;
    for (StyleDataPacket* record : records) {
        if (shown && !shown(*record)) {
            continue;
        }
        if (importMode == 2) {
            targets.shown.push_back(record);
        } else {
            targets.byFileId[record->Number(kFieldFileId)].push_back(record);
        }
    }
    return targets;
}

StatusCode MergeOne(const StyleDataPacket& imported, ImportTargets& targets, int importMode) {
    if (importMode == 2) {
        for (StyleDataPacket* target : targets.shown) {
            MergeSongRealTitles(*target, imported);
        }
        return 0;
    }
    const auto found = targets.byFileId.find(imported.Number(kFieldFileId));
    if (found == targets.byFileId.end()) {
        return 0;
    }
    for (StyleDataPacket* target : found->second) {
        const StatusCode merged = MergeImportedRecord(*target, imported);
        if (merged != 0) {
            return merged;
        }
    }
    return 0;
}

StatusCode MergeAll(const std::string& file, RecordList& imported, RecordList& records,
                    const RecordPredicate& shown, int importMode,
                    const std::atomic<int>* abortFlag) {
    SetStatusPaneText(0, Translate("Processing imported data - please wait"));
    ImportTargets targets = CollectTargets(records, shown, importMode);
    long count = 0;
    for (const StyleDataPacket* record : imported) {
        if (abortFlag != nullptr && abortFlag->load() != 0) {
            TraceText("Importing data from file - aborted by user: ", file);
            return status::kAbortedByUser;
        }
        const StatusCode merged = MergeOne(*record, targets, importMode);
        if (merged != 0) {
            return merged;
        }
        if (++count % 10 == 0) {
            SetStatusPaneText(1, StrFormat("%ld", count));
        }
    }
    return 0;
}

}  // namespace

StatusCode ImportOneFile(const std::string& file, RecordList& records, const RecordPredicate& shown,
                         const std::atomic<int>* abortFlag) {
    ScanState().lastImportFile = file;
    SetStatusPaneText(0, Translate("Importing data from file - please wait"));
    TraceText("Importing data from file : ", file);
    RecordList imported;
    DataFileFacts facts;
    StatusCode result = ProcessStyleDataFile(file, " ", imported, nullptr, &facts);
    if (result != 0) {
        TraceFormat(trace::kScan, true, "%s %s %d",
                    "Reading import data file failed: ", file.c_str(), result);
        imported.ReleaseAll();
        return result;
    }
    if (facts.version < kLowestImportVersion) {
        const std::string text =
            Translate("File will be skipped.\nThe version of the import file is too old.");
        TraceFormat(trace::kScan, true, "%s %s %d %d ", text.c_str(), file.c_str(), facts.version,
                    kLowestImportVersion);
        NUV_WARNING("%s %s %d %d ", text.c_str(), file.c_str(), facts.version,
                    kLowestImportVersion);
    } else {
        result = MergeAll(file, imported, records, shown, facts.importMode, abortFlag);
    }
    imported.ReleaseAll();
    return result;
}

StatusCode ImportStyleData(const std::string& file, RecordList& records,
                           const RecordPredicate& shown) {
    ScanState().lastImportFile = file;
    WorkJobTexts texts;
    texts.title = Translate("Import Style Data");
    const auto threadFunction = [&file, &records, &shown](ZolWorkJob& job) {
        StatusCode status = ImportOneFile(file, records, shown, job.AbortFlag());
        const char* text = "Importing style data - finished";
        if (status == status::kAbortedByUser) {
            text = "Importing style data - aborting";
        } else if (status != 0) {
            NUV_WARNING("%s %d", Translate("Error during import file. Error Nr.: ").c_str(),
                        status);
            text = "Importing style data - finished with error";
        } else {
            SetStatusPaneText(0, Translate("Importing style data - updating data files"));
            status = UpdateStyleDataFiles(records);
            if (status != 0) {
                NUV_WARNING("%s %d",
                            Translate("Error during updating data files. Error Nr.: ").c_str(),
                            status);
                text = "Importing style data - finished with error";
            }
        }
        SetStatusPaneText(0, Translate(text));
        return status;
    };
    ZolWorkJob job;
    StatusCode status = 0;
    const StatusCode started = RunZolWorkThread(threadFunction, job, texts, &status);
    return started != 0 ? started : status;
}

StatusCode ImportMultipleStyleDataFiles(const std::string& filePattern, RecordList& records,
                                        const RecordPredicate& shown) {
    TraceFormat(trace::kScan, true, "%s %s", "ImportMultipleStyleDataFiles", filePattern.c_str());
    StatusCode firstFailure = 0;
    WalkContext context;
    InitWalkContext(context);
    context.fileSpec = filePattern;
    context.fileCallback = [&](WalkContext& walk) {
        NUV_DEBUG("%s %s", "ImportStyleDataThreadPreStart -- ", walk.currentFileName.c_str());
        const std::string path = walk.currentFolder + walk.currentFileName;
        TraceText("ImportStyleDataThreadPreStart : ", path);
        const StatusCode imported = ImportStyleData(path, records, shown);
        if (imported == status::kAbortedByUser) {
            firstFailure = imported;
            return imported;  // the user stopped the whole import
        }
        if (imported != 0 && firstFailure == 0) {
            firstFailure = imported;  // the other files are still imported
        }
        return 0;
    };
    StatusCode result = ProcessAllFiles(context);
    if (result == status::kNoFilesFound) {
        TraceText("ImportMultipleStyleDataFiles : No files found ", filePattern);
        result = 0;
    }
    SetStatusPaneText(0, Translate("Importing style data - finished"));
    return result != 0 ? result : firstFailure;
}

StatusCode ImportDefaultDataFiles(RecordList& records, const RecordPredicate& shown) {
    const std::string& pattern = CurrentModeNames().importPattern;
    if (pattern.empty()) {
        NUV_INFO("%s", Translate("No default data filename specified.").c_str());
        return 0;
    }
    const StatusCode result =
        ImportMultipleStyleDataFiles(ProgramFolder() + pattern, records, shown);
    if (result != 0) {
        // A damaged import file is the user's data, not a reason to end the program.
        NUV_WARNING("%s", Translate("Error occured during import default data files.").c_str());
    } else {
        NUV_INFO("%s", Translate("Default data files imported.").c_str());
    }
    return result;
}

}  // namespace kelvane
