// The dialogs and commands around the list: both filter dialogs, the duplicates menu, the
// column dialog with its defaults, the two View toggles, go to line, the selected-line jumps,
// statistics, the duplicate selection with its folder chooser, and the song view.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>

#include "UiRecords.h"
#include "UiTestEnv.h"
#include "list/ZOLColumnDefaults.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "platform/SettingsStore.h"
#include "ui/DlgGetPath.h"
#include "ui/MainFrm.h"
#include "ui/ZOLColumnsDlg.h"
#include "ui/ZOLFilterDlg.h"
#include "ui/ZOLGotoLineNrDlg.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

CZOLListWidget& FileWidget(CMainFrame& frame) {
    return *frame.View()->Lists()->FileListWidget();
}

std::string LastStatusLine(const test::UiEnv& env) {
    std::string last;
    for (const std::string& text : env.panes.Texts()) {
        if (text.rfind("0:", 0) == 0) {
            last = text.substr(2);
        }
    }
    return last;
}

QStringList Headers(const CZOLListWidget& widget) {
    QStringList headers;
    for (int column = 0; column < widget.model()->columnCount(); ++column) {
        headers << widget.model()->headerData(column, Qt::Horizontal).toString();
    }
    return headers;
}

// The check marks the Duplicates menu shows when it opens.
int CheckedDuplicatesMode(CMainFrame& frame) {
    for (QObject* owner : frame.Action(ViewCommand::ShowAllFiles)->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) {
            Q_EMIT menu->aboutToShow();
        }
    }
    const ViewCommand modes[] = {ViewCommand::ShowAllFiles, ViewCommand::ShowUniqueFiles,
                                 ViewCommand::ShowDuplicateFiles, ViewCommand::ShowUniqueScores,
                                 ViewCommand::ShowRelatedScores};
    int checked = -1;
    for (int mode = 0; mode < 5; ++mode) {
        if (frame.Action(modes[mode])->isChecked()) {
            checked = checked == -1 ? mode : -2;  // -2: more than one
        }
    }
    return checked;
}

QStringList ComboItems(QWidget* input) {
    QStringList items;
    if (auto* combo = qobject_cast<QComboBox*>(input)) {
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
    }
    return items;
}

void AddIdentityRecords() {
    test::AddUiRecord({"copy1.sty", "/m/a/", 7, 500, "Pop One", "Pop"});
    test::AddUiRecord({"copy2.sty", "/m/b/", 7, 500, "Pop One", "Pop", 0, "longer aux"});
    test::AddUiRecord({"copy3.sty", "/m/c/", 7, 500, "Pop One", "Pop"});
    test::AddUiRecord({"other.sty", "/m/a/", 8, 500, "Rock Two", "Rock"});
}

}  // namespace

class ListDialogsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void StyleFilterDialogLaysOutTheInputsOfTheMode();
    void MidiFilterDialogHidesTheStyleOnlyInputs();
    void FilterErrorKeepsTheDialogOpenAtTheInput();
    void ClearAllAndCancelLeaveTheFilter();
    void SongFilterDialogFiltersTheSongList();
    void DuplicatesMenuChangesRowsStatusAndMarks();
    void ColumnsDialogChoosesAndStoresColumns();
    void ViewTogglesKeepTheColumns();
    void ScrollingCommands();
    void DuplicateSelectionAsksForAFolder();
};

void ListDialogsTest::StyleFilterDialogLaysOutTheInputsOfTheMode() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    test::AddUiRecord({"a.sty", "/m/", 1, 100, "Bossa", "Latin"});
    test::AddUiRecord({"b.sty", "/m/", 2, 100, "Rock It", "Rock"});
    test::AddUiRecord({"c.sty", "/m/", 3, 100, "Bossa", "Latin"});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    CZOLFilterDlg dialog(frame.get(), StyleFilterDialog(), FileWidget(*frame));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Define Filter for Styles"));
    QStringList groups;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        groups << group->title();
    }
    QCOMPARE(groups, (QStringList{"Quick Filter / Search", "General Visibility",
                                  "Detail Filter / Search", "Strings", "Numbers", "Dates"}));
    QStringList modes;
    for (int button = 0; button < 5; ++button) {
        modes << dialog.ModeButton(button)->text();
    }
    QCOMPARE(modes, (QStringList{"Show all", "Show unique files", "Show unique scores",
                                 "Show duplicate files", "Show related scores"}));
    QVERIFY(dialog.ModeButton(0)->isChecked());
    // A name is typed; shared texts pick from the values the records have, each once.
    QVERIFY(qobject_cast<QLineEdit*>(dialog.Input(kFieldFilename)) != nullptr);
    QVERIFY(qobject_cast<QLineEdit*>(dialog.Input(kFieldTempo)) != nullptr);
    QStringList names = ComboItems(dialog.Input(kFieldStyleName));
    names.sort();
    QCOMPARE(names, (QStringList{"Bossa", "Rock It"}));
    QCOMPARE(dialog.Label(kFieldStyleType)->text(), QStringLiteral("Style Type (Genre)"));
    QCOMPARE(dialog.Label(kFieldFiledate)->text(), QStringLiteral("Filedate"));
    QVERIFY(!dialog.findChildren<QLabel*>().isEmpty());
    bool hint = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        hint |= label->text() == "(Date Format: YYYY-MM-DD)   (Example: > 2003-05-30)";
    }
    QVERIFY(hint);
    // Tracks are a midi field: hidden, without a label; the style-only fields show.
    QVERIFY(dialog.Input(30)->isHidden());
    QCOMPARE(dialog.Label(30)->text(), QString());
    QVERIFY(!dialog.Input(kFieldKbdModel)->isHidden());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.QuickInput()));
}

void ListDialogsTest::MidiFilterDialogHidesTheStyleOnlyInputs() {
    test::UiEnv env;
    auto frame = env.StartFrame({"-m"});
    QVERIFY(frame != nullptr);
    CZOLFilterDlg dialog(frame.get(), StyleFilterDialog(), FileWidget(*frame));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Define Filter for Midi Files"));
    for (const int field : {kFieldOrigModel, kFieldKbdModel, kFieldMdb}) {
        QVERIFY(dialog.Input(field)->isHidden());
        QCOMPARE(dialog.Label(field)->text(), QString());
    }
    QVERIFY(!dialog.Input(30)->isHidden());
    QCOMPARE(dialog.Label(30)->text(), QStringLiteral("Tracks"));
    QCOMPARE(dialog.Label(kFieldSong)->text(), QStringLiteral("Song Title"));
}

void ListDialogsTest::FilterErrorKeepsTheDialogOpenAtTheInput() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    AddIdentityRecords();
    ListViewMgr().ForceRebuild(true, nullptr, false);
    bool openAfterError = false;
    bool focusOnTempo = false;
    bool closedAfterFix = false;
    const test::ModalAction onModal1 = test::WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CZOLFilterDlg*>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        dialog->SetInputText(kFieldStyleName, "pop");
        dialog->SetInputText(kFieldTempo, "> fast");
        dialog->ModeButton(1)->setChecked(true);  // "Show unique files"
        dialog->accept();
        openAfterError = dialog->isVisible();
        focusOnTempo = dialog->focusWidget() == dialog->Input(kFieldTempo);
        dialog->SetInputText(kFieldTempo, "");
        dialog->accept();
        closedAfterFix = !dialog->isVisible();
        if (!closedAfterFix) {
            dialog->reject();
        }
    });
    frame->show();
    frame->View()->RunCommand(ViewCommand::Filter);
    QVERIFY(openAfterError);
    QVERIFY(focusOnTempo);
    QVERIFY(env.sink.BoxContains("Illegal value for"));
    QVERIFY(closedAfterFix);
    // The list shows one row of the Pop group (the richest text) and the filter in force; of
    // the four records walked two are hidden.
    QCOMPARE(ListViewMgr().RowCount(), 1L);
    QCOMPARE(ListViewMgr().StyleRecordOfRow(0)->Text(kFieldFilename), "copy2.sty");
    const std::string status = LastStatusLine(env);
    QVERIFY2(status.find("Showing 1 style out of 2 (+ 2 hidden duplicates)") != std::string::npos,
             status.c_str());
    QVERIFY(status.find("Filter:  [Style Name=pop]") != std::string::npos);
    QCOMPARE(CheckedDuplicatesMode(*frame), kShowUniqueFiles);
}

void ListDialogsTest::ClearAllAndCancelLeaveTheFilter() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    FilterInputs inputs;
    inputs.fields[kFieldAuthor] = "Anne";
    inputs.quick = "beat";
    QCOMPARE(StyleFilterDialog().Confirm(inputs, kShowDuplicateFiles, nullptr), 0);
    QString keptAuthor;
    QString keptQuick;
    QString clearedQuick = "not cleared";
    bool clearedToShowAll = false;
    const test::ModalAction onModal2 = test::WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CZOLFilterDlg*>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        keptAuthor = qobject_cast<QComboBox*>(dialog->Input(kFieldAuthor))->currentText();
        keptQuick = dialog->QuickInput()->text();
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == "Clear &All") {
                button->click();
            }
        }
        clearedQuick = dialog->QuickInput()->text();
        clearedToShowAll = dialog->ModeButton(0)->isChecked();
        dialog->reject();
    });
    frame->View()->RunCommand(ViewCommand::Filter);
    QCOMPARE(keptAuthor, QStringLiteral("Anne"));
    QCOMPARE(keptQuick, QStringLiteral("beat"));
    QCOMPARE(clearedQuick, QString());
    QVERIFY(clearedToShowAll);
    // Cancel after Clear All changes nothing.
    QCOMPARE(FilterDuplicatesMode(), kShowDuplicateFiles);
    QCOMPARE(StyleFilterDialog().Inputs().quick, std::string("beat"));
    // Clear Filter of the menu clears both filters and the mode.
    frame->View()->RunCommand(ViewCommand::ClearFilterAll);
    QCOMPARE(FilterDuplicatesMode(), kShowAll);
    QVERIFY(!StyleFilterDialog().Active());
}

void ListDialogsTest::SongFilterDialogFiltersTheSongList() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    StyleDataPacket* style = test::AddUiRecord({"a.sty"});
    test::AddUiSong(style, "Blue Moon", "Jazz");
    test::AddUiSong(style, "Red River", "Country");
    frame->View()->ShowSongView(true);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
    QString title;
    QStringList statusItems;
    bool hasModeButtons = true;
    const test::ModalAction onModal3 = test::WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CZOLFilterDlg*>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        title = dialog->windowTitle();
        statusItems = ComboItems(dialog->Input(kSongFieldStatus));
        hasModeButtons = dialog->ModeButton(0) != nullptr;
        dialog->SetInputText(kSongFieldGenre, "jazz");
        dialog->accept();
    });
    frame->View()->RunCommand(ViewCommand::Filter);
    QCOMPARE(title, QStringLiteral("Define Filter for Songs"));
    QCOMPARE(statusItems, (QStringList{"In style file", "Not in style file"}));
    QVERIFY(!hasModeButtons);
    QCOMPARE(ListViewMgr().RowCount(), 1L);
    QCOMPARE(test::ColumnTexts(*frame->View()->Lists()->SongListWidget(), 0),
             QStringList{"Blue Moon"});
    // Clear Filter (the function-key command) clears only the song filter here.
    frame->View()->RunCommand(ViewCommand::ClearFilter);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
}

void ListDialogsTest::DuplicatesMenuChangesRowsStatusAndMarks() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    frame->View()->RunCommand(ViewCommand::Statistics);
    QVERIFY(env.dialogs.Contains("No styles available for statistics"));
    AddIdentityRecords();
    CZOLView& view = *frame->View();
    view.RunCommand(ViewCommand::ShowAllFiles);
    QCOMPARE(ListViewMgr().RowCount(), 4L);
    view.RunCommand(ViewCommand::ShowUniqueFiles);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
    QVERIFY(LastStatusLine(env).find("Showing 2 styles out of 2 (+ 2 hidden duplicates)") == 0);
    QCOMPARE(CheckedDuplicatesMode(*frame), kShowUniqueFiles);
    view.RunCommand(ViewCommand::ShowDuplicateFiles);
    QCOMPARE(ListViewMgr().RowCount(), 3L);
    QVERIFY(LastStatusLine(env).find("Showing 3 styles out of 3 (+ 1 hidden uniques)") == 0);
    QCOMPARE(CheckedDuplicatesMode(*frame), kShowDuplicateFiles);
    view.RunCommand(ViewCommand::ShowAllFiles);
    QCOMPARE(CheckedDuplicatesMode(*frame), kShowAll);
    QVERIFY(LastStatusLine(env).find("Showing 4 styles out of 4") == 0);
    // Statistics count the same records; the wait cursor is gone when the box shows.
    view.RunCommand(ViewCommand::Statistics);
    const std::string& box = env.dialogs.boxes.back();
    QVERIFY2(box.find("Total number of styles: 4") == 0, box.c_str());
    QVERIFY(box.find("Total number of duplicate styles: 2\t(50 %)") != std::string::npos);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void ListDialogsTest::ColumnsDialogChoosesAndStoresColumns() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    test::AddUiRecord({"a.sty", "/m/", 1, 100, "Alpha", "Pop", 100});
    test::AddUiRecord({"b.sty", "/m/", 2, 100, "Beta", "Rock", 90});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    ListViewMgr().SortByColumn(5, false);  // tempo
    CZOLListWidget& widget = FileWidget(*frame);
    widget.horizontalHeader()->resizeSection(0, 211);
    QString first;
    int beyondShown = 0;
    QString offeredFirst;
    const test::ModalAction onModal4 = test::WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CZOLColumnsDlg*>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        first = dialog->ColumnBox(0)->currentText();
        beyondShown = dialog->ColumnBox(7)->currentIndex();
        offeredFirst = dialog->ColumnBox(7)->itemText(0);
        // Column 2 "(none)", column 8 Author: Filename, Style Type ..., Author.
        dialog->ColumnBox(1)->setCurrentIndex(0);
        dialog->ColumnBox(7)->setCurrentText("Author");
        dialog->StoreSortOrderBox()->setChecked(true);
        dialog->SetAsDefault();
        dialog->accept();
    });
    frame->View()->RunCommand(ViewCommand::Columns);
    QCOMPARE(first, QStringLiteral("Filename"));
    QCOMPARE(beyondShown, -1);
    QCOMPARE(offeredFirst, QStringLiteral("(none)"));
    QCOMPARE(Headers(widget), (QStringList{"Filename", "Style Type (Genre)", "Style Subtype",
                                           "Time Sig.", "Tempo", "Filesize", "Author"}));
    QCOMPARE(widget.columnWidth(0), 211);
    QCOMPARE(SettingsStore().ReadInt("Columns", "NrOfDefinedDefaultColumns", 0), 7);
    QCOMPARE(SettingsStore().ReadText("Columns", "DefaultColumn7", ""), std::string("Author"));
    QCOMPARE(SettingsStore().ReadInt("ColumnsWidth", "DefaultColumn1", 0), 211);
    QCOMPARE(SettingsStore().ReadInt("Columns", "DefaultSortedColumnId", 0), kFieldTempo);

    // The program state starts again: the stored columns, width and sort come back.
    frame.reset();
    test::ClearUiRecords();
    ListViewMgr().FileList().SetSortKeys({-1, -1, 1, 1});
    frame = env.StartFrame();
    CZOLListWidget& again = FileWidget(*frame);
    QCOMPARE(Headers(again), (QStringList{"Filename", "Style Type (Genre)", "Style Subtype",
                                          "Time Sig.", "Tempo", "Filesize", "Author"}));
    QCOMPARE(again.columnWidth(0), 211);
    QCOMPARE(ListViewMgr().GetSortState().primaryField, kFieldTempo);
}

void ListDialogsTest::ViewTogglesKeepTheColumns() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    test::AddUiRecord({"a.sty", "/m/", 1, 100, "A rather long style name for the width"});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    CZOLListWidget& widget = FileWidget(*frame);
    widget.horizontalHeader()->resizeSection(2, 140);
    const QStringList before = Headers(widget);
    frame->View()->RunCommand(ViewCommand::RowNumber);
    QCOMPARE(Headers(widget).first(), QStringLiteral("Nr"));
    QCOMPARE(widget.model()->index(0, 0).data().toString(), QStringLiteral("1"));
    frame->View()->RunCommand(ViewCommand::RowNumber);
    QCOMPARE(Headers(widget), before);
    QCOMPARE(widget.columnWidth(2), 140);

    // Automatic widths: the check mark follows, and the next rebuild sizes the name column to
    // its text.
    QVERIFY(!ColumnAutoresizeOn());
    frame->View()->RunCommand(ViewCommand::AutoResizeColumns);
    QVERIFY(ColumnAutoresizeOn());
    ListViewMgr().ForceRebuild(true, nullptr, false);
    const int textWidth = widget.TextWidth("A rather long style name for the width");
    QCOMPARE(widget.columnWidth(1), textWidth + 22);
    frame->View()->RunCommand(ViewCommand::AutoResizeColumns);
    QVERIFY(!ColumnAutoresizeOn());
}

void ListDialogsTest::ScrollingCommands() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    for (int i = 0; i < 300; ++i) {
        test::AddUiRecord({"s" + std::to_string(1000 + i) + ".sty"});
    }
    CZOLListViewMgr& manager = ListViewMgr();
    manager.ForceRebuild(true, nullptr, false);
    const CZOLListWidget& widget = FileWidget(*frame);
    const auto shown = [&](long row) {
        return widget.FirstVisibleRow() <= row && widget.LastFullyVisibleRow() >= row;
    };
    QString title;
    bool openAfterWrongValue = false;
    const test::ModalAction onModal5 = test::WhenModal([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<CZOLGotoLineNrDlg*>(modal)) {
            title = dialog->windowTitle();
            dialog->Input()->setText("x12");
            dialog->accept();
            openAfterWrongValue = dialog->isVisible();
            dialog->Input()->setText("200");
        }
        static_cast<QDialog*>(modal)->accept();
    });
    frame->View()->RunCommand(ViewCommand::GotoLineNr);
    QCOMPARE(title, QStringLiteral("Go to line nr"));
    QVERIFY(openAfterWrongValue);
    QVERIFY(env.dialogs.Contains("Wrong value"));
    QVERIFY(shown(200));

    manager.FileList().Select(20);
    manager.FileList().Select(250);
    manager.FileList().Display().SelectionChanged();
    frame->View()->RunCommand(ViewCommand::GotoNextSelected);
    QVERIFY(shown(250));
    frame->View()->RunCommand(ViewCommand::GotoPreviousSelected);
    QVERIFY(shown(20));
    frame->View()->RunCommand(ViewCommand::GotoPreviousSelected);
    QVERIFY(shown(0));  // nothing selected above: the first row
}

void ListDialogsTest::DuplicateSelectionAsksForAFolder() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    const std::string a = env.Work() + "a/";
    const std::string b = env.Work() + "b/";
    std::filesystem::create_directories(a);
    std::filesystem::create_directories(b);
    test::AddUiRecord({"x.sty", a, 7, 500});
    test::AddUiRecord({"x.sty", b, 7, 500});
    test::AddUiRecord({"y.sty", a, 8, 500});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    QString title;
    const test::ModalAction onModal6 = test::WhenModal([&](QWidget* modal) {
        auto* chooser = qobject_cast<CDlgGetPath*>(modal);
        if (chooser == nullptr) {
            modal->close();
            return;
        }
        title = chooser->windowTitle();
        chooser->PathEdit()->setText(QString::fromStdString(a));
        chooser->accept();
    });
    frame->View()->RunCommand(ViewCommand::SelectDuplicatesOfFolder);
    QCOMPARE(title, QStringLiteral("Browse for Folder"));
    const CZOLListWidget& widget = FileWidget(*frame);
    QCOMPARE(widget.selectionModel()->selectedRows().size(), 1);
    const int row = widget.selectionModel()->selectedRows().first().row();
    QCOMPARE(ListViewMgr().StyleRecordOfRow(row)->Text(kFieldPath), a);
    // Cancel selects nothing more.
    const test::ModalAction onModal7 = test::WhenModal([](QWidget* modal) { modal->close(); });
    frame->View()->RunCommand(ViewCommand::SelectDuplicatesOfTree);
    QCOMPARE(widget.selectionModel()->selectedRows().size(), 1);
    // All except one of each: one of the pair stays unselected, the single too.
    ListViewMgr().FileList().ClearSelection();
    frame->View()->RunCommand(ViewCommand::SelectAllExceptOne);
    QCOMPARE(widget.selectionModel()->selectedRows().size(), 1);
    // In the song list the selection commands change nothing.
    frame->View()->ShowSongView(true);
    frame->View()->RunCommand(ViewCommand::SelectAllExceptOne);
    QCOMPARE(ListViewMgr().SelectedCount(), 0L);
}

}  // namespace kelvane

QTEST_MAIN(kelvane::ListDialogsTest)
#include "ListDialogs_test.moc"
