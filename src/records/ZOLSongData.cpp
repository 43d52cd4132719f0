#include "records/ZOLSongData.h"

#include <algorithm>

#include "records/ZOLRecordStore.h"
#include "records/ZOLRecordText.h"
#include "records/ZOLSlotInit.h"
#include "records/ZOLStyleData.h"
#include "support/NUVDbg.h"
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
    SongDataPacket* song = RecordStore().songPool.Take();
    if (song == nullptr) {
        if (failure != nullptr) {
            *failure = status::kSongRecordMissing;
        }
        return nullptr;
    }
    song->parent = nullptr;
    song->workWords = {0, 0};
    const StatusCode result = ClearSongFields(*song);
    if (result != status::kOk) {
        RecordStore().songPool.Give(song);
        if (failure != nullptr) {
            *failure = result;
        }
        return nullptr;
    }
    return song;
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
    switch (slot.type) {
        case FT_SHARED_TEXT: {
            // Song ids outside 0..11 give a pool number the string pools refuse.
            const int pool = (songId >= 0 && songId < kSongFieldCount) ? SongStringPool(songId)
                                                                       : kStringPoolCount;
            const PooledText* pooled = RecordStore().strings.Intern(pool, text);
            if (pooled == nullptr) {
                NUV_ERROR("%s", "Internal Error - Cannot get common string");
                return status::kNoCommonString;
            }
            slot.value.shared = pooled;
            return status::kOk;
        }
        case FT_OWN_TEXT:
            if (slot.value.own == nullptr) {
                return status::kSongOwnTextNoMemory;
            }
            slot.value.own->assign(text);
            return status::kOk;
        default:
            // A number or style link has no text to replace; writing one would corrupt it.
            NUV_ERROR("%s %d", "Internal Error - Illegal fieldtype in AssignSongDataString",
                      static_cast<int>(slot.type));
            return status::kIllegalFieldType;
    }
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
