// The About box: product name and version, "by Tessary", and a hidden text that a right-button
// double click near the top-left corner puts into the status bar.
#pragma once

#include <QDialog>

namespace kelvane {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace kelvane
