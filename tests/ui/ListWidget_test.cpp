// The list widget over records built in the record store: rows and columns, header clicks and
// their images, group markers, the selection in both directions, type-ahead, drags, column
// drags and widths, display decoding, the font and the filter colour.
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>

#include "UiRecords.h"
#include "UiTestEnv.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLListViewMgr.h"
#include "support/ZOLConfigValues.h"
#include "ui/MainFrm.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListModel.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

CZOLListWidget& FileWidget(CMainFrame& frame) {
    return *frame.View()->Lists()->FileListWidget();
}

void ShowFrame(CMainFrame& frame) {
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
}

void ClickHeader(CZOLListWidget& widget, int section,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QHeaderView* header = widget.horizontalHeader();
    const QPoint point(header->sectionViewportPosition(section) + 4, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, point);
}

void ShowColumns(const std::vector<int>& fields) {
    CMyListCtrl& list = ListViewMgr().FileList();
    list.ClearDefinitions();
    for (const int field : fields) {
        list.AppendDefinition(field, -1);
    }
    list.BuildColumns(false);
}

QImage Decoration(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DecorationRole).value<QPixmap>().toImage();
}

QImage HeaderDecoration(const QAbstractItemModel& model, int section) {
    return model.headerData(section, Qt::Horizontal, Qt::DecorationRole).value<QPixmap>().toImage();
}

QStringList SelectedNames(const CZOLListWidget& widget) {
    QStringList names;
    for (const QModelIndex& index : widget.selectionModel()->selectedRows(0)) {
        names << index.data().toString();
    }
    names.sort();
    return names;
}

}  // namespace

class ListWidgetTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void ShowsTheRecordsInTheBuiltInColumns();
    void HeaderClicksSortAndMarkTheirColumns();
    void GroupMarkersJoinTheRowsOfAGroup();
    void SelectionIsMirroredAndSurvivesARebuild();
    void TypingSelectsTheNextRowStartingWithIt();
    void DragCarriesFileUrlsAndThePrivateFormat();
    void ColumnDragsAndWidthsReachTheList();
    void CellTextsAreDecodedForDisplay();
    void FontHeightSetsArialRowsAndImages();
    void ActiveFilterColoursTheList();
    void RightClickSelectsTheRowAndNamesItsFolder();
};

void ListWidgetTest::ShowsTheRecordsInTheBuiltInColumns() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    test::AddUiRecord({"one.sty", "/music/a/", 1, 1234, "One", "Pop", 120});
    test::AddUiRecord({"two.sty", "/music/b/", 2, 99, "Two", "Rock", 90});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    const CZOLListWidget& widget = FileWidget(*frame);
    const QAbstractItemModel& model = *widget.model();
    QCOMPARE(model.rowCount(), 2);
    QStringList headers;
    for (int column = 0; column < model.columnCount(); ++column) {
        headers << model.headerData(column, Qt::Horizontal).toString();
    }
    QCOMPARE(headers, (QStringList{"Filename", "Style Name", "Style Type (Genre)", "Style Subtype",
                                   "Time Sig.", "Tempo", "Filesize"}));
    QCOMPARE(test::ColumnTexts(widget, 0), (QStringList{"one.sty", "two.sty"}));
    QCOMPARE(test::ColumnTexts(widget, 5), (QStringList{"120", "90"}));
    // Numbers are right-aligned, texts left; the widths are the list's.
    const auto alignment = [&](int column) {
        return model.data(model.index(0, column), Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    QVERIFY(alignment(5) & Qt::AlignRight);
    QVERIFY(alignment(0) & Qt::AlignLeft);
    for (int column = 0; column < model.columnCount(); ++column) {
        QCOMPARE(widget.columnWidth(column), ListViewMgr().FileList().Column(column)->width);
    }
    // The song list is hidden while the file list shows.
    QVERIFY(frame->View()->Lists()->SongListWidget()->isHidden());
}

void ListWidgetTest::HeaderClicksSortAndMarkTheirColumns() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    ShowFrame(*frame);
    test::AddUiRecord({"b.sty", "/m/", 1, 100, "", "", 100});
    test::AddUiRecord({"C.sty", "/m/", 2, 100, "", "", 90});
    test::AddUiRecord({"a.sty", "/m/", 3, 100, "", "", 100});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    CZOLListWidget& widget = FileWidget(*frame);
    const QAbstractItemModel& model = *widget.model();
    QVERIFY(HeaderDecoration(model, 0).isNull());

    ClickHeader(widget, 0);
    QCOMPARE(test::ColumnTexts(widget, 0), (QStringList{"a.sty", "b.sty", "C.sty"}));
    const QImage primaryUp = HeaderDecoration(model, 0);
    QVERIFY(!primaryUp.isNull());
    QVERIFY(HeaderDecoration(model, 5).isNull());
    ClickHeader(widget, 0);
    QCOMPARE(test::ColumnTexts(widget, 0), (QStringList{"C.sty", "b.sty", "a.sty"}));
    const QImage primaryDown = HeaderDecoration(model, 0);
    QVERIFY(primaryDown != primaryUp);

    // Tempo first, then Ctrl+click on the name as the second key.
    ClickHeader(widget, 5);
    ClickHeader(widget, 0, Qt::ControlModifier);
    QCOMPARE(ListViewMgr().GetSortState().primaryField, kFieldTempo);
    QCOMPARE(ListViewMgr().GetSortState().secondaryField, kFieldFilename);
    QCOMPARE(test::ColumnTexts(widget, 0), (QStringList{"C.sty", "a.sty", "b.sty"}));
    const QImage secondaryUp = HeaderDecoration(model, 0);
    QVERIFY(!secondaryUp.isNull());
    QVERIFY(secondaryUp != primaryUp);
    QCOMPARE(HeaderDecoration(model, 5), primaryUp);
}

void ListWidgetTest::GroupMarkersJoinTheRowsOfAGroup() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    ShowColumns({kFieldFilename, kFieldDuplicates});
    for (const char* name : {"a1.sty", "a2.sty", "a3.sty"}) {
        test::AddUiRecord({name, "/m/", 5, 300});
    }
    test::AddUiRecord({"single.sty", "/m/", 9, 300});
    test::AddUiRecord({"other-size.sty", "/m/", 5, 301});  // same id, other size: not identical
    ListViewMgr().ForceRebuild(true, nullptr, false);
    CZOLListWidget& widget = FileWidget(*frame);
    const QAbstractItemModel& model = *widget.model();
    QCOMPARE(model.data(model.index(0, 1)).toString(),
             QStringLiteral("? (sort column to see the info)"));
    QVERIFY(Decoration(model, 0, 1).isNull());

    ListViewMgr().SortByColumn(1, false);
    const CZOLListImages& images = widget.Images();
    const auto marker = [&](GroupMarker which) { return images.Marker(which).toImage(); };
    QCOMPARE(Decoration(model, 0, 1), marker(GroupMarker::GroupStart));
    QCOMPARE(Decoration(model, 1, 1), marker(GroupMarker::GroupMiddle));
    QCOMPARE(Decoration(model, 2, 1), marker(GroupMarker::GroupEnd));
    QCOMPARE(Decoration(model, 3, 1), marker(GroupMarker::NotInGroup));
    QCOMPARE(Decoration(model, 4, 1), marker(GroupMarker::NotInGroup));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QString());
    // The four pieces differ from each other and from the header arrows.
    QSet<QByteArray> distinct;
    for (GroupMarker which : {GroupMarker::NotInGroup, GroupMarker::GroupStart,
                              GroupMarker::GroupMiddle, GroupMarker::GroupEnd}) {
        const QImage image = marker(which);
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                   static_cast<int>(image.sizeInBytes())));
    }
    QCOMPARE(distinct.size(), 4);
}

void ListWidgetTest::SelectionIsMirroredAndSurvivesARebuild() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    for (const char* name : {"d.sty", "b.sty", "e.sty", "a.sty", "c.sty"}) {
        test::AddUiRecord({name});
    }
    CZOLListViewMgr& manager = ListViewMgr();
    manager.ForceRebuild(true, nullptr, false);
    CZOLListWidget& widget = FileWidget(*frame);
    const QAbstractItemModel& model = *widget.model();
    CMyListCtrl& list = manager.FileList();

    // The user's selection (rows 1 and 3: b and a) reaches the list.
    widget.selectionModel()->select(model.index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    widget.selectionModel()->select(model.index(3, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(list.SelectedCount(), 2L);
    QVERIFY(list.IsSelected(1) && list.IsSelected(3));
    widget.selectionModel()->select(model.index(1, 0),
                                    QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    QVERIFY(!list.IsSelected(1));
    widget.selectionModel()->select(model.index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);

    // A sort and a forced rebuild keep the same records selected in both.
    manager.SortByColumn(0, false);
    QCOMPARE(SelectedNames(widget), (QStringList{"a.sty", "b.sty"}));
    manager.ForceRebuild(true, nullptr, true);
    QCOMPARE(SelectedNames(widget), (QStringList{"a.sty", "b.sty"}));
    QVERIFY(list.IsSelected(0) && list.IsSelected(1) && !list.IsSelected(2));

    // Select All from the menu selects every row in the view as one range and focuses it.
    ShowFrame(*frame);
    frame->View()->RunCommand(ViewCommand::SelectAll);
    QCOMPARE(widget.selectionModel()->selectedRows().size(), 5);
    QCOMPARE(widget.selectionModel()->selection().size(), 1);
    QVERIFY(widget.hasFocus());
    // The view's own Ctrl+A is mirrored as well.
    list.ClearSelection();
    QCOMPARE(widget.selectionModel()->selectedRows().size(), 0);
    widget.selectAll();
    QCOMPARE(list.SelectedCount(), 5L);
}

void ListWidgetTest::TypingSelectsTheNextRowStartingWithIt() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    ShowFrame(*frame);
    for (char first = 'a'; first <= 'z'; ++first) {
        for (int i = 0; i < 8; ++i) {
            const std::string name = std::string(1, first) + std::to_string(i);
            test::AddUiRecord({name + ".sty", "/m/", 0, 100, name});
        }
    }
    CZOLListViewMgr& manager = ListViewMgr();
    manager.ForceRebuild(true, nullptr, false);
    // The search runs in the primary sort column (column 1 when that is the first column).
    manager.SortByColumn(1, false);
    CZOLListWidget& widget = FileWidget(*frame);
    widget.setFocus();
    QTest::keyClick(&widget, Qt::Key_T, Qt::NoModifier);
    const int row = ('t' - 'a') * 8;
    QCOMPARE(widget.model()->index(row, 0).data().toString(), QStringLiteral("t0.sty"));
    const QRect shown = widget.visualRect(widget.model()->index(row, 0));
    QVERIFY(widget.viewport()->rect().contains(shown));
    QVERIFY(widget.FirstVisibleRow() > 0);
    // The row found is selected and current, in the view and in the core.
    QCOMPARE(SelectedNames(widget), QStringList{"t0.sty"});
    QCOMPARE(manager.FileList().SelectedCount(), 1L);
    QVERIFY(manager.FileList().IsSelected(row));
    // Characters typed in quick succession form one search; Down goes on from the row found.
    widget.keyboardSearch(QString());  // a new search, as after a pause
    QTest::keyClicks(&widget, "T5");
    QCOMPARE(SelectedNames(widget), QStringList{"t5.sty"});
    QTest::keyClick(&widget, Qt::Key_Down);
    QCOMPARE(SelectedNames(widget), QStringList{"t6.sty"});
    // A new search starts after the current row and wraps around to the top.
    widget.keyboardSearch(QString());
    QTest::keyClicks(&widget, "a");
    QCOMPARE(SelectedNames(widget), QStringList{"a0.sty"});
}

void ListWidgetTest::DragCarriesFileUrlsAndThePrivateFormat() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    StyleDataPacket* first = test::AddUiRecord({"a b.sty", "/music/x y/"});
    test::AddUiRecord({"c.sty", "/music/"});
    test::AddUiSong(first, "Song One");
    CZOLListViewMgr& manager = ListViewMgr();
    manager.ForceRebuild(true, nullptr, false);
    CZOLListWidget& widget = FileWidget(*frame);
    QVERIFY(widget.SelectedFilesMimeData() == nullptr);
    manager.SelectAll();
    std::unique_ptr<QMimeData> data(widget.SelectedFilesMimeData());
    QVERIFY(data != nullptr);
    QCOMPARE(data->urls(), (QList<QUrl>{QUrl::fromLocalFile("/music/x y/a b.sty"),
                                        QUrl::fromLocalFile("/music/c.sty")}));
    QVERIFY(data->hasFormat("text/uri-list"));
    QCOMPARE(data->data(QString::fromLatin1(kDragFormatName)).size(), 1);
    // A song row stands for its style file.
    frame->View()->ShowSongView(true);
    CZOLListWidget& songs = *frame->View()->Lists()->SongListWidget();
    QCOMPARE(songs.model()->rowCount(), 1);
    manager.SelectAll();
    std::unique_ptr<QMimeData> songData(songs.SelectedFilesMimeData());
    QCOMPARE(songData->urls(), (QList<QUrl>{QUrl::fromLocalFile("/music/x y/a b.sty")}));
}

void ListWidgetTest::ColumnDragsAndWidthsReachTheList() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    ShowFrame(*frame);
    test::AddUiRecord({"a.sty"});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    CZOLListWidget& widget = FileWidget(*frame);
    CMyListCtrl& list = ListViewMgr().FileList();
    QHeaderView* header = widget.horizontalHeader();
    header->moveSection(0, 2);
    QTRY_COMPARE(list.FieldIdOfColumn(2), kFieldFilename);
    QCOMPARE(list.FieldIdOfColumn(0), kFieldStyleName);
    // The view shows the list's order again, without a moved section of its own.
    for (int section = 0; section < header->count(); ++section) {
        QCOMPARE(header->visualIndex(section), section);
    }
    QCOMPARE(widget.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Filename"));
    header->resizeSection(1, 177);
    QCOMPARE(list.Column(1)->width, 177);
    // A rebuild keeps the width the user gave.
    ListViewMgr().ForceRebuild(true, nullptr, false);
    QCOMPARE(widget.columnWidth(1), 177);
}

void ListWidgetTest::CellTextsAreDecodedForDisplay() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    test::AddUiRecord({"Caf\xe9.sty"});                 // Windows-1252
    test::AddUiRecord({"Caf\xc3\xa9 Noir.sty"});        // UTF-8
    test::AddUiRecord({"\x80uro\x9f.sty", "/music/"});  // bytes the code page maps high
    ListViewMgr().ForceRebuild(true, nullptr, false);
    ListViewMgr().SortByColumn(0, false);
    QStringList texts = test::ColumnTexts(FileWidget(*frame), 0);
    texts.sort();
    QCOMPARE(texts, (QStringList{QString::fromUtf8("Caf\xc3\xa9 Noir.sty"),
                                 QString::fromUtf8("Caf\xc3\xa9.sty"),
                                 QString::fromUtf8("\xe2\x82\xacuro\xc5\xb8.sty")}));
}

void ListWidgetTest::FontHeightSetsArialRowsAndImages() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    CZOLListWidget& widget = FileWidget(*frame);
    frame->View()->ApplyListFontSize(20);
    QCOMPARE(widget.font().family(), QStringLiteral("Arial"));
    QCOMPARE(widget.font().pixelSize(), 20);
    const int expected = QFontMetrics(widget.font()).height() + 5;
    QCOMPARE(widget.RowHeight(), expected);
    QCOMPARE(widget.verticalHeader()->defaultSectionSize(), expected);
    QCOMPARE(widget.Images().Marker(GroupMarker::GroupEnd).height(), expected);
    QCOMPARE(frame->View()->Lists()->SongListWidget()->RowHeight(), expected);
    // 0 returns to the inherited font.
    frame->View()->ApplyListFontSize(0);
    QCOMPARE(widget.font().pixelSize(), QFont().pixelSize());
}

void ListWidgetTest::ActiveFilterColoursTheList() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    Config().changeBackgroundColorIfFilterIsActive = 1;
    test::AddUiRecord({"a.sty"});
    CZOLListWidget& widget = FileWidget(*frame);
    frame->View()->RunCommand(ViewCommand::ShowRelatedScores);
    QCOMPARE(widget.palette().color(QPalette::Base), QColor(255, 255, 224));
    frame->View()->RunCommand(ViewCommand::ClearFilterAll);
    QCOMPARE(widget.palette().color(QPalette::Base), QColor(255, 255, 255));
    Config().changeBackgroundColorIfFilterIsActive = 0;
    frame->View()->RunCommand(ViewCommand::ShowRelatedScores);
    QCOMPARE(widget.palette().color(QPalette::Base), QColor(255, 255, 255));
}

void ListWidgetTest::RightClickSelectsTheRowAndNamesItsFolder() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    ShowFrame(*frame);
    test::AddUiRecord({"a.sty", "/one/"});
    test::AddUiRecord({"b.sty", "/two/"});
    test::AddUiRecord({"c.sty", "/three/"});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    CZOLListWidget& widget = FileWidget(*frame);
    int calls = 0;
    int selectedRows = -1;
    std::string folder;
    widget.SetContextMenuHandler([&](const QPoint&, int rows, const std::string& rowFolder) {
        ++calls;
        selectedRows = rows;
        folder = rowFolder;
    });
    ListViewMgr().FileList().Select(0);
    const QPoint onRow2 = widget.visualRect(widget.model()->index(2, 0)).center();
    Q_EMIT widget.customContextMenuRequested(onRow2);
    QCOMPARE(calls, 1);
    QCOMPARE(selectedRows, 1);
    QCOMPARE(folder, std::string("/three/"));
    QVERIFY(ListViewMgr().FileList().IsSelected(2) && !ListViewMgr().FileList().IsSelected(0));
    // Inside the selection the selection stays; below the rows nothing opens.
    ListViewMgr().SelectAll();
    Q_EMIT widget.customContextMenuRequested(onRow2);
    QCOMPARE(selectedRows, 3);
    Q_EMIT widget.customContextMenuRequested(QPoint(5, widget.viewport()->height() - 2));
    QCOMPARE(calls, 2);
}

}  // namespace kelvane

QTEST_MAIN(kelvane::ListWidgetTest)
#include "ListWidget_test.moc"
