#include "records/ZOLSongCollector.h"

#include <array>

#include "records/ZOLRecordText.h"
#include "records/ZOLSongData.h"
#include "support/NUVFormat.h"

namespace kelvane {
namespace {

// The song fields that a Music Finder record sets.
constexpr std::array<int, 6> kMusicFinderFields{kSongFieldTitle,    kSongFieldGenre,
                                                kSongFieldKeyword1, kSongFieldKeyword2,
                                                kSongFieldTempo,    kSongFieldTimeSig};

StatusCode FillFromMusicFinder(SongDataPacket& song, const MusicFinderRecord& record) {
    song.SetNumber(kSongFieldStatus, kSongStatusInStyleFile);
    song.SetNumber(kSongFieldTempo, record.bpm);
    const std::string timeSig = StrFormat("%1d/%1d", record.numerator, record.denominator);
    const std::array<std::pair<int, const std::string*>, 5> texts{{
        {kSongFieldTitle, &record.title},
        {kSongFieldGenre, &record.genre},
        {kSongFieldKeyword1, &record.keyword1},
        {kSongFieldKeyword2, &record.keyword2},
        {kSongFieldTimeSig, &timeSig},
    }};
    for (const auto& [id, text] : texts) {
        const StatusCode result = AssignSongField(song, id, *text);
        if (result != status::kOk) {
            return result;
        }
    }
    return status::kOk;
}

// Trims blanks around a text field of the song in place.
void TrimSongField(SongDataPacket& song, int id) {
    const std::string_view text = song.Text(id);
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.size() != text.size()) {
        // The trimmed view points into a pool chunk, which interning never moves.
        AssignSongField(song, id, trimmed);
    }
}

SongDataPacket* FindMatchingSong(const SongList& songs, std::string_view title,
                                 std::string_view realTitle) {
    for (SongDataPacket* song : songs) {
        if (!title.empty() && EqualsIgnoreCase(song->Text(kSongFieldTitle), title)) {
            return song;
        }
        if (!realTitle.empty() && EqualsIgnoreCase(song->Text(kSongFieldRealTitle), realTitle)) {
            return song;
        }
    }
    return nullptr;
}

bool SlotIsEmpty(const FieldSlot& slot) {
    switch (slot.type) {
        case FT_NUMBER:
            return slot.value.number == 0;
        case FT_SHARED_TEXT:
        case FT_OWN_TEXT:
        case FT_LETTER:
            return SlotText(slot).empty();
        default:
            return false;  // no value of its own to fill
    }
}

void TakeOverOldValues(SongDataPacket& target, const SongDataPacket& old) {
    const bool allFields = target.Status() == kSongStatusNotInStyleFile;
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Song)) {
        if (row.inStyleFile != 0 && !allFields) {
            continue;
        }
        FieldSlot& to = target.slots[static_cast<size_t>(row.id)];
        const FieldSlot& from = old.slots[static_cast<size_t>(row.id)];
        if (to.type != from.type || !SlotIsEmpty(to) || SlotIsEmpty(from)) {
            continue;
        }
        if (to.type == FT_OWN_TEXT) {
            *to.value.own = *from.value.own;
        } else {
            to.value = from.value;
        }
    }
}

}  // namespace

StatusCode CollectSong(StyleDataPacket* target, const MusicFinderRecord& record) {
    if (target == nullptr) {
        return status::kOk;
    }
    SongDataPacket* song = NewSongRecord();
    if (song == nullptr) {
        return status::kNoSongRecord;
    }
    song->parent = target;
    const StatusCode result = FillFromMusicFinder(*song, record);
    if (result != status::kOk) {
        ReleaseSongRecord(song);
        return result;
    }
    SongDataPacket* existing = FindSongByTitle(target->songs, record.title);
    if (existing == nullptr) {
        target->songs.push_back(song);
        return status::kOk;
    }
    // A later record of the same title wins; the user's data on the song stays.
    for (int id : kMusicFinderFields) {
        existing->slots[static_cast<size_t>(id)] = song->slots[static_cast<size_t>(id)];
    }
    ReleaseSongRecord(song);
    return status::kOk;
}

StatusCode MergeSongsOnReanalysis(StyleDataPacket* oldRecord, StyleDataPacket* newRecord) {
    if (newRecord == nullptr) {
        return status::kOk;
    }
    StatusCode result = status::kOk;
    if (oldRecord != nullptr && oldRecord != newRecord) {
        for (SongDataPacket* old : oldRecord->songs) {
            TrimSongField(*old, kSongFieldTitle);
            TrimSongField(*old, kSongFieldRealTitle);
            SongDataPacket* match = FindMatchingSong(newRecord->songs, old->Text(kSongFieldTitle),
                                                     old->Text(kSongFieldRealTitle));
            if (match != nullptr) {
                TakeOverOldValues(*match, *old);
                continue;
            }
            SongDataPacket* copy = NewSongRecord();
            if (copy == nullptr || CopySongRecord(copy, old) != status::kOk) {
                ReleaseSongRecord(copy);
                result = status::kMergeNoSongRecord;
                continue;
            }
            copy->SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
            AppendSong(*newRecord, copy);
        }
    }
    newRecord->changed = 1;
    return result;
}

}  // namespace kelvane
