// "Select Display Columns": 20 drop-down lists over the column choice of the list on screen,
// "Set as Default" with "Store also default sort order", Help, OK and Cancel. OK leaves the
// chosen columns in the list's definitions; the caller rebuilds the columns.
#pragma once

#include <QDialog>
#include <array>

#include "list/ZOLColumnChoice.h"

class QCheckBox;
class QComboBox;

namespace kelvane {

class CMyListCtrl;

class CZOLColumnsDlg final : public QDialog {
    Q_OBJECT

  public:
    CZOLColumnsDlg(QWidget* parent, CMyListCtrl& list);

    QComboBox* ColumnBox(int index) const { return boxes_[static_cast<size_t>(index)]; }
    QCheckBox* StoreSortOrderBox() const { return storeSort_; }
    // "Set as Default" (also reached by its button).
    StatusCode SetAsDefault();

    void accept() override;

  private:
    void TakeChoices();

    CMyListCtrl& list_;
    CZOLColumnChoice choice_;
    std::array<QComboBox*, CZOLColumnChoice::kListCount> boxes_{};
    QCheckBox* storeSort_ = nullptr;
};

}  // namespace kelvane
