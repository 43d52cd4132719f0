#include "ui/NuvInfoDlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ZOLDialogParts.h"

namespace kelvane {
namespace {

// A list box shows no tab stops: tabs become blanks up to the next multiple of eight, and the
// fixed-pitch font keeps the columns.
QString ExpandTabs(const QString& line) {
    QString out;
    for (const QChar c : line) {
        if (c == QLatin1Char('\t')) {
            out += QString(8 - out.size() % 8, QLatin1Char(' '));
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

CNUVMFCInfoDlg::CNUVMFCInfoDlg(QWidget* parent, const std::string& path,
                               const StyleDataPacket* record, InfoMode mode)
    : QDialog(parent) {
    setWindowTitle(Tr(mode == InfoMode::Ots ? "OTS Info" : "Extended Info"));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(list_, 1);
    // Only looking: one Close button (Escape closes too).
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(Tr("@button_close@&Close"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    {
        WaitCursor wait;
        for (const std::string& line : ExtendedInfoLines(path, record, mode)) {
            list_->addItem(ExpandTabs(ToQt(line)));
        }
    }
    resize(640, 480);
}

}  // namespace kelvane
