#include "scan/ZOLImportMerge.h"

#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordText.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

bool IsTextType(FieldType type) {
    return type == FT_OWN_TEXT || type == FT_SHARED_TEXT || type == FT_LETTER;
}

// The first song of `songs` with the same title or the same real title (ignoring case);
// empty values of the target never match.
SongDataPacket* FindMatchingSong(const SongList& songs, std::string_view title,
                                 std::string_view realTitle) {
    for (SongDataPacket* song : songs) {
        const std::string_view ownTitle = song->Text(kSongFieldTitle);
        const std::string_view ownReal = song->Text(kSongFieldRealTitle);
        if ((!ownTitle.empty() && EqualsIgnoreCase(ownTitle, title)) ||
            (!ownReal.empty() && EqualsIgnoreCase(ownReal, realTitle))) {
            return song;
        }
    }
    return nullptr;
}

// Fills what the found song lacks: the fields kept only by the program, or every field of a
// song that is not in the style file.
void FillSong(SongDataPacket& found, const SongDataPacket& imported) {
    const bool everyField = found.Status() == kSongStatusNotInStyleFile;
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Song)) {
        if (row.inStyleFile != 0 && !everyField) {
            continue;
        }
        if (row.type == FT_NUMBER) {
            if (found.Number(row.id) == 0) {
                found.SetNumber(row.id, imported.Number(row.id));
            }
        } else if (IsTextType(row.type) && found.Text(row.id).empty() &&
                   !imported.Text(row.id).empty()) {
            AssignSongField(found, row.id, imported.Text(row.id));
        }
    }
}

StatusCode MergeImportedSongs(StyleDataPacket& target, const StyleDataPacket& imported) {
    for (const SongDataPacket* song : imported.songs) {
        const std::string_view title = TrimBlanks(song->Text(kSongFieldTitle));
        const std::string_view realTitle = TrimBlanks(song->Text(kSongFieldRealTitle));
        SongDataPacket* found = FindMatchingSong(target.songs, title, realTitle);
        if (found != nullptr) {
            FillSong(*found, *song);
        } else {
            SongDataPacket* copy = NewSongRecord();
            if (copy == nullptr) {
                return status::kMergeNoSongRecord;
            }
            CopySongRecord(copy, song);
            copy->SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
            AppendSong(target, copy);
        }
        target.changed = 1;
    }
    return 0;
}

bool SkippedUserField(int id) {
    if (id == kFieldRank || id == kFieldMyRank) {
        return true;
    }
    return IsStyleMode() &&
           (id == kFieldStyleType || id == kFieldStyleSubtype || id == kFieldAnalyser);
}

void MergeRank(StyleDataPacket& target, const StyleDataPacket& imported) {
    if (imported.Number(kFieldRank) > target.Number(kFieldRank)) {
        target.SetNumber(kFieldRank, imported.Number(kFieldRank));
        target.changed = 1;
    }
    if (imported.Number(kFieldMyRank) > target.Number(kFieldRank)) {
        target.SetNumber(kFieldRank, imported.Number(kFieldMyRank));
        target.changed = 1;
    }
}

void MergeUserFields(StyleDataPacket& target, const StyleDataPacket& imported) {
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Current)) {
        if (row.userField == 0 || SkippedUserField(row.id)) {
            continue;
        }
        if (row.type == FT_NUMBER) {
            if (target.Number(row.id) == 0 && imported.Number(row.id) > 0) {
                target.SetNumber(row.id, imported.Number(row.id));
                target.changed = 1;
            }
            continue;
        }
        if (!IsTextType(row.type) || !target.Text(row.id).empty()) {
            continue;
        }
        const std::string_view value = TrimBlanks(imported.Text(row.id));
        if (!value.empty() && AssignStyleField(target, row.id, value) == 0) {
            target.changed = 1;
        }
    }
}

}  // namespace

StatusCode MergeImportedRecord(StyleDataPacket& target, const StyleDataPacket& imported) {
    if (IsStyleMode()) {
        const int analyser = target.Number(kFieldAnalyser);
        if (analyser >= 0 && imported.Number(kFieldAnalyser) < 0) {
            AssignStyleField(target, kFieldStyleType, imported.Text(kFieldStyleType));
            AssignStyleField(target, kFieldStyleSubtype, imported.Text(kFieldStyleSubtype));
            target.SetNumber(kFieldAnalyser, -analyser);
            target.changed = 1;
        }
        const StatusCode merged = MergeImportedSongs(target, imported);
        if (merged != 0) {
            return merged;
        }
    }
    MergeRank(target, imported);
    MergeUserFields(target, imported);
    return 0;
}

void MergeSongRealTitles(StyleDataPacket& target, const StyleDataPacket& imported) {
    for (SongDataPacket* song : target.songs) {
        const std::string_view title = TrimBlanks(song->Text(kSongFieldTitle));
        if (title.empty()) {
            continue;  // a song without title matches nothing
        }
        for (const SongDataPacket* source : imported.songs) {
            if (EqualsIgnoreCase(title, TrimBlanks(source->Text(kSongFieldTitle)))) {
                AssignSongField(*song, kSongFieldRealTitle,
                                TrimBlanks(source->Text(kSongFieldRealTitle)));
                target.changed = 1;
                break;
            }
        }
    }
}

}  // namespace kelvane
