// The two filter dialogs: "Define Filter for Styles" ("... for Midi Files" in midi mode) over
// the style filter state, with the visibility radio buttons, and "Define Filter for Songs"
// over the song filter state. The inputs are laid out in groups; shared-text and letter fields
// get a drop-down list of the values the loaded records have. OK hands the inputs to the
// state; an input that does not parse keeps the dialog open with the focus on it.
#pragma once

#include <QDialog>
#include <map>

#include "list/ZOLFilterDlgLogic.h"

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kelvane {

class IListDisplay;

class CZOLFilterDlg final : public QDialog {
    Q_OBJECT

  public:
    // `metrics` measures the pick-list widths (the list's font).
    CZOLFilterDlg(QWidget* parent, CZOLFilterDlgState& state, const IListDisplay& metrics);

    // The input of a field (a QLineEdit or an editable QComboBox), the quick search for 96;
    // nullptr when the dialog has none.
    QWidget* Input(int fieldId) const;
    QLabel* Label(int fieldId) const;
    QLineEdit* QuickInput() const { return quick_; }
    // The radio button at `button` (0..4, first to last); nullptr in the song dialog.
    QRadioButton* ModeButton(int button) const;
    void SetInputText(int fieldId, const QString& text);

    // The inputs as typed (pick-list values keep the records' own bytes).
    FilterInputs CollectInputs() const;
    // The mode of the checked radio button; -1 in the song dialog.
    int ChosenDuplicatesMode() const;

    void accept() override;

  private:
    void BuildQuickGroup(QLayout* layout);
    void BuildModeGroup(QLayout* layout);
    void BuildDetailGroup(QLayout* layout, const IListDisplay& metrics);
    void AddInputs(QGroupBox* group, const std::vector<int>& fields, const IListDisplay& metrics);
    QWidget* MakeInput(int fieldId, const IListDisplay& metrics);
    void BuildButtons(QLayout* layout);
    void Fill();
    void OnClearAll();
    void OnHelp();

    CZOLFilterDlgState& state_;
    bool songs_;
    QLineEdit* quick_ = nullptr;
    QButtonGroup* modes_ = nullptr;
    std::map<int, QWidget*> inputs_;
    std::map<int, QLabel*> labels_;
};

}  // namespace kelvane
