// The field catalogues: constant tables that name every field of a record (key, English
// header), say how its value is stored (FieldType) and how it is shown as a list column.
// The style or the midi catalogue is "the current catalogue" by run mode (style while no mode
// has been chosen); the song catalogue describes one Music Finder entry.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "records/ZOLFieldIds.h"

namespace kelvane {

// The value kinds. The numbers appear in the catalogues and, through them, in stored data.
enum FieldType : int32_t {
    FT_NONE = 0,
    FT_OWN_TEXT = 1,     // text owned by the record alone
    FT_SHARED_TEXT = 2,  // reference into the field's CommonStringPool
    FT_NUMBER = 3,       // signed 32-bit integer
    FT_LETTER = 4,       // one character plus NUL, stored inline
    FT_DATE = 5,         // the record's 16-character date text
    FT_STYLE_LINK = 7,   // songs only: shows the parent record's field of that id
    FT_ROW_NUMBER = 8,   // the list's "Nr" column, no storage
    FT_UNUSED = 9,       // placeholder field, no value
    FT_SPECIAL = 10,     // what the type query answers for the reserved id 97
};

struct FieldDescriptor {
    int32_t id;
    FieldType type;
    const char* key;
    const char* header;  // English; translated before it is shown
    int32_t autoWidthFromContent;
    int32_t rightAligned;
    int32_t defaultWidth;  // 0: header text width plus 22 pixels
    int32_t offeredAsColumn;
    int32_t userField;
    int32_t inStyleFile = 0;  // song rows: part of the style file's Music Finder record
    int32_t linkedStyleField = kFieldNone;  // song rows of FT_STYLE_LINK: the style field shown
};

// The most FT_OWN_TEXT fields that a style or midi catalogue has (records hold their owned
// texts inline).
inline constexpr int kOwnTextCapacity = 2;

// Current: the style or midi catalogue by run mode. Style and Midi name one explicitly.
enum class CatalogueKind { Current, Style, Midi, Song };

// The rows of a catalogue in id order (the closing row with id 99 is not included).
std::span<const FieldDescriptor> CatalogueRows(CatalogueKind kind);
// The row of a field, or nullptr for an id outside the catalogue.
const FieldDescriptor* FindFieldDescriptor(int id, CatalogueKind kind = CatalogueKind::Current);

// Key lookup without regard to case, first match in id order; 99 when none matches.
int FieldIdByKey(std::string_view key, CatalogueKind kind = CatalogueKind::Current);
// The text is reverse-translated to its English header first, then compared like a key.
int FieldIdByHeader(std::string_view text, CatalogueKind kind = CatalogueKind::Current);
// The key, or nullptr for an id outside the catalogue.
const char* FieldKey(int id, CatalogueKind kind = CatalogueKind::Current);
// The English header; "Nr" for the row-number column 98; nullptr for other unknown ids.
const char* FieldHeader(int id, CatalogueKind kind = CatalogueKind::Current);
// The type; FT_SPECIAL for 97; FT_NONE for any other id outside the catalogue.
FieldType FieldTypeOf(int id, CatalogueKind kind = CatalogueKind::Current);
// The style field a song field shows (FT_STYLE_LINK rows); 99 for other or unknown ids.
int LinkedStyleField(int songId);

struct ColumnTraits {
    int32_t autoWidthFromContent;
    int32_t rightAligned;
    int32_t defaultWidth;
    int32_t offeredAsColumn;
    int32_t userField;
    int32_t inStyleFile;  // song catalogue only, 0 elsewhere
};
// The column traits of a field, also of the row-number column 98; none for other ids.
std::optional<ColumnTraits> FieldColumnTraits(int id, CatalogueKind kind = CatalogueKind::Current);

}  // namespace kelvane
