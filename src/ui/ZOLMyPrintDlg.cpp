#include "ui/ZOLMyPrintDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/ZOLDialogParts.h"
#include "ui/ZOLValueBox.h"

namespace kelvane {

CZOLMyPrintDlg::CZOLMyPrintDlg(QPrinter* printer, QWidget* parent, const PrintSettings& settings)
    : QPrintDialog(printer, parent),
      lastTitle_(settings.lastTitle),
      titleEnabled_(PrintTitleBoxEnabled(settings)) {
    auto* tab = new QWidget;
    tab->setWindowTitle(Tr("Page header"));
    auto* layout = new QVBoxLayout(tab);
    auto* group = new QGroupBox(Tr("Page header"), tab);
    auto* form = new QFormLayout(group);
    title_ = titleEnabled_ ? NewValueEdit(group, lastTitle_)
                           : new QLineEdit(Tr(kPrintTitleDisabledText), group);
    title_->setEnabled(titleEnabled_);
    form->addRow(Tr("&Title:"), title_);
    layout->addWidget(group);
    layout->addStretch(1);
    setOptionTabs({tab});
}

std::string CZOLMyPrintDlg::Title() const {
    return titleEnabled_ ? ValueEditBytes(*title_, lastTitle_) : std::string();
}

}  // namespace kelvane
