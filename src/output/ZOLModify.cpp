#include "output/ZOLModify.h"

#include <algorithm>

#include "list/ZOLListViewMgr.h"
#include "output/ZOLValidate.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVText.h"
#include "support/NUVTrace.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr std::array<int, 2> kGenreFields = {kFieldStyleType, kFieldStyleSubtype};
constexpr std::array<int, 5> kPlainTextFields = {kFieldOrigModel, kFieldKbdModel, kFieldAuthor,
                                                 kFieldAux, kFieldUsage};
constexpr std::array<int, 2> kRankFields = {kFieldMyRank, kFieldRank};
constexpr std::array<int, 2> kMidiOnlyFields = {kFieldPerformer, kFieldUploadDate};

std::string FieldText(const StyleDataPacket& record, int id) {
    return record.TypeOf(id) == FT_NUMBER ? std::to_string(record.Number(id))
                                          : std::string(record.Text(id));
}

// A value entered by hand: the analysis must not take it back, so the analyser version turns
// negative.
void MarkAnalyserValueSetByHand(StyleDataPacket& record) {
    const int32_t version = record.Number(kFieldAnalyser);
    if (version > 0) {
        record.SetNumber(kFieldAnalyser, -version);
    } else if (version == 0) {
        record.SetNumber(kFieldAnalyser, -1);
    }
}

StatusCode StoreTrimmed(StyleDataPacket& record, int id, const std::string& text) {
    return text.empty() ? 0 : AssignStyleField(record, id, Trimmed(text));
}

StatusCode StoreRank(StyleDataPacket& record, int id, const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    int value = 0;
    if (ParseInteger(text, value) != 0) {
        value = 0;  // blanks: back to the default
    }
    if (record.SetNumber(id, value)) {
        return 0;
    }
    return AssignStyleField(record, id, std::to_string(value));
}

// The selected rows' style records, each once, in list order.
std::vector<StyleDataPacket*> SelectedRecords() {
    std::vector<StyleDataPacket*> records;
    CZOLListViewMgr& list = ListViewMgr();
    for (long cursor = list.FirstSelectedRowNumber(); cursor != 0;) {
        StyleDataPacket* record = list.StyleRecordOfRow(list.NextSelected(cursor));
        if (record != nullptr &&
            std::find(records.begin(), records.end(), record) == records.end()) {
            records.push_back(record);
        }
    }
    return records;
}

const SongList& NoSongs() {
    static const SongList empty;
    return empty;
}

}  // namespace

bool ModifyFieldShown(int fieldId) {
    const bool midiOnly = fieldId == kFieldPerformer || fieldId == kFieldUploadDate;
    return !midiOnly || !IsStyleMode();
}

std::string ModifyDialogTitle() {
    return Translate(IsStyleMode() ? "Modify Style Data" : "Modify Midi Data");
}

std::string ModifyTargetText(CZOLListViewMgr& list) {
    const long count = list.SelectedCount();
    if (count == 1) {
        long cursor = list.FirstSelectedRowNumber();
        const StyleDataPacket* record = list.StyleRecordOfRow(list.NextSelected(cursor));
        if (record != nullptr) {
            return StrFormat(TranslateFormat("Editing %s").c_str(),
                             std::string(record->Text(kFieldFilename)).c_str());
        }
    }
    return StrFormat(TranslateFormat("Editing %ld rows: an input changes each of them").c_str(),
                     count);
}

std::string ModifyFieldLabel(int fieldId) {
    const char* header = FieldHeader(fieldId);
    return header != nullptr ? Translate(header) : std::string();
}

std::vector<std::string> ExistingFieldValues(int pool) {
    std::vector<std::string> values;
    for (const PooledText* text = EnumerateFieldValues(pool, nullptr); text != nullptr;
         text = EnumerateFieldValues(pool, text)) {
        if (!text->text.empty()) {
            values.emplace_back(text->text);
        }
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

bool ValidateModifyFields(const ModifyFieldTexts& texts) {
    return std::all_of(kRankFields.begin(), kRankFields.end(), [&texts](int id) {
        return ValidateNumberField(texts[static_cast<size_t>(id)], ModifyFieldLabel(id), 0,
                                   kNoMaximum);
    });
}

StatusCode ApplyModifyFields(StyleDataPacket& record, const ModifyFieldTexts& texts) {
    record.changed = 1;
    for (int id : kGenreFields) {
        const std::string& text = texts[static_cast<size_t>(id)];
        if (text.empty() || EqualsIgnoringCase(text, record.Text(id))) {
            continue;
        }
        const StatusCode stored = AssignStyleField(record, id, Trimmed(text));
        if (stored != 0) {
            return stored;
        }
        MarkAnalyserValueSetByHand(record);
    }
    for (int id : kPlainTextFields) {
        if (const StatusCode stored = StoreTrimmed(record, id, texts[static_cast<size_t>(id)])) {
            return stored;
        }
    }
    for (int id : kRankFields) {
        if (const StatusCode stored = StoreRank(record, id, texts[static_cast<size_t>(id)])) {
            return stored;
        }
    }
    if (!IsStyleMode()) {
        for (int id : kMidiOnlyFields) {
            if (const StatusCode stored =
                    StoreTrimmed(record, id, texts[static_cast<size_t>(id)])) {
                return stored;
            }
        }
    }
    return 0;
}

bool ModifyAllowedOnTree() {
    if (ScanState().readOnlyMedium != 0) {
        ShowBox(Translate("Modify style data is not possible on readonly devices"));
        return false;
    }
    return true;
}

void TraceModifyLine(const char* text) {
    TraceLine(trace::kDebug, true, text);
}

ModifyTarget CheckModifyCommand() {
    if (!ModifyAllowedOnTree()) {
        return ModifyTarget::None;
    }
    CZOLListViewMgr& list = ListViewMgr();
    if (list.SelectedCount() == 0) {
        ShowBox(
            Translate("Please select one or more lines to be modified\n\n(you can use Ctrl-A "
                      "to select all lines)"));
        return ModifyTarget::None;
    }
    TraceModifyLine("Modify Dlg called");
    return list.CurrentViewMode() == Songs ? ModifyTarget::SongDialog : ModifyTarget::ModifyDialog;
}

CZOLModifyLogic::CZOLModifyLogic() : records_(SelectedRecords()) {
    if (records_.size() != 1) {
        return;
    }
    const StyleDataPacket& record = *records_.front();
    for (int id : kModifyFieldIds) {
        if (ModifyFieldShown(id)) {
            initial_[static_cast<size_t>(id)] = FieldText(record, id);
        }
    }
    if (!IsStyleMode()) {
        return;
    }
    workCopy_ = WorkCopyOfStyleRecord(&record);
    if (workCopy_ == nullptr) {
        NUV_WARNING("%s", Translate("Cannot get a work copy of the style data pkt.").c_str());
        return;
    }
    songsChanged_ = record.mdbChanged != 0;
}

CZOLModifyLogic::~CZOLModifyLogic() {
    if (workCopy_ != nullptr) {
        ReleaseStyleRecord(workCopy_);
    }
}

bool CZOLModifyLogic::SongListShown() const {
    return IsStyleMode();
}

const SongList& CZOLModifyLogic::Songs() const {
    return workCopy_ != nullptr ? workCopy_->songs : NoSongs();
}

std::unique_ptr<CZOLModifySongLogic> CZOLModifyLogic::AddSong(bool fromFileName) {
    if (workCopy_ == nullptr) {
        return nullptr;
    }
    auto logic = std::make_unique<CZOLModifySongLogic>(
        workCopy_, AddSongPrefill(*workCopy_, fromFileName), "Add Song", false);
    return logic->Ready() ? std::move(logic) : nullptr;
}

std::unique_ptr<CZOLModifySongLogic> CZOLModifyLogic::ModifySong(
    const std::vector<long>& selectedRows) {
    const SongList& songs = Songs();
    if (songs.empty()) {
        ShowBox(Translate("There are no songs to be modified."));
        return nullptr;
    }
    if (selectedRows.size() != 1) {
        ShowBox(Translate(selectedRows.empty()
                              ? "Please select the song to be modified in the list."
                              : "Please select only one song to be modified."));
        return nullptr;
    }
    const long row = selectedRows.front();
    if (row < 0 || static_cast<size_t>(row) >= songs.size()) {
        return nullptr;
    }
    return std::make_unique<CZOLModifySongLogic>(songs[static_cast<size_t>(row)]);
}

bool CZOLModifyLogic::RemoveSongs(const std::vector<long>& selectedRows) {
    const SongList& songs = Songs();
    if (songs.empty()) {
        ShowBox(Translate("There are no songs to be removed."));
        return false;
    }
    if (selectedRows.empty()) {
        ShowBox(Translate("Please select the songs to be removed in the list."));
        return false;
    }
    std::vector<SongDataPacket*> chosen;
    for (long row : selectedRows) {
        if (row < 0 || static_cast<size_t>(row) >= songs.size()) {
            NUV_ERROR("%s", Translate("Error during remove song").c_str());
            break;
        }
        chosen.push_back(songs[static_cast<size_t>(row)]);
    }
    for (SongDataPacket* song : chosen) {
        RemoveSong(*workCopy_, song);
    }
    songsChanged_ = songsChanged_ || !chosen.empty();
    return !chosen.empty();
}

DialogOkResult CZOLModifyLogic::Ok(const ModifyFieldTexts& texts) {
    if (!ValidateModifyFields(texts)) {
        return {false, 0};
    }
    StatusCode failed = 0;
    for (StyleDataPacket* record : records_) {
        failed = ApplyModifyFields(*record, texts);
        if (failed != 0) {
            NUV_ERROR("%s %d", Translate("Error during modify - Error nr : ").c_str(), failed);
            break;
        }
    }
    if (workCopy_ != nullptr) {
        StyleDataPacket& real = *records_.front();
        ReleaseSongList(real.songs);
        real.songs = std::move(workCopy_->songs);
        workCopy_->songs.clear();
        for (SongDataPacket* song : real.songs) {
            song->parent = &real;
        }
        real.mdbChanged = songsChanged_ ? 1 : 0;
        ReleaseStyleRecord(workCopy_);
        workCopy_ = nullptr;
        ListViewMgr().Invalidate(1);
    }
    if (failed != 0) {
        return {true, failed};
    }
    return {true, UpdateStyleDataFiles(RecordStore().records)};
}

}  // namespace kelvane
