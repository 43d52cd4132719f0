#include "ui/ZOLRenameDlg.h"

#include <QFileInfo>

#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"

namespace kelvane {

CZOLRenameDlg::CZOLRenameDlg(QWidget* parent, const std::string& folder, const std::string& name)
    : QFileDialog(parent, Tr("Rename File"), PathToQt(folder)) {
    // The program's own dialog: the same on every desktop, and its labels can be set.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::DontConfirmOverwrite, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setLabelText(QFileDialog::Accept, Tr("@button_rename@Rename"));
    setLabelText(QFileDialog::Reject, Tr("@button_cancel@&Cancel"));
    selectFile(PathToQt(name));
}

std::string CZOLRenameDlg::ChosenName() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? std::string() : PathFromQt(QFileInfo(files.first()).fileName());
}

void CZOLRenameDlg::accept() {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && !QFileInfo(files.first()).isDir()) {
        const std::string name = PathFromQt(QFileInfo(files.first()).fileName());
        if (name.find('.') == std::string::npos) {
            ShowBox(Translate("Please enter the new name with its extension (name.ext)."));
            return;
        }
    }
    QFileDialog::accept();
}

std::optional<std::string> AskNewName(const std::string& folder, const std::string& name) {
    CZOLRenameDlg dialog(BoxParent(), folder, name);
    if (ExecWithNormalCursor(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    const std::string chosen = dialog.ChosenName();
    if (chosen.empty()) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace kelvane
