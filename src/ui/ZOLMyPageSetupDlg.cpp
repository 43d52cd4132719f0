#include "ui/ZOLMyPageSetupDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/ZOLDialogParts.h"
#include "ui/ZOLValueBox.h"

namespace kelvane {
namespace {

constexpr QPageSize::PageSizeId kPaperSizes[] = {QPageSize::A4, QPageSize::Letter, QPageSize::Legal,
                                                 QPageSize::A3, QPageSize::A5};

QSpinBox* NewSpin(QWidget* parent, int minimum, int maximum, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

}  // namespace

CZOLMyPageSetupDlg::CZOLMyPageSetupDlg(QWidget* parent, QPrinter& printer,
                                       const PrintSettings& settings)
    : QDialog(parent), printer_(printer), settings_(ClampedPrintSettings(settings)) {
    setWindowTitle(Tr("Page Setup"));
    auto* layout = new QVBoxLayout(this);

    auto* paperGroup = new QGroupBox(Tr("Paper"), this);
    auto* paperForm = new QFormLayout(paperGroup);
    paper_ = new QComboBox(paperGroup);
    for (const QPageSize::PageSizeId id : kPaperSizes) {
        paper_->addItem(QPageSize::name(id), static_cast<int>(id));
    }
    const int current = paper_->findData(static_cast<int>(printer.pageLayout().pageSize().id()));
    paper_->setCurrentIndex(std::max(0, current));
    paperForm->addRow(Tr("Si&ze:"), paper_);
    portrait_ = new QRadioButton(Tr("Portra&it"), paperGroup);
    portrait_->setObjectName(QString::fromLatin1(printkey::kPaperOrientation));
    auto* landscape = new QRadioButton(Tr("Land&scape"), paperGroup);
    landscape->setObjectName(QString::fromLatin1(printkey::kPaperOrientation) + "Landscape");
    (settings_.paperOrientation == kPaperLandscape ? landscape : portrait_)->setChecked(true);
    paperForm->addRow(Tr("Orientation"), portrait_);
    paperForm->addRow(QString(), landscape);
    layout->addWidget(paperGroup);

    auto* marginGroup = new QGroupBox(Tr("Margins (millimeters)"), this);
    auto* marginForm = new QFormLayout(marginGroup);
    const char* marginLabels[4] = {"&Left:", "&Top:", "&Right:", "&Bottom:"};
    const char* marginKeys[4] = {printkey::kPrintLeftMargin, printkey::kPrintTopMargin,
                                 printkey::kPrintRightMargin, printkey::kPrintBottomMargin};
    const int marginValues[4] = {settings_.printLeftMargin, settings_.printTopMargin,
                                 settings_.printRightMargin, settings_.printBottomMargin};
    for (int i = 0; i < 4; ++i) {
        margins_[i] = NewSpin(marginGroup, 0, 500, marginValues[i]);
        margins_[i]->setObjectName(QString::fromLatin1(marginKeys[i]));
        marginForm->addRow(Tr(marginLabels[i]), margins_[i]);
    }
    layout->addWidget(marginGroup);

    auto* fontGroup = new QGroupBox(Tr("Font Size"), this);
    auto* fontForm = new QFormLayout(fontGroup);
    titleSize_ = NewSpin(fontGroup, 1, 144, settings_.pageTitleFontSize);
    bodySize_ = NewSpin(fontGroup, 1, 144, settings_.pageBodyFontSize);
    titleSize_->setObjectName(QString::fromLatin1(printkey::kPageTitleFontSize));
    bodySize_->setObjectName(QString::fromLatin1(printkey::kPageBodyFontSize));
    fontForm->addRow(Tr("P&age Title"), titleSize_);
    fontForm->addRow(Tr("Page B&ody"), bodySize_);
    layout->addWidget(fontGroup);

    auto* headerGroup = new QGroupBox(Tr("Page Header"), this);
    auto* headerLayout = new QVBoxLayout(headerGroup);
    const char* switchLabels[6] = {"Print Pa&ge Header", "Print Titl&e", "Print Page &Nr",
                                   "Print &Date",        "Print Pat&h",  "Print &Filter Info"};
    const bool switchValues[6] = {settings_.printHeader, settings_.printTitle,
                                  settings_.printPageNr, settings_.printDate,
                                  settings_.printPath,   settings_.printFilterInfo};
    const char* switchKeys[6] = {printkey::kPrintHeader, printkey::kPrintTitle,
                                 printkey::kPrintPageNr, printkey::kPrintDate,
                                 printkey::kPrintPath,   printkey::kPrintFilterInfo};
    for (int i = 0; i < 6; ++i) {
        switches_[i] = new QCheckBox(Tr(switchLabels[i]), headerGroup);
        switches_[i]->setObjectName(QString::fromLatin1(switchKeys[i]));
        switches_[i]->setChecked(switchValues[i]);
        headerLayout->addWidget(switches_[i]);
    }
    // The five parts of the header are printed only with the header.
    for (int i = 1; i < 6; ++i) {
        switches_[i]->setEnabled(settings_.printHeader);
        connect(switches_[0], &QCheckBox::toggled, switches_[i], &QWidget::setEnabled);
    }
    layout->addWidget(headerGroup);

    QPushButton* printerButton = nullptr;
    AddOkCancelRow(this, layout, {"@button_printer@&Printer..."}, &printerButton);
    connect(printerButton, &QPushButton::clicked, this, [this] {
        QPrintDialog dialog(&printer_, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog.exec();
    });
}

PrintSettings CZOLMyPageSetupDlg::Settings() const {
    PrintSettings settings = settings_;
    settings.paperOrientation = portrait_->isChecked() ? kPaperPortrait : kPaperLandscape;
    settings.printLeftMargin = margins_[0]->value();
    settings.printTopMargin = margins_[1]->value();
    settings.printRightMargin = margins_[2]->value();
    settings.printBottomMargin = margins_[3]->value();
    settings.pageTitleFontSize = titleSize_->value();
    settings.pageBodyFontSize = bodySize_->value();
    // In the order of the boxes.
    bool* targets[6] = {&settings.printHeader, &settings.printTitle, &settings.printPageNr,
                        &settings.printDate,   &settings.printPath,  &settings.printFilterInfo};
    for (int i = 0; i < 6; ++i) {
        *targets[i] = switches_[i]->isChecked();
    }
    return settings;
}

void CZOLMyPageSetupDlg::ApplyToPrinter() const {
    const auto id = static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt());
    printer_.setPageSize(QPageSize(id));
    printer_.setPageOrientation(portrait_->isChecked() ? QPageLayout::Portrait
                                                       : QPageLayout::Landscape);
}

}  // namespace kelvane
