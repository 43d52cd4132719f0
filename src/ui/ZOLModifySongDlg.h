// CZOLModifySongDlg: one song's fields (title, genre, keywords, tempo, time signature, real
// and native title, artist) over the song dialog's logic, which decides what it shows and
// applies the texts at OK.
#pragma once

#include <QDialog>
#include <array>

#include "output/ZOLModifySong.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kelvane {

class CZOLModifySongDlg : public QDialog {
    Q_OBJECT

  public:
    CZOLModifySongDlg(QWidget* parent, CZOLModifySongLogic& logic);

    // The control of a song field of the dialog (nullptr for others): a QComboBox, or the
    // QLineEdit of the tempo.
    QWidget* Control(int songId) const;
    // Sets the text of a field's control (tests and the Clear button).
    void SetFieldText(int songId, const QString& text);
    QLabel* StyleFileNote() const { return styleFileNote_; }
    // The status of the last OK (0 when it worked or was not pressed).
    StatusCode OkStatus() const { return okStatus_; }

    void accept() override;

  private:
    SongFieldTexts Texts() const;
    void Clear();

    CZOLModifySongLogic& logic_;
    std::array<QComboBox*, kSongFieldCount> combos_{};
    QLineEdit* tempo_ = nullptr;
    QLabel* styleFileNote_ = nullptr;
    StatusCode okStatus_ = 0;
};

// Shows the song dialog over `logic`; true after OK.
bool RunModifySongDialog(QWidget* parent, CZOLModifySongLogic& logic);

}  // namespace kelvane
