#include "ui/ZOLModifyDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/ZOLHelpTopics.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLSongData.h"
#include "support/ZOLRunMode.h"
#include "ui/HelpWindow.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLDialogParts.h"
#include "ui/ZOLModifySongDlg.h"
#include "ui/ZOLValueBox.h"

namespace kelvane {
namespace {

// The song columns of the list inside the dialog.
constexpr std::array<int, 7> kSongColumns = {
    kSongFieldTitle, kSongFieldGenre,   kSongFieldKeyword1, kSongFieldKeyword2,
    kSongFieldTempo, kSongFieldTimeSig, kSongFieldStatus};

bool IsNumberField(int fieldId) {
    return fieldId == kFieldRank || fieldId == kFieldMyRank;
}

QString SongCellText(const SongDataPacket& song, int songId) {
    if (songId == kSongFieldStatus) {
        return ToQt(SongStatusText(song.Number(songId)));
    }
    if (song.TypeOf(songId) == FT_NUMBER) {
        return QString::number(song.Number(songId));
    }
    return ToQtView(song.Text(songId));
}

}  // namespace

CZOLModifyDlg::CZOLModifyDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQt(ModifyDialogTitle()));
    auto* layout = new QVBoxLayout(this);
    auto* target = new QLabel(ToQt(ModifyTargetText(ListViewMgr())), this);
    target->setObjectName("ModifyTarget");
    layout->addWidget(target);
    auto* grid = new QGridLayout;
    BuildFields(grid);
    layout->addLayout(grid);
    auto* note = new QLabel(Tr(kModifyFieldNote), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    if (logic_.SongListShown()) {
        BuildSongList(layout);
    }
    QPushButton* left[2] = {};
    AddOkCancelRow(this, layout, {"@button_help@Help", "@button_clear@C&lear"}, left);
    connect(left[0], &QPushButton::clicked, this, [] { OpenHelpPage(help::kModifyDialog); });
    HelpOnF1(left[0]);
    connect(left[1], &QPushButton::clicked, this, [this] { Clear(); });
    if (QWidget* first = Control(kFieldStyleType)) {
        first->setFocus(Qt::OtherFocusReason);
    }
    setMinimumWidth(560);
}

void CZOLModifyDlg::BuildFields(QGridLayout* grid) {
    const ModifyFieldTexts& initial = logic_.InitialTexts();
    int row = 0;
    for (int id : kModifyFieldIds) {
        if (!ModifyFieldShown(id)) {
            continue;
        }
        const auto slot = static_cast<size_t>(id);
        auto* label = new QLabel(ToQt(ModifyFieldLabel(id)), this);
        QWidget* control = IsNumberField(id)
                               ? static_cast<QWidget*>(NewValueEdit(this, initial[slot]))
                               : NewValueCombo(this, ExistingFieldValues(id), initial[slot]);
        label->setBuddy(control);
        // Two columns of label and control.
        grid->addWidget(label, row / 2, (row % 2) * 2);
        grid->addWidget(control, row / 2, (row % 2) * 2 + 1);
        controls_[slot] = control;
        labels_[slot] = label;
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void CZOLModifyDlg::BuildSongList(QVBoxLayout* layout) {
    songs_ = new QTableWidget(0, static_cast<int>(kSongColumns.size()), this);
    QStringList headers;
    for (int id : kSongColumns) {
        headers << ToQt(SongFieldLabel(id));
    }
    songs_->setHorizontalHeaderLabels(headers);
    songs_->setSelectionBehavior(QAbstractItemView::SelectRows);
    songs_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    songs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    songs_->verticalHeader()->hide();
    songs_->setMinimumHeight(140);
    layout->addWidget(songs_, 1);
    auto* row = new QHBoxLayout;
    const char* keys[kSongButtons] = {
        "@button_add_song@&Add Song", "@button_add_song_from_filename@Add Song from &Filename",
        "@button_modify_song@&Modify Song", "@button_remove_song@&Remove Song"};
    for (size_t i = 0; i < songButtons_.size(); ++i) {
        songButtons_[i] = new QPushButton(Tr(keys[i]), this);
        songButtons_[i]->setAutoDefault(false);
        songButtons_[i]->setEnabled(logic_.SongButtonsEnabled());
        row->addWidget(songButtons_[i]);
    }
    row->addStretch(1);
    layout->addLayout(row);
    connect(songButtons_[kAddSong], &QPushButton::clicked, this, [this] { OnAddSong(false); });
    connect(songButtons_[kAddSongFromFilename], &QPushButton::clicked, this,
            [this] { OnAddSong(true); });
    connect(songButtons_[kModifySong], &QPushButton::clicked, this, [this] { OnModifySong(); });
    connect(songButtons_[kRemoveSong], &QPushButton::clicked, this, [this] { OnRemoveSong(); });
    connect(songs_, &QTableWidget::cellDoubleClicked, this, [this] { OnModifySong(); });
    songs_->setEnabled(logic_.SongButtonsEnabled());
    FillSongList();
}

void CZOLModifyDlg::FillSongList() {
    if (songs_ == nullptr) {
        return;
    }
    const SongList& songs = logic_.Songs();
    songs_->clearContents();
    songs_->setRowCount(static_cast<int>(songs.size()));
    for (size_t row = 0; row < songs.size(); ++row) {
        for (size_t column = 0; column < kSongColumns.size(); ++column) {
            songs_->setItem(static_cast<int>(row), static_cast<int>(column),
                            new QTableWidgetItem(SongCellText(*songs[row], kSongColumns[column])));
        }
    }
    songs_->resizeColumnsToContents();
}

std::vector<long> CZOLModifyDlg::SelectedSongRows() const {
    std::vector<long> rows;
    for (const QModelIndex& index : songs_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CZOLModifyDlg::OnAddSong(bool fromFileName) {
    std::unique_ptr<CZOLModifySongLogic> song = logic_.AddSong(fromFileName);
    if (song != nullptr && RunModifySongDialog(this, *song)) {
        FillSongList();
    }
}

void CZOLModifyDlg::OnModifySong() {
    std::unique_ptr<CZOLModifySongLogic> song = logic_.ModifySong(SelectedSongRows());
    if (song != nullptr) {
        RunModifySongDialog(this, *song);
        FillSongList();
    }
}

void CZOLModifyDlg::OnRemoveSong() {
    if (logic_.RemoveSongs(SelectedSongRows())) {
        FillSongList();
    }
}

QWidget* CZOLModifyDlg::Control(int fieldId) const {
    return fieldId >= 0 && fieldId < kStyleFieldCount ? controls_[static_cast<size_t>(fieldId)]
                                                      : nullptr;
}

QLabel* CZOLModifyDlg::Label(int fieldId) const {
    return fieldId >= 0 && fieldId < kStyleFieldCount ? labels_[static_cast<size_t>(fieldId)]
                                                      : nullptr;
}

void CZOLModifyDlg::SetFieldText(int fieldId, const QString& text) {
    SetInputText(Control(fieldId), text);
}

void CZOLModifyDlg::Clear() {
    for (int id : kModifyFieldIds) {
        if (Control(id) != nullptr) {
            SetFieldText(id, QString());
        }
    }
}

ModifyFieldTexts CZOLModifyDlg::Texts() const {
    ModifyFieldTexts texts{};
    const ModifyFieldTexts& initial = logic_.InitialTexts();
    for (int id : kModifyFieldIds) {
        const auto slot = static_cast<size_t>(id);
        texts[slot] = ValueInputBytes(Control(id), initial[slot]);
    }
    return texts;
}

void CZOLModifyDlg::accept() {
    if (logic_.Ok(Texts()).close) {
        QDialog::accept();
    }
}

}  // namespace kelvane
