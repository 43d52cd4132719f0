// CExportRTFDlg: the column choice of the RTF writer, and the same dialog for the data export
// and the CSV export: a text, one check box per offered field labelled with its column header,
// Select All, Clear All, OK and Cancel. A disabled box cannot be ticked (Select All passes it).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;

namespace kelvane {

struct FieldChoice {
    int fieldId = 0;
    std::string label;  // shown as it is (already translated)
    bool enabled = true;
    bool ticked = false;
};

class CExportRTFDlg : public QDialog {
    Q_OBJECT

  public:
    CExportRTFDlg(QWidget* parent, const std::string& title, std::vector<FieldChoice> choices);

    // The choices with the ticks as the user left them (read after OK).
    std::vector<FieldChoice> Choices() const;
    QCheckBox* BoxOf(int fieldId) const;
    void SelectAll();
    void ClearAll();

  private:
    std::vector<FieldChoice> choices_;
    std::vector<QCheckBox*> boxes_;
};

}  // namespace kelvane
