#include "ui/ZOLFilterDlg.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "list/ZOLDuplicatesMode.h"
#include "records/ZOLFieldCatalogue.h"
#include "support/ZOLRunMode.h"
#include "ui/HelpWindow.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLDialogParts.h"

namespace kelvane {
namespace {

// The inputs of each group in the order they are laid out. Fields the run mode has no input
// for are laid out too, hidden and without a label.
const std::vector<int> kStyleStrings = {1,  2,  5,  6,  7,  9,  10, 11, 14,
                                        16, 21, 22, 23, 24, 25, 26, 27, 33};
const std::vector<int> kStyleNumbers = {3, 4, 12, 13, 20, 34, 30};
const std::vector<int> kStyleDates = {kFieldFiledate};
const std::vector<int> kSongStrings = {0, 1, 2, 3, 5, 6, 7, 10, kSongFieldStatus};
const std::vector<int> kSongNumbers = {kSongFieldTempo};

constexpr int kPairsPerRow = 2;  // label and input pairs side by side in a group
constexpr int kModeButtonCount = 5;

const char* const kModeButtonTexts[kModeButtonCount] = {
    "Show all", "Show unique files", "Show unique scores", "Show duplicate files",
    "Show related scores"};

}  // namespace

CZOLFilterDlg::CZOLFilterDlg(QWidget* parent, CZOLFilterDlgState& state,
                             const IListDisplay& metrics)
    : QDialog(parent), state_(state), songs_(state.Kind() == FilterDialogKind::Songs) {
    setWindowTitle(Tr(songs_          ? "Define Filter for Songs"
                      : IsStyleMode() ? "Define Filter for Styles"
                                      : "Define Filter for Midi Files"));
    auto* layout = new QVBoxLayout(this);
    BuildQuickGroup(layout);
    if (!songs_) {
        BuildModeGroup(layout);
    }
    BuildDetailGroup(layout, metrics);
    BuildButtons(layout);
    Fill();
    quick_->setFocus(Qt::OtherFocusReason);
}

void CZOLFilterDlg::BuildQuickGroup(QLayout* layout) {
    auto* group = new QGroupBox(Tr("Quick Filter / Search"), this);
    auto* row = new QHBoxLayout(group);
    auto* label = new QLabel(Tr("Global Search Text"), group);
    quick_ = new QLineEdit(group);
    label->setBuddy(quick_);
    row->addWidget(label);
    row->addWidget(quick_, 1);
    inputs_[kFieldQuickSearch] = quick_;
    labels_[kFieldQuickSearch] = label;
    layout->addWidget(group);
}

void CZOLFilterDlg::BuildModeGroup(QLayout* layout) {
    auto* group = new QGroupBox(Tr("General Visibility"), this);
    auto* row = new QHBoxLayout(group);
    modes_ = new QButtonGroup(this);
    for (int button = 0; button < kModeButtonCount; ++button) {
        auto* radio = new QRadioButton(Tr(kModeButtonTexts[button]), group);
        modes_->addButton(radio, button);
        row->addWidget(radio);
    }
    row->addStretch(1);
    layout->addWidget(group);
}

void CZOLFilterDlg::BuildDetailGroup(QLayout* layout, const IListDisplay& metrics) {
    auto* detail = new QGroupBox(Tr("Detail Filter / Search"), this);
    auto* inner = new QVBoxLayout(detail);
    auto* strings = new QGroupBox(Tr("Strings"), detail);
    AddInputs(strings, songs_ ? kSongStrings : kStyleStrings, metrics);
    inner->addWidget(strings);
    auto* numbers = new QGroupBox(Tr("Numbers"), detail);
    AddInputs(numbers, songs_ ? kSongNumbers : kStyleNumbers, metrics);
    inner->addWidget(numbers);
    if (!songs_) {
        auto* dates = new QGroupBox(Tr("Dates"), detail);
        AddInputs(dates, kStyleDates, metrics);
        auto* grid = static_cast<QGridLayout*>(dates->layout());
        grid->addWidget(
            new QLabel(Tr("(Date Format: YYYY-MM-DD)   (Example: > 2003-05-30)"), dates), 0, 2, 1,
            2);
        inner->addWidget(dates);
    }
    layout->addWidget(detail);
}

void CZOLFilterDlg::AddInputs(QGroupBox* group, const std::vector<int>& fields,
                              const IListDisplay& metrics) {
    auto* grid = new QGridLayout(group);
    int place = 0;
    for (const int fieldId : fields) {
        const bool present = state_.IsInputField(fieldId);
        auto* label = new QLabel(present ? ToQt(state_.InputLabel(fieldId)) : QString(), group);
        QWidget* input = MakeInput(fieldId, metrics);
        input->setParent(group);
        label->setBuddy(input);
        input->setVisible(present);
        const int row = place / kPairsPerRow;
        const int column = (place % kPairsPerRow) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(input, row, column + 1);
        grid->setColumnStretch(column + 1, 1);
        inputs_[fieldId] = input;
        labels_[fieldId] = label;
        ++place;
    }
}

QWidget* CZOLFilterDlg::MakeInput(int fieldId, const IListDisplay& metrics) {
    const std::vector<std::string> values = state_.PickList(fieldId);
    const FieldType type =
        FieldTypeOf(fieldId, songs_ ? CatalogueKind::Song : CatalogueKind::Current);
    const bool dropDown =
        type == FT_SHARED_TEXT || type == FT_LETTER || (songs_ && fieldId == kSongFieldStatus);
    if (!dropDown) {
        return new QLineEdit(this);
    }
    auto* combo = new QComboBox(this);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& value : values) {
        combo->addItem(ToQt(value), QByteArray::fromStdString(value));
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen != nullptr ? screen->availableGeometry().width() : 1024;
    combo->view()->setMinimumWidth(PickListWidth(values, metrics, screenWidth));
    combo->setCurrentIndex(-1);
    return combo;
}

void CZOLFilterDlg::BuildButtons(QLayout* layout) {
    auto* row = new QHBoxLayout;
    auto* help = new QPushButton(Tr("Help"), this);
    auto* clearAll = new QPushButton(Tr("Clear &All"), this);
    auto* cancel = new QPushButton(Tr("&Cancel"), this);
    auto* ok = new QPushButton(Tr("&OK"), this);
    for (QPushButton* button : {help, clearAll, cancel}) {
        button->setAutoDefault(false);
    }
    ok->setDefault(true);
    row->addWidget(help);
    row->addWidget(clearAll);
    row->addStretch(1);
    row->addWidget(cancel);
    row->addWidget(ok);
    connect(help, &QPushButton::clicked, this, &CZOLFilterDlg::OnHelp);
    HelpOnF1(help);
    connect(clearAll, &QPushButton::clicked, this, &CZOLFilterDlg::OnClearAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &CZOLFilterDlg::accept);
    static_cast<QBoxLayout*>(layout)->addLayout(row);
}

QWidget* CZOLFilterDlg::Input(int fieldId) const {
    const auto found = inputs_.find(fieldId);
    return found == inputs_.end() ? nullptr : found->second;
}

QLabel* CZOLFilterDlg::Label(int fieldId) const {
    const auto found = labels_.find(fieldId);
    return found == labels_.end() ? nullptr : found->second;
}

QRadioButton* CZOLFilterDlg::ModeButton(int button) const {
    return modes_ != nullptr ? qobject_cast<QRadioButton*>(modes_->button(button)) : nullptr;
}

void CZOLFilterDlg::SetInputText(int fieldId, const QString& text) {
    kelvane::SetInputText(Input(fieldId), text);
}

FilterInputs CZOLFilterDlg::CollectInputs() const {
    FilterInputs inputs;
    inputs.quick = TextFromQt(quick_->text());
    for (const auto& [fieldId, input] : inputs_) {
        if (fieldId < 0 || fieldId >= kStyleFieldCount) {
            continue;
        }
        std::string& text = inputs.fields[static_cast<size_t>(fieldId)];
        if (const auto* edit = qobject_cast<const QLineEdit*>(input)) {
            text = TextFromQt(edit->text());
        } else if (const auto* combo = qobject_cast<const QComboBox*>(input)) {
            // A value picked from the list keeps the bytes the records hold.
            const int picked = combo->findText(combo->currentText(), Qt::MatchExactly);
            text = picked >= 0 ? combo->itemData(picked).toByteArray().toStdString()
                               : TextFromQt(combo->currentText());
        }
    }
    return inputs;
}

int CZOLFilterDlg::ChosenDuplicatesMode() const {
    if (modes_ == nullptr) {
        return -1;
    }
    return DuplicatesModeOfRadioButton(modes_->checkedId());
}

void CZOLFilterDlg::Fill() {
    const FilterInputs& inputs = state_.Inputs();
    quick_->setText(ToQt(inputs.quick));
    for (const auto& [fieldId, input] : inputs_) {
        if (fieldId >= 0 && fieldId < kStyleFieldCount) {
            SetInputText(fieldId, ToQt(inputs.fields[static_cast<size_t>(fieldId)]));
        }
    }
    if (modes_ != nullptr) {
        const int button = RadioButtonOfDuplicatesMode(FilterDuplicatesMode());
        if (QAbstractButton* radio = modes_->button(button)) {
            radio->setChecked(true);
        }
    }
}

void CZOLFilterDlg::OnClearAll() {
    for (const auto& entry : inputs_) {
        SetInputText(entry.first, QString());
    }
    if (modes_ != nullptr) {
        modes_->button(0)->setChecked(true);
    }
}

void CZOLFilterDlg::OnHelp() {
    OpenHelpPage(songs_ ? help::kFilterSongs : help::kFilterStyles);
}

void CZOLFilterDlg::accept() {
    int failedField = kFieldNone;
    if (state_.Confirm(CollectInputs(), ChosenDuplicatesMode(), &failedField) != 0) {
        // The message has been shown; the user corrects the input where it failed.
        if (QWidget* input = Input(failedField)) {
            input->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    QDialog::accept();
}

}  // namespace kelvane
