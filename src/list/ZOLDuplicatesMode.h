// The visibility modes of the file list (all files, one per group of identical files or
// related scores, or only the members of such groups), the rule that picks a group's
// representative, and the duplicates step of a list rebuild.
#pragma once

#include <cstdint>

#include "list/ZOLListTypes.h"

namespace kelvane {

class CMyListCtrl;

inline constexpr int kShowAll = 0;
inline constexpr int kShowUniqueFiles = 1;
inline constexpr int kShowDuplicateFiles = 2;
inline constexpr int kShowUniqueScores = 3;
inline constexpr int kShowRelatedScores = 4;

// The program-wide mode, 0 at start, not stored in the settings.
int FilterDuplicatesMode();
// Values outside 0..4 report "Internal Error - Illegal filter duplicates mode", leave the mode
// unchanged and return false.
bool SetFilterDuplicatesMode(int mode);

// The dialog's radio buttons stand, from first to last, for the modes 0, 1, 3, 2, 4.
int DuplicatesModeOfRadioButton(int button);
// The button of a mode; -1 (reported as an illegal mode) outside 0..4.
int RadioButtonOfDuplicatesMode(int mode);

// The representative rule: compares the text lengths of the rule's fields in order (style mode:
// AUX, KBD_MODEL, ORIG_MODEL, AUTHOR, STYLE_TYPE, STYLE_SUBTYPE, L_FILENAME, L_PATH, COPYRIGHT;
// midi mode: AUX, ARTIST, SONG, AUTHOR, PERFORMER, KEYBOARD, L_FILENAME, L_PATH, STYLE_USED,
// COPYRIGHT). >0 when `a` has the longer text at the first difference, <0 when `b` has, 0 when
// all lengths are equal.
int CompareRepresentatives(const StyleDataPacket& a, const StyleDataPacket& b);
// Whether `challenger` replaces `current` as the shown member of a group. The winner of a
// decided comparison gets keep mark 1 and the loser 0; equal records change nothing.
bool ChallengerWins(StyleDataPacket& current, StyleDataPacket& challenger);

// Light yellow when the setting asks for it and a mode other than "Show all" or the list's own
// filter is active; else white.
RgbColour FilterBackgroundColour(bool ownFilterActive);

// The duplicates step of the file-list rebuild: gets every record that passed the style filter,
// in grouping order, and appends it, replaces the last row by it or hides it, keeping the
// total size and the hidden counters of the list.
class DuplicatesStep {
  public:
    DuplicatesStep(int mode, CMyListCtrl& list);
    void Add(StyleDataPacket* record);
    // After the last record: a final group of one record is dropped in modes 2 and 4.
    void Finish();

  private:
    bool SameGroup(const StyleDataPacket& record) const;
    void StartGroup(const StyleDataPacket& record);

    int mode_;
    CMyListCtrl& list_;
    StyleDataPacket* representative_ = nullptr;
    bool inGroup_ = false;
    int32_t groupKey_ = 0;
    int32_t groupSize_ = 0;
    long groupAppended_ = 0;
};

}  // namespace kelvane
