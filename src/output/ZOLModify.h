// The modify dialog's logic (CZOLModifyDlg) without widgets: the fields it shows, what it
// fills in when it opens, the working copy of one style's songs with the song buttons, and the
// rules applied to the selected records at OK. The desktop dialog holds one CZOLModifyLogic,
// shows InitialTexts() and Songs(), and calls the song buttons and Ok / Cancel.
//
// Text rule of every field: an empty field leaves the value; a field of blanks clears it
// (numbers become 0); any other text replaces it.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "output/ZOLModifySong.h"
#include "platform/NonCopyable.h"
#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

class CZOLListViewMgr;

// The dialog's field texts by field id of the current catalogue; empty keeps the value.
using ModifyFieldTexts = std::array<std::string, kStyleFieldCount>;

// The fields of the dialog in its order (28 and 29 in midi mode only).
inline constexpr std::array<int, 11> kModifyFieldIds = {
    kFieldStyleType, kFieldStyleSubtype, kFieldAuthor,    kFieldAux,
    kFieldRank,      kFieldMyRank,       kFieldOrigModel, kFieldKbdModel,
    kFieldUsage,     kFieldPerformer,    kFieldUploadDate};

inline constexpr const char* kModifyFieldNote =
    "For empty fields the corresponding data will not be modified.\nTo clear the corresponding "
    "data of a field insert a space character into the field.";

// Whether the dialog shows the field in the run mode (28 and 29 only in midi mode).
bool ModifyFieldShown(int fieldId);
// "Modify Style Data" / "Modify Midi Data".
std::string ModifyDialogTitle();
// What the dialog edits, named at its top: the one selected file ("Editing Bossa.sty"), or
// the number of selected rows ("Editing 12 rows: an input changes each of them").
std::string ModifyTargetText(CZOLListViewMgr& list);
// The field's catalogue header in the run mode, translated.
std::string ModifyFieldLabel(int fieldId);
// Every distinct non-empty value of a string pool (field id, or 35 + song id), sorted: the
// entries of a combo box.
std::vector<std::string> ExistingFieldValues(int pool);

// My Rank, then Rank: a number of 0 or more, blanks or empty. A refusal shows its message.
bool ValidateModifyFields(const ModifyFieldTexts& texts);
// The OK rules for one record (changed flag set whether or not a value changes). 0 or the
// failing store's status.
StatusCode ApplyModifyFields(StyleDataPacket& record, const ModifyFieldTexts& texts);

// The main view's checks before the modify dialog: "Modify style data is not possible on
// readonly devices" for a read-only tree; false then.
bool ModifyAllowedOnTree();
// A DEBUG trace line of the modify commands.
void TraceModifyLine(const char* text);

enum class ModifyTarget { None, ModifyDialog, SongDialog };
// The modify command: the read-only refusal, "Please select one or more lines to be
// modified\n\n(you can use Ctrl-A to select all lines)", else which dialog opens (the modify
// dialog on the file list, the song dialog on the song list).
ModifyTarget CheckModifyCommand();

class CZOLModifyLogic : NonCopyable {
  public:
    // Opens over the list's selection: with one record its values fill the fields and (style
    // mode) a working copy of it holds the songs the song buttons edit.
    CZOLModifyLogic();
    // Cancel: the working copy is freed, nothing else changes.
    ~CZOLModifyLogic();

    const ModifyFieldTexts& InitialTexts() const { return initial_; }
    const std::vector<StyleDataPacket*>& Records() const { return records_; }
    // Style mode: the song list is shown; it and the song buttons are enabled with a working
    // copy only.
    bool SongListShown() const;
    bool SongButtonsEnabled() const { return workCopy_ != nullptr; }
    // The working copy's songs in their order (empty without one).
    const SongList& Songs() const;
    bool SongsChanged() const { return songsChanged_; }

    // Add Song / Add Song from Filename: the song dialog's logic on a new song of the working
    // copy ("Add Song", no note, Tempo and Time Sig. of the style, with `fromFileName` also
    // Artist and Song Title from its file name). nullptr without working copy or song.
    std::unique_ptr<CZOLModifySongLogic> AddSong(bool fromFileName);
    // Modify Song on the selected song list rows (indexes into Songs()): the refusals, else the
    // song dialog's logic on that song.
    std::unique_ptr<CZOLModifySongLogic> ModifySong(const std::vector<long>& selectedRows);
    // Remove Song: the refusals, else the selected songs leave the working copy and the
    // songs-changed flag is set. True when songs were removed.
    bool RemoveSongs(const std::vector<long>& selectedRows);

    // OK: validation (close false keeps the dialog open), the rules for every selected record
    // in list order, the working copy's songs into the real record, and the data files of
    // changed folders unless a record failed.
    DialogOkResult Ok(const ModifyFieldTexts& texts);

  private:
    std::vector<StyleDataPacket*> records_;
    StyleDataPacket* workCopy_ = nullptr;
    ModifyFieldTexts initial_{};
    bool songsChanged_ = false;
};

}  // namespace kelvane
