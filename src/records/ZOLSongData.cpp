#include "records/ZOLSongData.h"

#include <algorithm>

#include "records/ZOLRecordStore.h"
#include "records/ZOLRecordText.h"
#include "records/ZOLSlotInit.h"
#include "records/ZOLStyleData.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

StatusCode ClearSongFields(SongDataPacket& song) {
    song.selectionStamp = 0;
    return InitSlots(song.slots, CatalogueRows(CatalogueKind::Song), {}, true,
                     status::kSongOwnTextNoMemory);
}

}  // namespace

SongDataPacket* NewSongRecord(StatusCode* failure) {
    return TakeClearedPacket(RecordStore().songPool, status::kSongRecordMissing, failure,
                             [](SongDataPacket& song) {
                                 song.parent = nullptr;
                                 song.workWords = {0, 0};
                                 return ClearSongFields(song);
                             });
}

StatusCode ResetSongRecord(SongDataPacket* song) {
    if (song == nullptr) {
        return status::kSongRecordMissing;
    }
    return ClearSongFields(*song);
}

StatusCode CopySongRecord(SongDataPacket* dst, const SongDataPacket* src) {
    if (dst == nullptr || src == nullptr) {
        return status::kSongCopyRecordMissing;
    }
    if (dst == src) {
        return status::kOk;
    }
    dst->parent = src->parent;
    dst->workWords = src->workWords;
    return CopySlots(dst->slots, src->slots, status::kSongCopyOwnTextMissing);
}

void ReleaseSongRecord(SongDataPacket* song) {
    if (song == nullptr || song->inFreePool) {
        return;
    }
    song->parent = nullptr;
    ClearSongFields(*song);
    RecordStore().songPool.Give(song);
}

void ReleaseSongList(SongList& songs) {
    // From the back, so the pool hands the songs out again in list order.
    for (auto it = songs.rbegin(); it != songs.rend(); ++it) {
        ReleaseSongRecord(*it);
    }
    songs.clear();
}

void AppendSong(StyleDataPacket& record, SongDataPacket* song) {
    song->parent = &record;
    record.songs.push_back(song);
}

bool RemoveSong(StyleDataPacket& record, SongDataPacket* song) {
    const auto it = std::find(record.songs.begin(), record.songs.end(), song);
    if (it == record.songs.end()) {
        return false;
    }
    record.songs.erase(it);
    ReleaseSongRecord(song);
    return true;
}

StatusCode AssignSongDataString(FieldSlot& slot, std::string_view text, int songId) {
    // Song ids outside 0..11 give a pool number the string pools refuse.
    const int pool =
        (songId >= 0 && songId < kSongFieldCount) ? SongStringPool(songId) : kStringPoolCount;
    return AssignSlotText(slot, text,
                          {pool, false, status::kSongOwnTextNoMemory, "AssignSongDataString"});
}

StatusCode AssignSongField(SongDataPacket& song, int songId, std::string_view text) {
    if (songId < 0 || songId >= kSongFieldCount) {
        FieldSlot none;
        return AssignSongDataString(none, text, songId);
    }
    return AssignSongDataString(song.slots[static_cast<size_t>(songId)], text, songId);
}

const char* SongStatusKey(int status) {
    switch (status) {
        case kSongStatusInStyleFile:
            return "In style file";
        case kSongStatusNotInStyleFile:
            return "Not in style file";
        default:
            return "Undefined";
    }
}

std::string SongStatusText(int status) {
    return Translate(SongStatusKey(status));
}

SongDataPacket* FindSongByTitle(const SongList& songs, std::string_view title) {
    for (SongDataPacket* song : songs) {
        if (EqualsIgnoreCase(song->Text(kSongFieldTitle), title)) {
            return song;
        }
    }
    return nullptr;
}

int AllSongsInStyleFile(const SongList& songs) {
    for (const SongDataPacket* song : songs) {
        if (song->Status() != kSongStatusInStyleFile) {
            return 0;
        }
    }
    return 1;
}

std::string FullPathOf(const SongDataPacket* song) {
    return song != nullptr ? FullPathOf(song->parent) : std::string();
}

}  // namespace kelvane
