// Rewriting one style file with a new Music Finder section, and the per-record wrapper.
#include "fileops/ZOLMdbWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileColumns.h"
#include "scan/ZOLDataFileWriter.h"
#include "support/FaultPoints.h"
#include "support/NUVDbg.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFileOps.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVText.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// What a rename reports when a test's fault point makes it fail.
constexpr StatusCode kStepFailed = status::kUnspecified;

struct SectionBounds {
    int64_t start = -1;  // position of the "FNRc" tag
    int64_t end = -1;    // its last byte
};

// Where the old section lies. -10311 when the analysis did not walk the whole section chain.
StatusCode LocateMdbSection(const std::string& path, SectionBounds& bounds) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return status::kMdbOpenStyleFile;
    }
    CZOLMidi& analyser = ThreadAnalyser();
    analyser.SetSongList(nullptr);
    const int read = analyser.AnalyseOpenFile(path, fd);
    close(fd);
    const AnalysisResult& r = analyser.Result();
    if (read == 0 || r.casmError || r.otsError || r.mdbError) {
        return status::kMdbSectionsUnknown;
    }
    bounds.start = r.mdbStart;
    bounds.end = r.mdbEnd;
    return 0;
}

// Head, new section and tail into the open temporary file. 0 or the first failure.
StatusCode WriteNewContent(StyleDataPacket& record, FileHandle in, FileHandle out,
                           const SectionBounds& bounds) {
    struct stat info {};
    if (fstat(fileno(in), &info) != 0) {
        return status::kMdbOpenStyleFile;
    }
    const int64_t size = info.st_size;
    fchmod(fileno(out), info.st_mode & 07777);
    const int64_t head = bounds.start >= 0 && bounds.start <= size ? bounds.start : size;
    StatusCode result =
        FaultDue(FaultPoint::MdbCopyHead) ? status::kShortWrite : CopyFileBlock(in, out, head);
    if (result != 0) {
        return result;
    }
    result = FaultDue(FaultPoint::MdbWriteSection) ? status::kMdbSectionWrite
                                                   : WriteMdbSection(record.songs, out);
    if (result != 0) {
        return result;
    }
    if (bounds.start >= 0 && bounds.end + 1 < size) {
        if (std::fseek(in, static_cast<long>(bounds.end + 1), SEEK_SET) != 0) {
            return status::kShortRead;
        }
        result = FaultDue(FaultPoint::MdbCopyTail) ? status::kShortWrite
                                                   : CopyFileBlock(in, out, size - bounds.end - 1);
    }
    return result;
}

// Flushes the new content to the medium and closes both files; the first failure.
StatusCode CloseBoth(FileHandle in, FileHandle out, StatusCode result) {
    if (FaultDue(FaultPoint::MdbCloseTemp)) {
        result = result != 0 ? result : status::kCloseFlushError;
    }
    if (std::fflush(out) != 0 || fsync(fileno(out)) != 0) {
        result = result != 0 ? result : status::kCloseFlushError;
    }
    const StatusCode closedOut = FileClose(out);
    const StatusCode closedIn = FileClose(in);
    if (result == 0) {
        result = closedOut != 0 ? closedOut : closedIn;
    }
    return result;
}

// Puts the new file in place of the old one; on failure the old one is back under its name.
StatusCode SwapIn(const std::string& path, const std::string& folder, const std::string& newFile) {
    std::string saved;
    StatusCode result = UniqueFileName(folder, saved);
    if (result == 0) {
        result = FaultDue(FaultPoint::MdbRenameAway) ? kStepFailed : FileRename(path, saved);
    }
    if (result != 0) {
        NUV_WARNING("%s %s", Translate("Cannot rename file to temp file name: ").c_str(),
                    path.c_str());
        FileDeleteForced(newFile);
        return result;
    }
    result = FaultDue(FaultPoint::MdbRenameIn) ? kStepFailed : FileRename(newFile, path);
    if (result != 0) {
        NUV_WARNING("%s %s", Translate("Cannot rename file from temp file name: ").c_str(),
                    newFile.c_str());
        FileDeleteForced(newFile);
        FileRename(saved, path);
        return result;
    }
    FileDeleteForced(saved);
    return 0;
}

void CopyInFileFields(SongDataPacket& to, const SongDataPacket& from) {
    for (int id : {kSongFieldTitle, kSongFieldGenre, kSongFieldKeyword1, kSongFieldKeyword2,
                   kSongFieldTempo, kSongFieldTimeSig}) {
        if (to.TypeOf(id) == FT_NUMBER) {
            to.SetNumber(id, from.Number(id));
        } else {
            AssignSongField(to, id, std::string(from.Text(id)));
        }
    }
}

bool TitleIsUnique(const SongList& songs, const SongDataPacket* song) {
    const std::string_view title = song->Text(kSongFieldTitle);
    return std::count_if(songs.begin(), songs.end(), [title](const SongDataPacket* other) {
               return EqualsIgnoringCase(other->Text(kSongFieldTitle), title);
           }) == 1;
}

// The file analysed again into the record. The songs that were written stay the record's
// songs (the collector would merge songs of the same title and drop the user-only values);
// when the new section was read back complete, they take the values as read and status 1.
StatusCode Reanalyse(StyleDataPacket& record, const std::string& path) {
    SongList written = std::move(record.songs);
    record.songs.clear();
    CZOLMidi& analyser = ThreadAnalyser();
    const StatusCode analysed =
        AnalyseFile(analyser, record, path, std::string(record.Text(kFieldFilename)));
    const AnalysisResult& r = analyser.Result();
    const bool readBack =
        analysed == 0 &&
        (written.empty() ? r.mdbStart < 0
                         : !r.mdbError && r.mdbRecords == static_cast<int>(written.size()));
    SongList collected = std::move(record.songs);
    record.songs = std::move(written);
    if (readBack) {
        for (SongDataPacket* song : record.songs) {
            const SongDataPacket* read = FindSongByTitle(collected, song->Text(kSongFieldTitle));
            if (read != nullptr && TitleIsUnique(record.songs, song)) {
                CopyInFileFields(*song, *read);
            }
            song->SetNumber(kSongFieldStatus, kSongStatusInStyleFile);
        }
        record.mdbChanged = 0;
    }
    ReleaseSongList(collected);
    record.changed = 1;
    return analysed;
}

}  // namespace

StatusCode WriteMdbIntoFile(StyleDataPacket& record) {
    const std::string path = FullPathOf(&record);
    const std::string folder(record.Text(kFieldPath));
    SectionBounds bounds;
    StatusCode result = LocateMdbSection(path, bounds);
    if (result != 0) {
        return result;
    }
    std::string newFile;
    if (UniqueFileName(folder, newFile) != 0) {
        return status::kMdbCreateTemp;
    }
    FileHandle out = FaultDue(FaultPoint::MdbCreateTemp)
                         ? nullptr
                         : FileOpen(newFile, kFileBinary, kFileModeWrite);
    if (out == nullptr) {
        return status::kMdbCreateTemp;
    }
    FileHandle in = FaultDue(FaultPoint::MdbOpenStyleFile)
                        ? nullptr
                        : FileOpen(path, kFileBinary, kFileModeRead);
    if (in == nullptr) {
        FileClose(out);
        FileDeleteForced(newFile);
        return status::kMdbOpenStyleFile;
    }
    result = CloseBoth(in, out, WriteNewContent(record, in, out, bounds));
    if (result != 0) {
        FileDeleteForced(newFile);
        return result;
    }
    result = SwapIn(path, folder, newFile);
    if (result != 0) {
        return result;
    }
    return Reanalyse(record, path);
}

StatusCode WriteMdbOfRecord(StyleDataPacket& record) {
    const std::string path = FullPathOf(&record);
    if (record.mdbChanged == 0 && AllSongsInStyleFile(record.songs) != 0) {
        return status::kMdbUpToDate;
    }
    if (FileWritableState(path) != 2) {
        return status::kMdbNotWritable;
    }
    if (DiskFull(path) != 0) {
        return status::kMdbNoSpace;
    }
    const StatusCode result = WriteMdbIntoFile(record);
    ListViewMgr().Invalidate(0);
    if (result != 0) {
        NUV_WARNING("%s %d %s", Translate("Error writing mdb records - Error nr: ").c_str(), result,
                    path.c_str());
        return result;
    }
    const std::string folder(record.Text(kFieldPath));
    const StatusCode written =
        WriteDataFileCore(folder + CurrentModeNames().dataFile, folder, RecordStore().records,
                          kDataFileRewrite, DataFileSwitches(), &folder, false);
    if (written != 0) {
        NUV_WARNING(
            "%s %d %s",
            Translate("Error updating data file after writing mdb records - Error nr: ").c_str(),
            written, path.c_str());
    }
    return written;
}

}  // namespace kelvane
