// CNUVMFCInfoDlg: the read-only listing of one file analysed again ("Extended Info") or of its
// one-touch settings ("OTS Info"), one line per list box row. Tabs in the lines align the
// section columns.
#pragma once

#include <QDialog>
#include <string>

#include "analysis/ZOLExtendedInfo.h"

class QListWidget;

namespace kelvane {

class CNUVMFCInfoDlg : public QDialog {
    Q_OBJECT

  public:
    // `record` may be nullptr; its fields are then not listed.
    CNUVMFCInfoDlg(QWidget* parent, const std::string& path, const StyleDataPacket* record,
                   InfoMode mode);

    QListWidget* List() const { return list_; }

  private:
    QListWidget* list_ = nullptr;
};

}  // namespace kelvane
