// CZOLModifyDlg: the hand-kept values of the selected records (combo boxes with the values
// the fields already have, Rank and My Rank as numbers) and, for one style, its Music Finder
// songs with the song buttons. The logic object decides what is shown and applies it at OK.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "output/ZOLModify.h"

class QComboBox;
class QGridLayout;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kelvane {

class CZOLModifyDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CZOLModifyDlg(QWidget* parent);

    CZOLModifyLogic& Logic() { return logic_; }
    // The control of a field (a QComboBox, or the QLineEdit of Rank and My Rank); nullptr for a
    // field the dialog does not have.
    QWidget* Control(int fieldId) const;
    QLabel* Label(int fieldId) const;
    void SetFieldText(int fieldId, const QString& text);
    QTableWidget* SongTable() const { return songs_; }
    enum SongButton { kAddSong, kAddSongFromFilename, kModifySong, kRemoveSong, kSongButtons };
    QPushButton* SongButtonOf(SongButton which) const {
        return songButtons_[static_cast<size_t>(which)];
    }

    void accept() override;

  private:
    void BuildFields(QGridLayout* grid);
    void BuildSongList(QVBoxLayout* layout);
    void FillSongList();
    std::vector<long> SelectedSongRows() const;
    void OnAddSong(bool fromFileName);
    void OnModifySong();
    void OnRemoveSong();
    void Clear();
    ModifyFieldTexts Texts() const;

    CZOLModifyLogic logic_;
    std::array<QWidget*, kStyleFieldCount> controls_{};
    std::array<QLabel*, kStyleFieldCount> labels_{};
    QTableWidget* songs_ = nullptr;
    std::array<QPushButton*, kSongButtons> songButtons_{};
};

}  // namespace kelvane
