#include "records/ZOLFieldCatalogue.h"

#include <array>
#include <string>

#include "records/ZOLRecordText.h"
#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// Columns: id, type, key, header, A(uto width), R(ight aligned), W(idth), C(olumn), U(ser field).
constexpr std::array<FieldDescriptor, kStyleFieldCount> kStyleCatalogue{{
    {0, FT_NUMBER, "FILE_ID", "File Id", 1, 1, 100, 0, 0},
    {1, FT_SHARED_TEXT, "L_PATH", "Filepath", 1, 0, 100, 1, 0},
    {2, FT_OWN_TEXT, "L_FILENAME", "Filename", 1, 0, 120, 1, 0},
    {3, FT_NUMBER, "FILESIZE", "Filesize", 1, 1, 0, 1, 0},
    {4, FT_NUMBER, "TEMPO", "Tempo", 0, 1, 0, 1, 0},
    {5, FT_SHARED_TEXT, "STYLE_NAME", "Style Name", 1, 0, 120, 1, 0},
    {6, FT_SHARED_TEXT, "STYLE_TYPE", "Style Type (Genre)", 1, 0, 157, 1, 1},
    {7, FT_SHARED_TEXT, "STYLE_SUBTYPE", "Style Subtype", 1, 0, 157, 1, 1},
    {8, FT_NUMBER, "CERTAINTY", "Certainty", 1, 1, 0, 1, 1},
    {9, FT_SHARED_TEXT, "AUTHOR", "Author", 1, 0, 100, 1, 1},
    {10, FT_SHARED_TEXT, "AUX", "Aux", 1, 0, 100, 1, 1},
    {11, FT_SHARED_TEXT, "TIME_SIG", "Time Sig.", 0, 1, 0, 1, 0},
    {12, FT_NUMBER, "RANK", "Rank", 0, 1, 0, 1, 1},
    {13, FT_NUMBER, "MY_RANK", "My Rank", 0, 1, 0, 1, 1},
    {14, FT_SHARED_TEXT, "COPYRIGHT", "Copyright", 1, 0, 100, 1, 0},
    {15, FT_NUMBER, "ANALYSER", "Analyser", 0, 1, 0, 0, 0},
    {16, FT_SHARED_TEXT, "ERRORS", "Errors", 0, 0, 0, 1, 0},
    {17, FT_DATE, "FILEDATE", "Filedate", 1, 0, 120, 1, 0},
    {18, FT_NUMBER, "FILEDATE_U", "FiledateU", 1, 1, 100, 0, 0},
    {19, FT_NUMBER, "FILEDATE_L", "FiledateL", 1, 1, 100, 0, 0},
    {20, FT_NUMBER, "TIMEBASE", "Timebase", 0, 1, 0, 1, 0},
    {21, FT_SHARED_TEXT, "ORIG_MODEL", "Orig. Model", 1, 0, 100, 1, 1},
    {22, FT_SHARED_TEXT, "KBD_MODEL", "Kbd Model", 1, 0, 100, 1, 1},
    {23, FT_SHARED_TEXT, "VARIATIONS", "Variations", 1, 0, 105, 1, 0},
    {24, FT_LETTER, "CASM", "CASM", 0, 0, 0, 1, 0},
    {25, FT_SHARED_TEXT, "OTS", "OTS", 0, 0, 0, 1, 0},
    {26, FT_SHARED_TEXT, "MDB", "MDB", 0, 0, 0, 1, 0},
    {27, FT_SHARED_TEXT, "STYLEFILE_TYPE", "Type", 0, 0, 0, 1, 0},
    {28, FT_UNUSED, "UNUSED", "", 0, 0, 0, 0, 0},
    {29, FT_UNUSED, "UNUSED", "", 0, 0, 0, 0, 0},
    {30, FT_UNUSED, "UNUSED", "", 0, 0, 0, 0, 0},
    {31, FT_NUMBER, "DUPLICATES", "Duplicates", 0, 1, 100, 1, 0},
    {32, FT_NUMBER, "RELATED_ID", "Related Scores", 0, 1, 100, 1, 0},
    {33, FT_SHARED_TEXT, "USAGE", "Usage", 1, 0, 105, 1, 0},
    {34, FT_NUMBER, "SFF", "SFF", 0, 0, 0, 1, 0},
}};

constexpr std::array<FieldDescriptor, kStyleFieldCount> kMidiCatalogue{{
    kStyleCatalogue[0],
    kStyleCatalogue[1],
    kStyleCatalogue[2],
    kStyleCatalogue[3],
    kStyleCatalogue[4],
    {5, FT_SHARED_TEXT, "MIDI_INFO", "Midi Info", 1, 0, 120, 1, 0},
    {6, FT_SHARED_TEXT, "SONG", "Song Title", 1, 0, 100, 1, 1},
    {7, FT_SHARED_TEXT, "ARTIST", "Artist", 1, 0, 157, 1, 1},
    kStyleCatalogue[8],
    kStyleCatalogue[9],
    kStyleCatalogue[10],
    kStyleCatalogue[11],
    kStyleCatalogue[12],
    kStyleCatalogue[13],
    kStyleCatalogue[14],
    kStyleCatalogue[15],
    kStyleCatalogue[16],
    kStyleCatalogue[17],
    kStyleCatalogue[18],
    kStyleCatalogue[19],
    kStyleCatalogue[20],
    {21, FT_SHARED_TEXT, "KEYBOARD", "Keyboard", 0, 0, 120, 1, 1},
    {22, FT_SHARED_TEXT, "STYLE_USED", "Style used", 1, 0, 120, 1, 1},
    {23, FT_SHARED_TEXT, "MIDI_TYPE", "Type", 0, 0, 0, 1, 0},
    {24, FT_LETTER, "LYRICS", "Lyrics", 0, 0, 0, 1, 0},
    {25, FT_LETTER, "CHORDS", "Chords", 0, 0, 0, 1, 0},
    {26, FT_OWN_TEXT, "MIDI_LENGTH", "Length", 0, 1, 0, 1, 0},
    {27, FT_LETTER, "KARAOKE", "Karaoke", 0, 0, 0, 1, 0},
    {28, FT_SHARED_TEXT, "PERFORMER", "Performer", 1, 0, 120, 1, 1},
    {29, FT_SHARED_TEXT, "UPLOADDATE", "Date uploaded", 0, 0, 100, 1, 1},
    {30, FT_NUMBER, "TRACKS", "Tracks", 0, 1, 0, 1, 0},
    kStyleCatalogue[31],
    kStyleCatalogue[32],
    kStyleCatalogue[33],
    {34, FT_NUMBER, "VH_CHANNEL", "VH Channel", 0, 0, 0, 1, 0},
}};

// Columns as above plus S(tored in the style file) and L(inked style field).
constexpr std::array<FieldDescriptor, kSongFieldCount> kSongCatalogue{{
    {0, FT_SHARED_TEXT, "SONG_TITLE", "Song Title", 1, 0, 120, 1, 1, 1, kFieldNone},
    {1, FT_SHARED_TEXT, "GENRE", "Genre", 1, 0, 120, 1, 1, 1, kFieldNone},
    {2, FT_SHARED_TEXT, "KEYWORD1", "Keyword1", 1, 0, 120, 1, 1, 1, kFieldNone},
    {3, FT_SHARED_TEXT, "KEYWORD2", "Keyword2", 1, 0, 120, 1, 1, 1, kFieldNone},
    {4, FT_NUMBER, "TEMPO", "Tempo", 0, 1, 0, 1, 1, 1, kFieldNone},
    {5, FT_SHARED_TEXT, "TIME_SIG", "Time Sig.", 0, 1, 0, 1, 1, 1, kFieldNone},
    {6, FT_SHARED_TEXT, "SONG_TITLE_R", "Real Title", 1, 0, 120, 1, 1, 0, kFieldNone},
    {7, FT_SHARED_TEXT, "SONG_TITLE_NAT", "Native Title", 1, 0, 120, 1, 1, 0, kFieldNone},
    {8, FT_STYLE_LINK, "L_FILENAME", "Style Filename", 1, 0, 120, 1, 0, 0, kFieldFilename},
    {9, FT_NUMBER, "SONG_STATUS", "Song Status", 0, 1, 120, 1, 1, 0, kFieldNone},
    {10, FT_SHARED_TEXT, "ARTIST", "Artist", 1, 0, 120, 1, 1, 0, kFieldNone},
    {11, FT_STYLE_LINK, "L_PATH", "Style Filepath", 1, 0, 120, 1, 0, 0, kFieldPath},
}};

// Every row sits at the position of its id; lookups by id rely on it.
template <size_t N>
constexpr bool IdsArePositions(const std::array<FieldDescriptor, N>& rows) {
    for (size_t i = 0; i < N; ++i) {
        if (rows[i].id != static_cast<int32_t>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(IdsArePositions(kStyleCatalogue));
static_assert(IdsArePositions(kMidiCatalogue));
static_assert(IdsArePositions(kSongCatalogue));

template <size_t N>
constexpr int CountOfType(const std::array<FieldDescriptor, N>& rows, FieldType type) {
    int count = 0;
    for (const FieldDescriptor& row : rows) {
        count += row.type == type ? 1 : 0;
    }
    return count;
}
static_assert(CountOfType(kStyleCatalogue, FT_OWN_TEXT) <= kOwnTextCapacity);
static_assert(CountOfType(kMidiCatalogue, FT_OWN_TEXT) <= kOwnTextCapacity);
static_assert(CountOfType(kSongCatalogue, FT_OWN_TEXT) == 0);  // song records own no texts

// The row-number column: right-aligned and sized from its widest number.
constexpr ColumnTraits kRowNumberTraits{1, 1, 0, 1, 0, 0};

int FindIdByText(std::string_view text, CatalogueKind kind, const char* FieldDescriptor::*member) {
    for (const FieldDescriptor& row : CatalogueRows(kind)) {
        if (EqualsIgnoreCase(text, row.*member)) {
            return row.id;
        }
    }
    return kFieldNone;
}

}  // namespace

std::span<const FieldDescriptor> CatalogueRows(CatalogueKind kind) {
    switch (kind) {
        case CatalogueKind::Style:
            return kStyleCatalogue;
        case CatalogueKind::Midi:
            return kMidiCatalogue;
        case CatalogueKind::Song:
            return kSongCatalogue;
        case CatalogueKind::Current:
            break;
    }
    return IsStyleMode() ? std::span<const FieldDescriptor>(kStyleCatalogue)
                         : std::span<const FieldDescriptor>(kMidiCatalogue);
}

const FieldDescriptor* FindFieldDescriptor(int id, CatalogueKind kind) {
    const std::span<const FieldDescriptor> rows = CatalogueRows(kind);
    if (id < 0 || static_cast<size_t>(id) >= rows.size()) {
        return nullptr;
    }
    return &rows[static_cast<size_t>(id)];
}

int FieldIdByKey(std::string_view key, CatalogueKind kind) {
    return FindIdByText(key, kind, &FieldDescriptor::key);
}

int FieldIdByHeader(std::string_view text, CatalogueKind kind) {
    const std::string english = ReverseTranslate(std::string(text));
    return FindIdByText(english, kind, &FieldDescriptor::header);
}

const char* FieldKey(int id, CatalogueKind kind) {
    const FieldDescriptor* row = FindFieldDescriptor(id, kind);
    return row != nullptr ? row->key : nullptr;
}

const char* FieldHeader(int id, CatalogueKind kind) {
    if (id == kFieldRowNumber) {
        return "Nr";
    }
    const FieldDescriptor* row = FindFieldDescriptor(id, kind);
    return row != nullptr ? row->header : nullptr;
}

FieldType FieldTypeOf(int id, CatalogueKind kind) {
    if (id == kFieldSpecial) {
        return FT_SPECIAL;
    }
    const FieldDescriptor* row = FindFieldDescriptor(id, kind);
    return row != nullptr ? row->type : FT_NONE;
}

int LinkedStyleField(int songId) {
    const FieldDescriptor* row = FindFieldDescriptor(songId, CatalogueKind::Song);
    return row != nullptr ? row->linkedStyleField : kFieldNone;
}

std::optional<ColumnTraits> FieldColumnTraits(int id, CatalogueKind kind) {
    if (id == kFieldRowNumber) {
        return kRowNumberTraits;
    }
    const FieldDescriptor* row = FindFieldDescriptor(id, kind);
    if (row == nullptr) {
        return std::nullopt;
    }
    return ColumnTraits{row->autoWidthFromContent, row->rightAligned, row->defaultWidth,
                        row->offeredAsColumn,      row->userField,    row->inStyleFile};
}

}  // namespace kelvane
