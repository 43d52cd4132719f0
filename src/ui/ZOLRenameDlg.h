// The rename dialog: a file dialog titled "Rename File" with its accept button labelled
// "Rename", opened on a folder with the old name filled in. Only the chosen name counts; a
// name without "." is refused, since the renamed files keep their own extensions behind it.
#pragma once

#include <QFileDialog>
#include <optional>
#include <string>

namespace kelvane {

class CZOLRenameDlg : public QFileDialog {
    Q_OBJECT

  public:
    CZOLRenameDlg(QWidget* parent, const std::string& folder, const std::string& name);

    // The chosen file name without its folder, after OK.
    std::string ChosenName() const;

    void accept() override;
};

// Shows the dialog modally; the new name, or none for Cancel.
std::optional<std::string> AskNewName(const std::string& folder, const std::string& name);

}  // namespace kelvane
