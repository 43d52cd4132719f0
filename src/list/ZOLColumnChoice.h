// The "Select Display Columns" dialog without its widgets: 20 drop-down lists offering
// "(none)" and the headers of the selectable fields, filled from the list on screen.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

class CMyListCtrl;
class IColumnSettingsStore;

class CZOLColumnChoice {
  public:
    static constexpr int kListCount = 20;
    static constexpr int kNothing = -1;  // a drop-down list showing nothing

    // Offers the selectable fields of the list's catalogue; list k starts with the k-th shown
    // column (the row-number column not counted).
    explicit CZOLColumnChoice(const CMyListCtrl& list);

    // "(none)" (translated) first, then each selectable header once, translated.
    const std::vector<std::string>& Offered() const { return offered_; }
    // The field of offered entry `index` (kFieldNone for "(none)").
    int OfferedField(std::size_t index) const { return offeredFields_.at(index); }
    // The offered entry list k shows, or kNothing.
    int Choice(int list) const { return choices_[static_cast<size_t>(list)]; }
    void SetChoice(int list, int offeredIndex);
    // The fields named by the lists, in order ("(none)" and empty lists skipped).
    std::vector<int> ChosenFields() const;

    // "Store also default sort order".
    bool storeSortOrder = false;

    // OK: the list's definitions become the chosen fields with width -1; the caller then
    // rebuilds the columns keeping the selection.
    void ApplyTo(CMyListCtrl& list) const;
    // "Set as Default".
    StatusCode SetAsDefault(const CMyListCtrl& list, IColumnSettingsStore& store) const;

  private:
    std::vector<std::string> offered_;
    std::vector<int> offeredFields_;  // parallel to offered_; 99 for "(none)"
    std::array<int, kListCount> choices_{};
};

}  // namespace kelvane
