#include "records/ZOLStyleData.h"

#include "records/ZOLRecordStore.h"
#include "records/ZOLSlotInit.h"
#include "records/ZOLSongData.h"

namespace kelvane {
namespace {

// Every field to its new-record value for the current catalogue; flags are the caller's.
StatusCode ClearFields(StyleDataPacket& record) {
    record.dateText[0] = '\0';
    ReleaseSongList(record.songs);
    return InitSlots(record.slots, CatalogueRows(CatalogueKind::Current), record.ownTexts, false,
                     status::kStyleOwnTextMissing);
}

}  // namespace

StyleDataPacket* NewStyleRecord(StatusCode* failure) {
    return TakeClearedPacket(RecordStore().stylePool, status::kStyleRecordMissing, failure,
                             [](StyleDataPacket& record) {
                                 // A recycled packet must not carry marks of the file it held
                                 // before.
                                 record.changed = 0;
                                 record.removed = 0;
                                 record.batchMark = 0;
                                 record.keepMark = 0;
                                 record.mdbChanged = 0;
                                 record.selectionStamp = 0;
                                 return ClearFields(record);
                             });
}

StatusCode ResetStyleRecord(StyleDataPacket* record) {
    if (record == nullptr) {
        return status::kStyleRecordMissing;
    }
    record->changed = 0;
    record->removed = 0;
    record->mdbChanged = 0;
    record->selectionStamp = 0;
    return ClearFields(*record);
}

StatusCode CopyStyleRecord(StyleDataPacket* dst, const StyleDataPacket* src) {
    if (dst == nullptr || src == nullptr) {
        return status::kStyleCopyRecordMissing;
    }
    if (dst == src) {
        return status::kOk;
    }
    dst->changed = src->changed;
    dst->removed = src->removed;
    dst->mdbChanged = src->mdbChanged;
    const StatusCode result = CopySlots(dst->slots, src->slots, status::kStyleCopyOwnTextMissing);
    if (result != status::kOk) {
        return result;
    }
    dst->SetDateText(src->DateText());

    SongList copies;
    copies.reserve(src->songs.size());
    for (const SongDataPacket* song : src->songs) {
        SongDataPacket* copy = NewSongRecord();
        if (copy == nullptr || CopySongRecord(copy, song) != status::kOk) {
            ReleaseSongRecord(copy);
            ReleaseSongList(copies);
            return status::kSongCopyFailed;
        }
        copy->parent = dst;
        copies.push_back(copy);
    }
    ReleaseSongList(dst->songs);
    dst->songs.swap(copies);
    return status::kOk;
}

StyleDataPacket* WorkCopyOfStyleRecord(const StyleDataPacket* src) {
    StyleDataPacket* copy = NewStyleRecord();
    if (copy == nullptr) {
        return nullptr;
    }
    if (CopyStyleRecord(copy, src) != status::kOk) {
        ReleaseStyleRecord(copy);
        return nullptr;
    }
    return copy;
}

void ReleaseStyleRecord(StyleDataPacket* record) {
    if (record == nullptr || record->inFreePool) {
        return;
    }
    // Emptied now so that no pooled record refers to texts of cleared string pools.
    ClearFields(*record);
    RecordStore().stylePool.Give(record);
}

StatusCode AssignStyleDataString(FieldSlot& slot, std::string_view text, int id) {
    return AssignSlotText(slot, text,
                          {id, true, status::kStyleOwnTextMissing, "AssignStyleDataString"});
}

StatusCode AssignStyleField(StyleDataPacket& record, int id, std::string_view text) {
    if (id < 0 || id >= kStyleFieldCount) {
        FieldSlot none;
        return AssignStyleDataString(none, text, id);
    }
    return AssignStyleDataString(record.slots[static_cast<size_t>(id)], text, id);
}

std::string FullPathOf(const StyleDataPacket* record) {
    if (record == nullptr) {
        return {};
    }
    std::string path(record->Text(kFieldPath));
    path += record->Text(kFieldFilename);
    return path;
}

}  // namespace kelvane
