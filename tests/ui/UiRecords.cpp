#include "UiRecords.h"

#include <QApplication>
#include <QTimer>
#include <memory>

#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "ui/ZOLListWidget.h"

namespace kelvane::test {

StyleDataPacket* AddUiRecord(const UiRecord& wanted) {
    StyleDataPacket* record = NewStyleRecord();
    if (record == nullptr) {
        return nullptr;
    }
    AssignStyleField(*record, kFieldFilename, wanted.name);
    AssignStyleField(*record, kFieldPath, wanted.path);
    AssignStyleField(*record, kFieldStyleName, wanted.styleName);
    AssignStyleField(*record, kFieldStyleType, wanted.styleType);
    AssignStyleField(*record, kFieldAux, wanted.aux);
    record->SetNumber(kFieldFileId, wanted.fileId);
    record->SetNumber(kFieldDuplicates, wanted.fileId);
    record->SetNumber(kFieldRelatedId, wanted.fileId);
    record->SetNumber(kFieldFilesize, wanted.size);
    record->SetNumber(kFieldTempo, wanted.tempo);
    RecordStore().records.Append(record);
    return record;
}

SongDataPacket* AddUiSong(StyleDataPacket* record, const std::string& title,
                          const std::string& genre) {
    SongDataPacket* song = NewSongRecord();
    if (song == nullptr) {
        return nullptr;
    }
    AssignSongField(*song, kSongFieldTitle, title);
    AssignSongField(*song, kSongFieldGenre, genre);
    song->SetNumber(kSongFieldStatus, kSongStatusInStyleFile);
    AppendSong(*record, song);
    return song;
}

void ClearUiRecords() {
    ListViewMgr().ClearBothLists();
    ListViewMgr().ResumeBothDisplays();
}

QStringList ColumnTexts(const CZOLListWidget& widget, int column) {
    QStringList texts;
    const QAbstractItemModel* model = widget.model();
    for (int row = 0; row < model->rowCount(); ++row) {
        texts << model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
    return texts;
}

ModalAction::~ModalAction() {
    if (timer_ != nullptr) {
        timer_->stop();
        timer_->deleteLater();
    }
}

ModalAction WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++*tries < 500) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (modal != nullptr) {
            act(modal);
        }
    });
    timer->start();
    return ModalAction(timer);
}

}  // namespace kelvane::test
