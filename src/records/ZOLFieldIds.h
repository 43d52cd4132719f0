// Field ids of the three catalogues and the reserved ids, so that no module writes a bare
// number for a field. Ids are positions in the catalogue rows and slots in the records.
#pragma once

namespace kelvane {

// Style catalogue (style mode) and the midi rows that share the id.
inline constexpr int kFieldFileId = 0;
inline constexpr int kFieldPath = 1;
inline constexpr int kFieldFilename = 2;
inline constexpr int kFieldFilesize = 3;
inline constexpr int kFieldTempo = 4;
inline constexpr int kFieldStyleName = 5;
inline constexpr int kFieldStyleType = 6;
inline constexpr int kFieldStyleSubtype = 7;
inline constexpr int kFieldCertainty = 8;
inline constexpr int kFieldAuthor = 9;
inline constexpr int kFieldAux = 10;
inline constexpr int kFieldTimeSig = 11;
inline constexpr int kFieldRank = 12;
inline constexpr int kFieldMyRank = 13;
inline constexpr int kFieldCopyright = 14;
inline constexpr int kFieldAnalyser = 15;
inline constexpr int kFieldErrors = 16;
inline constexpr int kFieldFiledate = 17;
inline constexpr int kFieldFiledateU = 18;
inline constexpr int kFieldFiledateL = 19;
inline constexpr int kFieldTimebase = 20;
inline constexpr int kFieldOrigModel = 21;
inline constexpr int kFieldKbdModel = 22;
inline constexpr int kFieldVariations = 23;
inline constexpr int kFieldCasm = 24;
inline constexpr int kFieldOts = 25;
inline constexpr int kFieldMdb = 26;
inline constexpr int kFieldStylefileType = 27;
inline constexpr int kFieldUnused28 = 28;
inline constexpr int kFieldUnused29 = 29;
inline constexpr int kFieldUnused30 = 30;
inline constexpr int kFieldDuplicates = 31;
inline constexpr int kFieldRelatedId = 32;
inline constexpr int kFieldUsage = 33;
inline constexpr int kFieldSff = 34;

// Midi catalogue (midi mode): the rows whose meaning differs from the style catalogue.
inline constexpr int kFieldMidiInfo = 5;
inline constexpr int kFieldSong = 6;
inline constexpr int kFieldArtist = 7;
inline constexpr int kFieldKeyboard = 21;
inline constexpr int kFieldStyleUsed = 22;
inline constexpr int kFieldMidiType = 23;
inline constexpr int kFieldLyrics = 24;
inline constexpr int kFieldChords = 25;
inline constexpr int kFieldMidiLength = 26;
inline constexpr int kFieldKaraoke = 27;
inline constexpr int kFieldPerformer = 28;
inline constexpr int kFieldUploadDate = 29;
inline constexpr int kFieldTracks = 30;
inline constexpr int kFieldVhChannel = 34;

// Song catalogue (one Music Finder entry).
inline constexpr int kSongFieldTitle = 0;
inline constexpr int kSongFieldGenre = 1;
inline constexpr int kSongFieldKeyword1 = 2;
inline constexpr int kSongFieldKeyword2 = 3;
inline constexpr int kSongFieldTempo = 4;
inline constexpr int kSongFieldTimeSig = 5;
inline constexpr int kSongFieldRealTitle = 6;
inline constexpr int kSongFieldNativeTitle = 7;
inline constexpr int kSongFieldStyleFilename = 8;
inline constexpr int kSongFieldStatus = 9;
inline constexpr int kSongFieldArtist = 10;
inline constexpr int kSongFieldStylePath = 11;

// Ids outside every catalogue.
inline constexpr int kFieldQuickSearch = 96;
inline constexpr int kFieldSpecial = 97;
inline constexpr int kFieldRowNumber = 98;
inline constexpr int kFieldNone = 99;

// Slot counts and the string pool numbering: pools 0..34 for the style or midi field of the
// same id, 35..46 for the song fields.
inline constexpr int kStyleFieldCount = 35;
inline constexpr int kSongFieldCount = 12;
inline constexpr int kSongPoolBase = kStyleFieldCount;
inline constexpr int kStringPoolCount = kSongPoolBase + kSongFieldCount;
// The string pool of a song field.
constexpr int SongStringPool(int songId) {
    return kSongPoolBase + songId;
}

// SONG_STATUS values.
inline constexpr int kSongStatusInStyleFile = 1;
inline constexpr int kSongStatusNotInStyleFile = 2;

}  // namespace kelvane
