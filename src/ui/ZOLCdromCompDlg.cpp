#include "ui/ZOLCdromCompDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "ui/HelpWindow.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLDialogParts.h"

namespace kelvane {

CZOLCdromCompDlg::CZOLCdromCompDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Joliet Compatibility Test Selection"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Tr("Check for compatibility of CD-ROM filesystem (Joliet).\n\nSelect "
                               "which test should be performed.\n\nThe incompatible files will "
                               "then be displayed."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    level_ = new QCheckBox(Tr("Check directory level limitation"), this);
    length_ = new QCheckBox(Tr("Check max. filename length"), this);
    layout->addWidget(level_);
    layout->addWidget(length_);
    QPushButton* help = nullptr;
    AddOkCancelRow(this, layout, {"@button_help@&Help"}, &help);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpPage(help::kCdroms); });
    HelpOnF1(help);
}

CdromCompatChoice CZOLCdromCompDlg::Choice() const {
    CdromCompatChoice choice;
    choice.checkDirectoryLevel = level_->isChecked();
    choice.checkNameLength = length_->isChecked();
    return choice;
}

std::optional<CdromCompatChoice> AskCdromTestChoice() {
    CZOLCdromCompDlg dialog(BoxParent());
    if (ExecWithNormalCursor(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

}  // namespace kelvane
