#include "ui/AboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"
#include "ui/NuvQtText.h"

namespace kelvane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr(IsStyleMode() ? "About Kelvane" : "About Morvane"));
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(ToQt(AboutProductLine()), this);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    product->setFont(bold);
    layout->addWidget(product);
    layout->addWidget(new QLabel(ToQt(AboutAuthorLine()), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("@button_ok@&OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void CAboutDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton && at.x() <= kHiddenTextCorner &&
        at.y() <= kHiddenTextCorner) {
        SetStatusPaneText(0, HiddenAboutText());
        return;
    }
    QDialog::mouseDoubleClickEvent(event);
}

}  // namespace kelvane
