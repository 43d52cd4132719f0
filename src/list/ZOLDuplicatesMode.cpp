#include "list/ZOLDuplicatesMode.h"

#include <array>

#include "list/MyListCtrl.h"
#include "support/NUVDbg.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

int& DuplicatesModeValue() {
    static int mode = kShowAll;
    return mode;
}

constexpr std::array<int, 5> kModeOfButton = {kShowAll, kShowUniqueFiles, kShowUniqueScores,
                                              kShowDuplicateFiles, kShowRelatedScores};

constexpr std::array<int, 9> kStyleRuleFields = {
    kFieldAux,          kFieldKbdModel, kFieldOrigModel, kFieldAuthor,   kFieldStyleType,
    kFieldStyleSubtype, kFieldFilename, kFieldPath,      kFieldCopyright};
constexpr std::array<int, 10> kMidiRuleFields = {
    kFieldAux,      kFieldArtist,   kFieldSong, kFieldAuthor,    kFieldPerformer,
    kFieldKeyboard, kFieldFilename, kFieldPath, kFieldStyleUsed, kFieldCopyright};

void ReportIllegalMode() {
    NUV_WARNING("%s", "Internal Error - Illegal filter duplicates mode");
}

template <size_t N>
int CompareLengths(const std::array<int, N>& fields, const StyleDataPacket& a,
                   const StyleDataPacket& b) {
    for (int field : fields) {
        const size_t la = a.Text(field).size();
        const size_t lb = b.Text(field).size();
        if (la != lb) {
            return la > lb ? 1 : -1;
        }
    }
    return 0;
}

}  // namespace

int FilterDuplicatesMode() {
    return DuplicatesModeValue();
}

bool SetFilterDuplicatesMode(int mode) {
    if (mode < kShowAll || mode > kShowRelatedScores) {
        ReportIllegalMode();
        return false;
    }
    DuplicatesModeValue() = mode;
    return true;
}

int DuplicatesModeOfRadioButton(int button) {
    if (button < 0 || button >= static_cast<int>(kModeOfButton.size())) {
        ReportIllegalMode();
        return -1;
    }
    return kModeOfButton[static_cast<size_t>(button)];
}

int RadioButtonOfDuplicatesMode(int mode) {
    for (size_t i = 0; i < kModeOfButton.size(); ++i) {
        if (kModeOfButton[i] == mode) {
            return static_cast<int>(i);
        }
    }
    ReportIllegalMode();
    return -1;
}

int CompareRepresentatives(const StyleDataPacket& a, const StyleDataPacket& b) {
    return IsStyleMode() ? CompareLengths(kStyleRuleFields, a, b)
                         : CompareLengths(kMidiRuleFields, a, b);
}

bool ChallengerWins(StyleDataPacket& current, StyleDataPacket& challenger) {
    const int result = CompareRepresentatives(challenger, current);
    if (result > 0) {
        challenger.keepMark = 1;
        current.keepMark = 0;
        return true;
    }
    if (result < 0) {
        current.keepMark = 1;
        challenger.keepMark = 0;
    }
    return false;
}

RgbColour FilterBackgroundColour(bool ownFilterActive) {
    const bool active = FilterDuplicatesMode() != kShowAll || ownFilterActive;
    return (Config().changeBackgroundColorIfFilterIsActive != 0 && active) ? kFilterActiveBackground
                                                                           : kWhiteBackground;
}

DuplicatesStep::DuplicatesStep(int mode, CMyListCtrl& list) : mode_(mode), list_(list) {}

bool DuplicatesStep::SameGroup(const StyleDataPacket& record) const {
    if (!inGroup_) {
        return false;
    }
    const bool files = mode_ == kShowUniqueFiles || mode_ == kShowDuplicateFiles;
    const int32_t key = record.Number(files ? kFieldFileId : kFieldRelatedId);
    return key == groupKey_ && (!files || record.Number(kFieldFilesize) == groupSize_);
}

void DuplicatesStep::StartGroup(const StyleDataPacket& record) {
    const bool files = mode_ == kShowUniqueFiles || mode_ == kShowDuplicateFiles;
    inGroup_ = true;
    groupKey_ = record.Number(files ? kFieldFileId : kFieldRelatedId);
    groupSize_ = record.Number(kFieldFilesize);
}

void DuplicatesStep::Add(StyleDataPacket* record) {
    ListCounters& counters = list_.Counters();
    const int32_t size = record->Number(kFieldFilesize);
    switch (mode_) {
        case kShowUniqueFiles:
        case kShowUniqueScores:
            if (!SameGroup(*record)) {
                StartGroup(*record);
                if (list_.AppendRow({record, nullptr})) {
                    counters.totalSize += size;
                    representative_ = record;
                } else {
                    representative_ = nullptr;
                }
                return;
            }
            ++counters.hiddenInGroups;
            if (representative_ != nullptr && ChallengerWins(*representative_, *record)) {
                list_.ReplaceLastRow({record, nullptr});
                representative_ = record;
            }
            return;
        case kShowDuplicateFiles:
        case kShowRelatedScores:
            if (!SameGroup(*record)) {
                StartGroup(*record);
                if (groupAppended_ == 1) {
                    counters.totalSize -=
                        list_.Row(list_.RowCount() - 1).style->Number(kFieldFilesize);
                    ++counters.hiddenSingles;
                    list_.ReplaceLastRow({record, nullptr});
                    counters.totalSize += size;
                    groupAppended_ = 1;
                } else if (list_.AppendRow({record, nullptr})) {
                    counters.totalSize += size;
                    groupAppended_ = 1;
                } else {
                    groupAppended_ = 0;
                }
                return;
            }
            if (list_.AppendRow({record, nullptr})) {
                counters.totalSize += size;
                ++groupAppended_;
            }
            return;
        default:
            if (list_.AppendRow({record, nullptr})) {
                counters.totalSize += size;
            }
            return;
    }
}

void DuplicatesStep::Finish() {
    if ((mode_ == kShowDuplicateFiles || mode_ == kShowRelatedScores) && groupAppended_ == 1 &&
        list_.RowCount() > 0) {
        ListCounters& counters = list_.Counters();
        counters.totalSize -= list_.Row(list_.RowCount() - 1).style->Number(kFieldFilesize);
        ++counters.hiddenSingles;
        list_.RemoveLastRow();
        groupAppended_ = 0;
    }
}

}  // namespace kelvane
