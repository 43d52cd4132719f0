// The song dialog's logic (CZOLModifySongDlg) without widgets: what it shows when it opens,
// which fields it enables, its validation and the rules applied at OK. The desktop dialog
// holds one CZOLModifySongLogic, fills its controls from it and calls Ok with the texts.
//
// Text rule of every field: an empty field leaves the value; a field of blanks clears it; any
// other text replaces it. Changing a field stored in the style file (title, genre, keywords,
// tempo, time signature) marks the song "Not in style file" (status 2).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/NonCopyable.h"
#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

// The dialog's field texts by song field id (0..7 and 10 are used); empty keeps the value.
using SongFieldTexts = std::array<std::string, kSongFieldCount>;

// The song fields of the dialog, in its order.
inline constexpr std::array<int, 9> kSongDialogFieldIds = {
    kSongFieldTitle,     kSongFieldGenre,       kSongFieldKeyword1,
    kSongFieldKeyword2,  kSongFieldTempo,       kSongFieldTimeSig,
    kSongFieldRealTitle, kSongFieldNativeTitle, kSongFieldArtist};

inline constexpr int kMinSongTempo = 32;
inline constexpr int kMaxSongTempo = 280;

// The note shown above the fields, except for Add Song.
inline constexpr const char* kSongDialogNote =
    "Note that updating this data does NOT update the data contained in the style files. To "
    "update the data in the style files 'Write MDB Records of selected Styles to Files' from the "
    "'Advanced' menu has to be executed after the song data has been modified.";

// The values Add Song puts into the dialog over the new song's own (empty ones leave them).
struct SongPrefill {
    std::string artist;
    std::string title;
    std::string tempo;
    std::string timeSig;
};

// What OK did: `close` false keeps the dialog open (a refusal was shown).
struct DialogOkResult {
    bool close = false;
    StatusCode status = 0;
};

// The label of a song field: its catalogue header, translated.
std::string SongFieldLabel(int songId);

// The number a tempo text stands for: the decimal digits it starts with after blanks (an
// optional sign), 0 for none.
int32_t TempoFromText(const std::string& text);

class CZOLModifySongLogic : NonCopyable {
  public:
    // On one existing song (Modify Song of the modify dialog).
    explicit CZOLModifySongLogic(SongDataPacket* song);
    // On a new song of `owner` with status 2 (Add Song): OK appends it to the owner's songs,
    // Cancel (destruction without OK) frees it. With `writeDataFiles` OK also writes the data
    // files of changed folders (the main view's Add Song from Filename on a real record).
    CZOLModifySongLogic(StyleDataPacket* owner, const SongPrefill& prefill, std::string title,
                        bool writeDataFiles);
    // On the selected song rows of the list (the main view's modify command in the song list).
    CZOLModifySongLogic();
    ~CZOLModifySongLogic();

    // False when the new song of Add Song could not be made ("Cannot get a song data packet."
    // was reported); the dialog is then not shown.
    bool Ready() const { return ready_; }
    // The title passed in ("Add Song"), or empty for the dialog's own.
    const std::string& Title() const { return title_; }
    bool NoteShown() const { return !isNewSong_; }
    const SongFieldTexts& InitialTexts() const { return initial_; }
    // False when the dialog works on song rows none of which is "Not in style file": then only
    // Real Title, Native Title and Artist can be changed.
    bool InFileFieldsEnabled() const { return inFileFieldsEnabled_; }
    // The song being edited (the new one for Add Song); nullptr for song rows.
    SongDataPacket* Song() const { return song_; }

    // Validates Tempo (32..280) and Time Sig.; applies the texts to the song or to every
    // selected song row in list order; writes the data files when it worked on song rows.
    DialogOkResult Ok(const SongFieldTexts& texts);

  private:
    StatusCode ApplyToSong(SongDataPacket& song, const SongFieldTexts& texts) const;

    SongDataPacket* song_ = nullptr;
    StyleDataPacket* owner_ = nullptr;   // of a new song
    std::vector<SongDataPacket*> rows_;  // the selected song rows
    SongFieldTexts initial_{};
    std::string title_;
    bool isNewSong_ = false;
    bool committed_ = false;
    bool writeDataFiles_ = false;
    bool inFileFieldsEnabled_ = true;
    bool ready_ = true;
};

// The main view's Add Song from Filename: refusals (read-only tree "Modify style data is not
// possible on readonly devices", "Please select one line to be modified", "Please select only
// one line to be modified"; nothing in the song list or in midi mode), else the song dialog's
// logic on a new song of the selected record with Artist and Song Title from its file name,
// Tempo and Time Sig. from the style. nullptr when refused.
std::unique_ptr<CZOLModifySongLogic> AddSongFromFilenameCommand();

// The prefill of Add Song (and with `fromFileName` of Add Song from Filename) for a style.
SongPrefill AddSongPrefill(const StyleDataPacket& style, bool fromFileName);

}  // namespace kelvane
