// The main frame: menus in both modes, the song-list wording, check marks, function keys and
// the path box.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include "UiTestEnv.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "ui/MainFrm.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

QStringList MenuTitles(const CMainFrame& frame) {
    QStringList titles;
    for (QAction* menu : frame.menuBar()->actions()) {
        titles << menu->text();
    }
    return titles;
}

// The item texts of one menu ("-" for separators), shortcut texts included.
QStringList MenuItems(const CMainFrame& frame, const QString& title) {
    QStringList items;
    for (QAction* menuAction : frame.menuBar()->actions()) {
        if (menuAction->text() != title) {
            continue;
        }
        for (QAction* item : menuAction->menu()->actions()) {
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
    }
    return items;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void StyleModeMenus();
    void MidiModeMenus();
    void DeveloperMenuOnlyWithItsKeyword();
    void SongListWordingSwitch();
    void CheckMarksComeFromTheProvider();
    void FunctionKeysDispatch();
    void PathBoxKeywords();
    void RefreshRefusesAMissingFolder();
    void StatusBarAndListPlace();
};

void MainFrameTest::StyleModeMenus() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    QCOMPARE(MenuTitles(*frame), (QStringList{"&File", "&Edit", "&View", "&Go to", "&Duplicates",
                                              "&Advanced", "&Help"}));
    const QStringList file = MenuItems(*frame, "&File");
    QCOMPARE(file.first(), QStringLiteral("&Open Style Folder"));
    QVERIFY(file.contains("Copy se&lected Style Files to /media/usb/"));
    QVERIFY(file.contains("Edit &Style File (CASM)"));
    QVERIFY(file.contains("Import Default Data"));
    QVERIFY(file.contains("&Print..."));
    QCOMPARE(file.last(), QStringLiteral("E&xit"));
    const QStringList view = MenuItems(*frame, "&View");
    QCOMPARE(view.mid(0, 4),
             (QStringList{"View St&yles", "View So&ngs", "-", "&Filter/Search Styles"}));
    QVERIFY(view.contains("&Refresh List\tF5"));
    QVERIFY(MenuItems(*frame, "&Help").contains("&About Kelvane"));
    // Shortcuts: Ctrl+P prints, the function keys are left to the function-key table.
    QCOMPARE(frame->Action(ViewCommand::Print)->shortcut(), QKeySequence("Ctrl+P"));
    QCOMPARE(frame->Action(ViewCommand::SelectAll)->shortcut(), QKeySequence("Ctrl+A"));
    QVERIFY(frame->Action(ViewCommand::Refresh)->shortcut().isEmpty());
    QVERIFY(frame->RecentMenu() != nullptr);
    QVERIFY(frame->View()->Button(ViewCommand::ToggleSongStyle) != nullptr);
    QCOMPARE(frame->View()->Button(ViewCommand::ToggleSongStyle)->text(),
             QStringLiteral("View Songs"));
    QVERIFY(frame->View()->Button(ViewCommand::HardRescan) == nullptr);
    // The form fits the frame's size: nothing forces the window wider when shown.
    const QSize before = frame->size();
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    QCOMPARE(frame->size(), before);
}

void MainFrameTest::MidiModeMenus() {
    test::UiEnv env;
    env.WriteHomeFile("kelvane.CFG", "HARD_RESCAN_BUTTON = 1\nRESCAN_BUTTON = 1\n");
    auto frame = env.StartFrame({"-m"});
    QVERIFY(frame != nullptr);
    const QStringList file = MenuItems(*frame, "&File");
    QCOMPARE(file.first(), QStringLiteral("&Open Midi Folder"));
    QVERIFY(file.contains("Copy Se&lected Midi Files to /media/usb/"));
    QVERIFY(!file.contains("Edit &Style File (CASM)"));
    QVERIFY(!file.contains("Import Default Data"));
    const QStringList view = MenuItems(*frame, "&View");
    QCOMPARE(view.first(), QStringLiteral("&Filter/Search Midi Files"));
    QVERIFY(!view.contains("View St&yles"));
    QVERIFY(!view.contains("View So&ngs"));
    QVERIFY(!MenuItems(*frame, "&Advanced").contains("&Add Song from Filename"));
    QVERIFY(MenuItems(*frame, "&Help").contains("&About Morvane"));
    QVERIFY(frame->View()->Button(ViewCommand::ToggleSongStyle) == nullptr);
    QVERIFY(frame->View()->Button(ViewCommand::HardRescan) != nullptr);
    QVERIFY(frame->View()->Button(ViewCommand::SoftRescan) != nullptr);
}

void MainFrameTest::DeveloperMenuOnlyWithItsKeyword() {
    test::UiEnv env;
    auto plain = env.StartFrame();
    QVERIFY(!MenuTitles(*plain).contains("&NUV-Spezial"));
    env.WriteHomeFile("kelvane.CFG", "NUV_SPECIAL_MENU = 1\n");
    auto special = env.StartFrame();
    QCOMPARE(MenuTitles(*special).last(), QStringLiteral("&NUV-Spezial"));
    QVERIFY(MenuItems(*special, "&NUV-Spezial").contains("Always Use Fast Access"));
}

void MainFrameTest::SongListWordingSwitch() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    frame->SetSongView(true);
    QCOMPARE(frame->Action(ViewCommand::Modify)->text(), QStringLiteral("&Modify Song Data"));
    QCOMPARE(frame->Action(ViewCommand::Filter)->text(), QStringLiteral("&Filter/Search Songs"));
    QCOMPARE(frame->Action(ViewCommand::ExportCsv)->text(),
             QStringLiteral("Export Song Data to CS&V File"));
    QVERIFY(!frame->Action(ViewCommand::RenameFile)->isEnabled());
    QVERIFY(!frame->Action(ViewCommand::ViewSongs)->isEnabled());
    QVERIFY(frame->Action(ViewCommand::ViewStyles)->isEnabled());
    QVERIFY(!frame->View()->SubfolderBox()->isEnabled());
    QCOMPARE(frame->View()->Button(ViewCommand::ToggleSongStyle)->text(),
             QStringLiteral("View Styles"));
    // A greyed command does nothing when it arrives another way (a function key).
    env.dialogs.boxes.clear();
    frame->View()->RunCommand(ViewCommand::RenameFile);
    QVERIFY(env.dialogs.boxes.empty());

    frame->SetSongView(false);
    QCOMPARE(frame->Action(ViewCommand::Modify)->text(), QStringLiteral("&Modify Style Data"));
    QCOMPARE(frame->Action(ViewCommand::Filter)->text(), QStringLiteral("&Filter/Search Styles"));
    QVERIFY(frame->Action(ViewCommand::RenameFile)->isEnabled());
    QVERIFY(!frame->Action(ViewCommand::ViewStyles)->isEnabled());
    QVERIFY(frame->View()->SubfolderBox()->isEnabled());
    QCOMPARE(frame->View()->Button(ViewCommand::ToggleSongStyle)->text(),
             QStringLiteral("View Songs"));
}

void MainFrameTest::CheckMarksComeFromTheProvider() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    frame->SetCheckStateProvider([] {
        ViewCheckState state;
        state.rowNumber = true;
        state.duplicatesMode = 3;
        return state;
    });
    auto* view = qobject_cast<QMenu*>(frame->Action(ViewCommand::RowNumber)->parent());
    QVERIFY(view != nullptr);
    Q_EMIT view->aboutToShow();
    QVERIFY(frame->Action(ViewCommand::RowNumber)->isChecked());
    QVERIFY(!frame->Action(ViewCommand::AutoResizeColumns)->isChecked());
    QVERIFY(frame->Action(ViewCommand::StatusBar)->isChecked());
    frame->View()->RunCommand(ViewCommand::StatusBar);
    QVERIFY(frame->statusBar()->isHidden());
    Q_EMIT view->aboutToShow();
    QVERIFY(!frame->Action(ViewCommand::StatusBar)->isChecked());
    auto* duplicates = qobject_cast<QMenu*>(frame->Action(ViewCommand::ShowUniqueScores)->parent());
    Q_EMIT duplicates->aboutToShow();
    QVERIFY(frame->Action(ViewCommand::ShowUniqueScores)->isChecked());
    QVERIFY(!frame->Action(ViewCommand::ShowAllFiles)->isChecked());
}

void MainFrameTest::FunctionKeysDispatch() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    CZOLView* view = frame->View();
    view->SetStartFolder(env.Work(), false);
    Config().functionKeys = {};
    Config().functionKeys[1] = 6;   // F2: play
    Config().functionKeys[2] = 25;  // F3: an unused number
    Config().functionKeys[4] = 99;  // F5: normal meaning

    QTest::keyClick(frame.get(), Qt::Key_F5);
    QCOMPARE(view->LastCommand(), ViewCommand::Refresh);
    QTest::keyClick(frame.get(), Qt::Key_F2);
    QCOMPARE(view->LastCommand(), ViewCommand::Play);
    QVERIFY(env.dialogs.Contains("Please select one style for playing."));
    const std::size_t boxes = env.dialogs.boxes.size();
    QTest::keyClick(frame.get(), Qt::Key_F3);
    QCOMPARE(view->LastCommand(), ViewCommand::Play);  // nothing ran
    QCOMPARE(env.dialogs.boxes.size(), boxes);
    // A stored action replaces F5's refresh; keys typed into the path box count too.
    Config().functionKeys[4] = 16;
    QTest::keyClick(view->PathBox()->lineEdit(), Qt::Key_F5);
    QCOMPARE(view->LastCommand(), ViewCommand::Dump);
    // F1 opens the quick start page: not installed in this program folder.
    QTest::keyClick(frame.get(), Qt::Key_F1);
    QCOMPARE(view->LastCommand(), ViewCommand::HelpQuickStart);
    QVERIFY(env.dialogs.Contains("help/kelvane_eng/html/quick_start.htm"));
}

void MainFrameTest::PathBoxKeywords() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    CZOLView* view = frame->View();
    QLineEdit* edit = view->PathBox()->lineEdit();
    const QString start = QString::fromStdString(Config().startPath);
    edit->setText("<HardRescan>");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(view->LastCommand(), ViewCommand::HardRescan);
    QCOMPARE(view->PathBox()->currentText(), start);
    edit->setText("<SOFTRESCAN>");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(view->LastCommand(), ViewCommand::SoftRescan);
    QCOMPARE(view->PathBox()->currentText(), start);
    edit->setText("<trace1000>");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(TraceLevel(), 1000);
    QCOMPARE(view->PathBox()->currentText(), start);
    QCOMPARE(view->LastCommand(), ViewCommand::TraceLevel1000);
    // Any other text is a folder to read, and stays in the box.
    edit->setText(QString::fromStdString(env.Work() + "sub"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(env.dialogs.Contains("Folder does not exist."));
    QCOMPARE(view->PathBox()->currentText(), QString::fromStdString(env.Work() + "sub"));
    TraceOff();
}

void MainFrameTest::RefreshRefusesAMissingFolder() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    frame->View()->SetStartFolder(env.Work() + "gone/", true);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QCOMPARE(env.dialogs.boxes.size(), std::size_t{1});
    QCOMPARE(env.dialogs.boxes[0], std::string("Folder does not exist.\n(Or drive is not ready)"));
    // Hard Refresh asks first; No leaves everything as it was.
    frame->View()->SetStartFolder(env.Work(), false);
    env.dialogs.answer = BoxAnswer::No;
    frame->View()->RunCommand(ViewCommand::HardRefresh);
    QVERIFY(env.dialogs.boxes.back().find("Do you really want to execute it?") !=
            std::string::npos);
    QCOMPARE(env.dialogs.boxes.size(), std::size_t{2});
    env.dialogs.answer = BoxAnswer::Yes;
    frame->View()->RunCommand(ViewCommand::HardRefresh);
    const std::vector<std::string> panes = env.panes.Texts();
    QVERIFY(std::find(panes.begin(), panes.end(), "0:Reading style data...") != panes.end());
    QCOMPARE(Config().startPath, env.Work());
}

void MainFrameTest::StatusBarAndListPlace() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    frame->SetPaneText(1, "999 files/sec");
    QCOMPARE(frame->PaneText(1), QStringLiteral("999 files/sec"));
    QCOMPARE(frame->PaneText(0), QStringLiteral("running in STYLE FILE mode"));
    frame->SetPaneText(7, "ignored");
    auto* list = new QLabel("list");
    frame->View()->InstallListWidget(list);
    QCOMPARE(frame->View()->ListWidget(), list);
    QCOMPARE(list->parentWidget(), frame->View());
    Config().listViewFontSize = 17;
    frame->View()->ApplyListFontSize(17);
    QCOMPARE(list->font().pointSize(), 17);
}

}  // namespace kelvane

QTEST_MAIN(kelvane::MainFrameTest)
#include "MainFrame_test.moc"
