#include "ui/ZOLColumnsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "list/ZOLColumnDefaults.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "ui/HelpWindow.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLDialogParts.h"

namespace kelvane {
namespace {

constexpr int kRowsPerColumn = 10;  // the 20 lists stand in two columns of ten

}  // namespace

CZOLColumnsDlg::CZOLColumnsDlg(QWidget* parent, CMyListCtrl& list)
    : QDialog(parent), list_(list), choice_(list) {
    setWindowTitle(Tr("Select Display Columns"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const std::string columnWord = Translate("Column");
    for (int index = 0; index < CZOLColumnChoice::kListCount; ++index) {
        auto* label = new QLabel(ToQt(columnWord + " " + std::to_string(index + 1)), this);
        auto* box = new QComboBox(this);
        for (const std::string& offered : choice_.Offered()) {
            box->addItem(ToQt(offered));
        }
        box->setCurrentIndex(choice_.Choice(index));  // kNothing (-1) shows nothing
        label->setBuddy(box);
        const int row = index % kRowsPerColumn;
        const int column = (index / kRowsPerColumn) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1);
        boxes_[static_cast<size_t>(index)] = box;
    }
    layout->addLayout(grid);

    auto* defaults = new QGroupBox(Tr("Set Defaults"), this);
    auto* defaultsRow = new QHBoxLayout(defaults);
    storeSort_ = new QCheckBox(Tr("Store also default sort &order"), defaults);
    auto* setDefault = new QPushButton(Tr("Set as &Default"), defaults);
    setDefault->setAutoDefault(false);
    defaultsRow->addWidget(storeSort_);
    defaultsRow->addStretch(1);
    defaultsRow->addWidget(setDefault);
    layout->addWidget(defaults);
    connect(setDefault, &QPushButton::clicked, this, [this] { SetAsDefault(); });

    QPushButton* help = nullptr;
    AddOkCancelRow(this, layout, {"Help"}, &help);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpPage(help::kColumns); });
    HelpOnF1(help);
}

void CZOLColumnsDlg::TakeChoices() {
    for (int index = 0; index < CZOLColumnChoice::kListCount; ++index) {
        choice_.SetChoice(index, boxes_[static_cast<size_t>(index)]->currentIndex());
    }
    choice_.storeSortOrder = storeSort_->isChecked();
}

StatusCode CZOLColumnsDlg::SetAsDefault() {
    TakeChoices();
    const StatusCode status = choice_.SetAsDefault(list_, ProgramColumnSettings());
    if (status != 0) {
        NUV_WARNING("%s %d", Translate("Cannot store the default columns - Error Nr : ").c_str(),
                    status);
    }
    return status;
}

void CZOLColumnsDlg::accept() {
    TakeChoices();
    choice_.ApplyTo(list_);
    QDialog::accept();
}

}  // namespace kelvane
