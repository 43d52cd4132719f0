#include "ui/ZOLExportRtfDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/ZOLDialogParts.h"

namespace kelvane {
namespace {

constexpr int kRowsPerColumn = 12;

}  // namespace

CExportRTFDlg::CExportRTFDlg(QWidget* parent, const std::string& title,
                             std::vector<FieldChoice> choices)
    : QDialog(parent), choices_(std::move(choices)) {
    setWindowTitle(ToQt(title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tr("Select columns to be exported"), this));
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < choices_.size(); ++i) {
        const FieldChoice& choice = choices_[i];
        auto* box = new QCheckBox(ToQt(choice.label), this);
        box->setEnabled(choice.enabled);
        box->setChecked(choice.enabled && choice.ticked);
        const int index = static_cast<int>(i);
        grid->addWidget(box, index % kRowsPerColumn, index / kRowsPerColumn);
        boxes_.push_back(box);
    }
    layout->addLayout(grid);
    QPushButton* left[2] = {};
    AddOkCancelRow(
        this, layout,
        {"@button_select_all_export@&Select &All", "@button_clear_all_export@Clear A&ll"}, left);
    connect(left[0], &QPushButton::clicked, this, &CExportRTFDlg::SelectAll);
    connect(left[1], &QPushButton::clicked, this, &CExportRTFDlg::ClearAll);
}

std::vector<FieldChoice> CExportRTFDlg::Choices() const {
    std::vector<FieldChoice> choices = choices_;
    for (size_t i = 0; i < choices.size(); ++i) {
        choices[i].ticked = boxes_[i]->isEnabled() && boxes_[i]->isChecked();
    }
    return choices;
}

QCheckBox* CExportRTFDlg::BoxOf(int fieldId) const {
    for (size_t i = 0; i < choices_.size(); ++i) {
        if (choices_[i].fieldId == fieldId) {
            return boxes_[i];
        }
    }
    return nullptr;
}

void CExportRTFDlg::SelectAll() {
    for (QCheckBox* box : boxes_) {
        if (box->isEnabled()) {
            box->setChecked(true);
        }
    }
}

void CExportRTFDlg::ClearAll() {
    for (QCheckBox* box : boxes_) {
        box->setChecked(false);
    }
}

}  // namespace kelvane
