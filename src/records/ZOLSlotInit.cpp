#include "records/ZOLSlotInit.h"

#include "records/ZOLRecordStore.h"
#include "support/NUVDbg.h"
#include "support/NUVStatus.h"

namespace kelvane {

StatusCode InitSlots(std::span<FieldSlot> slots, std::span<const FieldDescriptor> rows,
                     std::span<std::string> ownTexts, bool songRecord, StatusCode ownTextMissing) {
    size_t nextOwn = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        FieldSlot& slot = slots[i];
        const FieldDescriptor* row = i < rows.size() ? &rows[i] : nullptr;
        slot.id = row != nullptr ? row->id : kFieldNone;
        slot.type = row != nullptr ? row->type : FT_NONE;
        slot.value.number = 0;
        switch (slot.type) {
            case FT_NONE:
            case FT_NUMBER:
            case FT_UNUSED:
                break;
            case FT_OWN_TEXT:
                if (nextOwn >= ownTexts.size()) {
                    return ownTextMissing;
                }
                slot.value.own = &ownTexts[nextOwn++];
                slot.value.own->clear();
                break;
            case FT_SHARED_TEXT:
                slot.value.shared = CommonStringPool::EmptyText();
                break;
            case FT_LETTER:
                slot.value.letter[0] = '\0';
                slot.value.letter[1] = '\0';
                break;
            case FT_DATE:
                if (songRecord) {
                    return status::kUnknownFieldType;
                }
                break;
            case FT_STYLE_LINK:
                if (!songRecord) {
                    return status::kUnknownFieldType;
                }
                slot.value.number = row->linkedStyleField;
                break;
            default:
                return status::kUnknownFieldType;
        }
    }
    return status::kOk;
}

StatusCode CopySlots(std::span<FieldSlot> dst, std::span<const FieldSlot> src,
                     StatusCode ownTextMissing) {
    for (size_t i = 0; i < dst.size() && i < src.size(); ++i) {
        FieldSlot& to = dst[i];
        const FieldSlot& from = src[i];
        if (from.type == FT_STYLE_LINK || to.type == FT_STYLE_LINK) {
            continue;
        }
        if (from.type == FT_OWN_TEXT || to.type == FT_OWN_TEXT) {
            // The destination keeps its own text object; only the characters move.
            if (from.type != to.type || from.value.own == nullptr || to.value.own == nullptr) {
                return ownTextMissing;
            }
            *to.value.own = *from.value.own;
            continue;
        }
        to = from;
    }
    return status::kOk;
}

StatusCode AssignSlotText(FieldSlot& slot, std::string_view text, const SlotTextRules& rules) {
    const bool letter = rules.letters && slot.type == FT_LETTER;
    if (slot.type == FT_SHARED_TEXT || letter) {
        const PooledText* pooled = RecordStore().strings.Intern(rules.pool, text);
        if (pooled == nullptr) {
            NUV_ERROR("%s", "Internal Error - Cannot get common string");
            return status::kNoCommonString;
        }
        if (letter) {
            slot.value.letter[0] = text.empty() ? '\0' : text.front();
            slot.value.letter[1] = '\0';
        } else {
            slot.value.shared = pooled;
        }
        return status::kOk;
    }
    if (slot.type == FT_OWN_TEXT) {
        if (slot.value.own == nullptr) {
            return rules.ownTextMissing;
        }
        slot.value.own->assign(text);
        return status::kOk;
    }
    // A number or style link has no text to replace; writing one would corrupt it.
    NUV_ERROR("%s %s %d", "Internal Error - Illegal fieldtype in", rules.caller,
              static_cast<int>(slot.type));
    return status::kIllegalFieldType;
}

}  // namespace kelvane
