// Song (Music Finder) records: creation from the song pool, reset, copy, release, storing
// texts, the song list helpers and the status texts.
#pragma once

#include <string>
#include <string_view>

#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

// A fresh song (no parent, working words 0, every field empty, style links set), from the song
// pool or newly allocated; nullptr when none can be had (`failure` receives the reason).
SongDataPacket* NewSongRecord(StatusCode* failure = nullptr);
// Every field to its new value (style links stay), selection stamp 0; parent and working
// words stay. -13800 without a song.
StatusCode ResetSongRecord(SongDataPacket* song);
// Copies parent, working words and every field but the style links. -13801 for a missing song.
StatusCode CopySongRecord(SongDataPacket* dst, const SongDataPacket* src);
// Puts the song into the song pool; a song already there is left alone. The caller takes it
// out of its song list first (or uses RemoveSong / ReleaseSongList).
void ReleaseSongRecord(SongDataPacket* song);
// Releases every song of the list; the list is left empty.
void ReleaseSongList(SongList& songs);

// Appends the song at the end of the record's song list and makes the record its parent.
void AppendSong(StyleDataPacket& record, SongDataPacket* song);
// Takes the song out of the record's song list and releases it; false when it is not there.
bool RemoveSong(StyleDataPacket& record, SongDataPacket* song);

// Stores a text into a song field: FT_SHARED_TEXT interns it in pool 35 + songId (failure:
// "Internal Error - Cannot get common string", -13908), FT_OWN_TEXT replaces the owned text.
// Other types hold no text: "Internal Error - Illegal fieldtype in AssignSongDataString",
// -13707.
StatusCode AssignSongDataString(FieldSlot& slot, std::string_view text, int songId);
// The same for field `songId` of a song; an id outside the song counts as type FT_NONE.
StatusCode AssignSongField(SongDataPacket& song, int songId, std::string_view text);

// "In style file" (1), "Not in style file" (2), "Undefined" (else): English, and translated.
const char* SongStatusKey(int status);
std::string SongStatusText(int status);

// The first song whose SONG_TITLE equals `title` ignoring case, whatever its status.
SongDataPacket* FindSongByTitle(const SongList& songs, std::string_view title);
// 1 when every song has status 1 (also for no songs), else 0.
int AllSongsInStyleFile(const SongList& songs);

// The full path of the style file the song belongs to; empty without a song or parent.
std::string FullPathOf(const SongDataPacket* song);

}  // namespace kelvane
