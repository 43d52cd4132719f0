#include "ui/ZOLRtfOutputDlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/ZOLDialogParts.h"
#include "ui/ZOLValueBox.h"

namespace kelvane {

CZOLRtfOutputDlg::CZOLRtfOutputDlg(QWidget* parent, const std::string& pageHeader,
                                   PaperOrientation orientation)
    : QDialog(parent), initialHeader_(pageHeader) {
    setWindowTitle(Tr("Write to RTF file"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(Tr("Page &Header"), this);
    header_ = NewValueEdit(this, pageHeader);
    label->setBuddy(header_);
    layout->addWidget(label);
    layout->addWidget(header_);
    auto* group = new QGroupBox(Tr("Paper Orientation"), this);
    auto* groupLayout = new QVBoxLayout(group);
    landscape_ = new QRadioButton(Tr("&Landscape"), group);
    portrait_ = new QRadioButton(Tr("&Portrait"), group);
    groupLayout->addWidget(landscape_);
    groupLayout->addWidget(portrait_);
    (orientation == PaperOrientation::Portrait ? portrait_ : landscape_)->setChecked(true);
    layout->addWidget(group);
    AddOkCancelRow(this, layout);
    header_->setFocus(Qt::OtherFocusReason);
    setMinimumWidth(420);
}

std::string CZOLRtfOutputDlg::PageHeader() const {
    return ValueEditBytes(*header_, initialHeader_);
}

PaperOrientation CZOLRtfOutputDlg::Orientation() const {
    return portrait_->isChecked() ? PaperOrientation::Portrait : PaperOrientation::Landscape;
}

}  // namespace kelvane
