#include "output/ZOLModifySong.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "list/ZOLListViewMgr.h"
#include "output/ZOLModify.h"
#include "output/ZOLSongFromFileName.h"
#include "output/ZOLValidate.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "scan/ZOLDataFileWriter.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVText.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// The fields kept in the style file, whose change marks the song "Not in style file".
constexpr std::array<int, 5> kInFileTextFields = {
    kSongFieldTitle, kSongFieldGenre, kSongFieldKeyword1, kSongFieldKeyword2, kSongFieldTimeSig};
constexpr std::array<int, 3> kProgramOnlyFields = {kSongFieldRealTitle, kSongFieldNativeTitle,
                                                   kSongFieldArtist};

SongFieldTexts TextsOf(const SongDataPacket& song) {
    SongFieldTexts texts{};
    for (int id : kSongDialogFieldIds) {
        texts[static_cast<size_t>(id)] = song.TypeOf(id) == FT_NUMBER
                                             ? std::to_string(song.Number(id))
                                             : std::string(song.Text(id));
    }
    return texts;
}

void Override(std::string& text, const std::string& prefill) {
    if (!prefill.empty()) {
        text = prefill;
    }
}

// A text field: stored trimmed when not empty and different (ignoring case) as entered.
// 1 when stored, 0 when left, or a failure status.
StatusCode StoreIfDifferent(SongDataPacket& song, int id, const std::string& text) {
    if (text.empty() || EqualsIgnoringCase(text, song.Text(id))) {
        return 0;
    }
    const StatusCode stored = AssignSongField(song, id, Trimmed(text));
    return stored != 0 ? stored : 1;
}

}  // namespace

std::string SongFieldLabel(int songId) {
    const char* header = FieldHeader(songId, CatalogueKind::Song);
    return header != nullptr ? Translate(header) : std::string();
}

int32_t TempoFromText(const std::string& text) {
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > INT32_MAX || value < INT32_MIN) {
        return value < 0 ? INT32_MIN : INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

SongPrefill AddSongPrefill(const StyleDataPacket& style, bool fromFileName) {
    SongPrefill prefill;
    prefill.tempo = std::to_string(style.Number(kFieldTempo));
    prefill.timeSig = std::string(style.Text(kFieldTimeSig));
    if (fromFileName) {
        const SongNameParts parts = SongFromFileName(style.Text(kFieldFilename));
        prefill.artist = parts.artist.value_or("");
        prefill.title = parts.title.value_or("");
    }
    return prefill;
}

CZOLModifySongLogic::CZOLModifySongLogic(SongDataPacket* song) : song_(song) {
    ready_ = song != nullptr;
    if (ready_) {
        initial_ = TextsOf(*song);
    }
}

CZOLModifySongLogic::CZOLModifySongLogic(StyleDataPacket* owner, const SongPrefill& prefill,
                                         std::string title, bool writeDataFiles)
    : owner_(owner), title_(std::move(title)), isNewSong_(true), writeDataFiles_(writeDataFiles) {
    song_ = owner != nullptr ? NewSongRecord() : nullptr;
    if (song_ == nullptr) {
        NUV_WARNING("%s", Translate("Cannot get a song data packet.").c_str());
        ready_ = false;
        return;
    }
    song_->parent = owner;
    song_->SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
    initial_ = TextsOf(*song_);
    Override(initial_[kSongFieldArtist], prefill.artist);
    Override(initial_[kSongFieldTitle], prefill.title);
    Override(initial_[kSongFieldTempo], prefill.tempo);
    Override(initial_[kSongFieldTimeSig], prefill.timeSig);
}

CZOLModifySongLogic::CZOLModifySongLogic() {
    CZOLListViewMgr& list = ListViewMgr();
    for (long cursor = list.FirstSelectedRowNumber(); cursor != 0;) {
        if (SongDataPacket* song = list.SongRecordOfRow(list.NextSelected(cursor))) {
            rows_.push_back(song);
        }
    }
    if (rows_.size() == 1) {
        initial_ = TextsOf(*rows_.front());
    }
    inFileFieldsEnabled_ = false;
    for (const SongDataPacket* song : rows_) {
        inFileFieldsEnabled_ = inFileFieldsEnabled_ || song->Status() == kSongStatusNotInStyleFile;
    }
}

CZOLModifySongLogic::~CZOLModifySongLogic() {
    if (isNewSong_ && !committed_ && song_ != nullptr) {
        song_->parent = nullptr;
        ReleaseSongRecord(song_);
    }
}

StatusCode CZOLModifySongLogic::ApplyToSong(SongDataPacket& song,
                                            const SongFieldTexts& texts) const {
    if (song.parent != nullptr) {
        song.parent->changed = 1;
    }
    bool modified = false;
    if (inFileFieldsEnabled_) {
        for (int id : kInFileTextFields) {
            const StatusCode stored = StoreIfDifferent(song, id, texts[static_cast<size_t>(id)]);
            if (stored < 0) {
                return stored;
            }
            modified = modified || stored == 1;
        }
        if (!texts[kSongFieldTempo].empty()) {
            song.SetNumber(kSongFieldTempo, TempoFromText(texts[kSongFieldTempo]));
            modified = true;
        }
    }
    if (modified) {
        song.SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
    }
    for (int id : kProgramOnlyFields) {
        const StatusCode stored = StoreIfDifferent(song, id, texts[static_cast<size_t>(id)]);
        if (stored < 0) {
            return stored;
        }
    }
    return 0;
}

DialogOkResult CZOLModifySongLogic::Ok(const SongFieldTexts& texts) {
    if (!ready_ && rows_.empty()) {
        return {true, 0};
    }
    if (inFileFieldsEnabled_ &&
        (!ValidateNumberField(texts[kSongFieldTempo], SongFieldLabel(kSongFieldTempo),
                              kMinSongTempo, kMaxSongTempo) ||
         !ValidateTimeSignatureField(texts[kSongFieldTimeSig],
                                     SongFieldLabel(kSongFieldTimeSig)))) {
        return {false, 0};
    }
    std::vector<SongDataPacket*> targets = rows_;
    if (song_ != nullptr) {
        targets = {song_};
    }
    for (SongDataPacket* song : targets) {
        const StatusCode applied = ApplyToSong(*song, texts);
        if (applied != 0) {
            NUV_ERROR("%s %d", Translate("Error during modify song - Error nr : ").c_str(),
                      applied);
            return {true, applied};
        }
    }
    if (isNewSong_) {
        AppendSong(*owner_, song_);
        committed_ = true;
    }
    if (song_ == nullptr || writeDataFiles_) {
        return {true, UpdateStyleDataFiles(RecordStore().records)};
    }
    return {true, 0};
}

std::unique_ptr<CZOLModifySongLogic> AddSongFromFilenameCommand() {
    CZOLListViewMgr& list = ListViewMgr();
    if (!IsStyleMode() || list.CurrentViewMode() == Songs || !ModifyAllowedOnTree()) {
        return nullptr;
    }
    TraceModifyLine("RunAddSongFromFilenameDlg called");
    if (list.SelectedCount() != 1) {
        ShowBox(Translate(list.SelectedCount() == 0
                              ? "Please select one line to be modified"
                              : "Please select only one line to be modified"));
        return nullptr;
    }
    long cursor = list.FirstSelectedRowNumber();
    StyleDataPacket* record = list.StyleRecordOfRow(list.NextSelected(cursor));
    if (record == nullptr) {
        return nullptr;
    }
    auto logic = std::make_unique<CZOLModifySongLogic>(record, AddSongPrefill(*record, true),
                                                       "Add Song", true);
    return logic->Ready() ? std::move(logic) : nullptr;
}

}  // namespace kelvane
