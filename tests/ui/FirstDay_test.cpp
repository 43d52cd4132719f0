// What a new user meets on the first day, through the window: a quick-copy folder that does not
// exist, the desktop's trash when no trash folder is set, the layout kept from one start to the
// next, the header's column menu and the help window.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>
#include <filesystem>

#include "DialogScript.h"
#include "UiFiles.h"
#include "UiTestEnv.h"
#include "app/FirstStart.h"
#include "fileops/ZOLCopyMove.h"
#include "list/ColumnToggle.h"
#include "list/ZOLListViewMgr.h"
#include "support/StyleFileBuilder.h"
#include "support/ZOLConfigValues.h"
#include "ui/DlgGetPath.h"
#include "ui/HelpWindow.h"
#include "ui/MainFrm.h"
#include "ui/ZOLFileOpPromptsUi.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLPromptDlg.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

bool PaneShowed(const test::UiEnv& env, const std::string& text) {
    const std::vector<std::string> texts = env.panes.Texts();
    return std::find(texts.begin(), texts.end(), "0:" + text) != texts.end();
}

bool SelectFile(const std::string& name) {
    CMyListCtrl* list = ListViewMgr().CurrentList();
    list->ClearSelection();
    for (long row = 0; row < list->RowCount(); ++row) {
        if (list->StyleRecordOfRow(row)->Text(kFieldFilename) == name) {
            list->Select(row);
            return true;
        }
    }
    return false;
}

QString PromptText(const CZOLPromptDlg& prompt) {
    QStringList lines;
    for (const QLabel* label : prompt.findChildren<QLabel*>()) {
        lines << label->text();
    }
    return lines.join('\n');
}

// The desktop's prompts while a test runs.
class InstalledPrompts {
  public:
    InstalledPrompts() { SetFileOpPrompts(&prompts_); }
    ~InstalledPrompts() { SetFileOpPrompts(nullptr); }
    InstalledPrompts(const InstalledPrompts&) = delete;
    InstalledPrompts& operator=(const InstalledPrompts&) = delete;

  private:
    CQtFileOpPrompts prompts_;
};

// An environment variable set for one test.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, QByteArray::fromStdString(value));
    }
    ~ScopedVariable() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

}  // namespace

class FirstDayTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void MissingQuickCopyFolderOffersAnotherFolder();
    void TrashWithoutATrashFolderGoesToTheDesktopTrash();
    void RestartRestoresColumnsWidthsSortAndSubfolders();
    void HeaderMenuShowsAndHidesAColumn();
    void HelpOpensInTheHelpWindowAndFollowsLinks();
};

void FirstDayTest::MissingQuickCopyFolderOffersAnotherFolder() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    InstalledPrompts prompts;
    CopyMoveState() = CopyMoveStateValues{};
    const std::string tree = env.Work() + "Styles/";
    Put(tree + "a.sty", StyleBytes("Alpha"));
    frame->View()->SetStartFolder(tree, false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    const std::string stick = env.Work() + "media/usb";
    const std::string chosen = env.Work() + "Chosen/";
    fs::create_directories(chosen);
    Config().quickCopyPath = stick;
    QVERIFY(SelectFile("a.sty"));
    test::DialogScript script;
    QString promptText;
    script.On<CZOLPromptDlg>([&](CZOLPromptDlg* prompt) {
        promptText = PromptText(*prompt);
        prompt->ButtonOf(missing_folder::kChooseFolder)->click();
    });
    script.On<CDlgGetPath>([&](CDlgGetPath* dialog) {
        dialog->PathEdit()->setText(QString::fromStdString(chosen));
        dialog->accept();
    });
    frame->View()->RunCommand(ViewCommand::CopyToQuickPath);
    QCOMPARE(script.Unexpected(), std::vector<std::string>{});
    QCOMPARE(script.Answered(), 2);
    // The prompt names the missing folder; no "not enough space" prompt came up.
    QVERIFY(promptText.contains("The destination folder does not exist:"));
    QVERIFY(promptText.contains(QString::fromStdString(stick)));
    QVERIFY(!fs::exists(stick));
    QCOMPARE(test::ReadFileBytes(chosen + "a.sty"), StyleBytes("Alpha"));
    QVERIFY(PaneShowed(env, "Copying files finished: 1 file copied"));
}

void FirstDayTest::TrashWithoutATrashFolderGoesToTheDesktopTrash() {
    test::UiEnv env;
    const std::string data = env.Work() + "xdg-data";
    ScopedVariable xdg("XDG_DATA_HOME", data);
    fs::create_directories(data);
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    InstalledPrompts prompts;
    CopyMoveState() = CopyMoveStateValues{};
    const std::string tree = env.Work() + "Styles/";
    Put(tree + "a.sty", StyleBytes("Alpha"));
    Put(tree + "a.txt", "notes");
    Put(tree + "b.sty", StyleBytes("Beta"));
    frame->View()->SetStartFolder(tree, false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
    Config().trashFolder.clear();
    QVERIFY(SelectFile("a.sty"));
    env.dialogs.answer = BoxAnswer::Ok;
    frame->View()->RunCommand(ViewCommand::MoveToTrash);
    QVERIFY(env.dialogs.Contains("Move \"a.sty\" to the trash?"));
    const std::string trash = data + "/Trash/";
    QCOMPARE(test::ReadFileBytes(trash + "files/a.sty"), StyleBytes("Alpha"));
    QVERIFY(fs::exists(trash + "files/a.txt"));  // its companion goes with it
    const std::string info = test::ReadFileBytes(trash + "info/a.sty.trashinfo");
    QVERIFY(info.find("[Trash Info]") != std::string::npos);
    QVERIFY(info.find("Path=" + tree + "a.sty") != std::string::npos);
    QVERIFY(!fs::exists(tree + "a.sty"));
    QCOMPARE(ListViewMgr().RowCount(), 1L);
    // The record left the folder's data file, as with a trash folder.
    const std::string dataFile = test::ReadFileBytes(tree + "ZOL.SDB");
    QVERIFY(dataFile.find("a.sty") == std::string::npos);
    QVERIFY(dataFile.find("b.sty") != std::string::npos);
    QVERIFY(PaneShowed(env, "Moving files finished: 1 file moved"));
}

void FirstDayTest::RestartRestoresColumnsWidthsSortAndSubfolders() {
    test::UiEnv env;
    const std::string tree = env.Work() + "Styles/";
    Put(tree + "a.sty", StyleBytes("Alpha"));
    SortState sortBefore;
    {
        auto frame = env.StartFrame();
        QVERIFY(frame != nullptr);
        QVERIFY(IsFirstStart());
        frame->View()->SetStartFolder(tree, true);
        CMyListCtrl& list = ListViewMgr().FileList();
        list.ClearDefinitions();
        for (const int field : {kFieldTempo, kFieldFilename, kFieldFilesize}) {
            list.AppendDefinition(field, -1);
        }
        list.BuildColumns(false);
        list.SetColumnWidth(list.ColumnOfField(kFieldFilename), 234);
        list.SortByColumn(list.ColumnOfField(kFieldFilesize), false);
        list.SortByColumn(list.ColumnOfField(kFieldFilesize), false);  // the other direction
        sortBefore = list.Sort();
        frame->resize(700, 500);
        frame->move(30, 40);
        frame->close();
    }
    QVERIFY(!IsFirstStart());
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    const CMyListCtrl& list = ListViewMgr().FileList();
    std::vector<int> fields;
    for (int position = 0; position < list.ColumnCount(); ++position) {
        fields.push_back(list.FieldIdOfColumn(position));
    }
    QCOMPARE(fields, (std::vector<int>{kFieldTempo, kFieldFilename, kFieldFilesize}));
    QCOMPARE(list.Column(list.ColumnOfField(kFieldFilename))->width, 234);
    QCOMPARE(list.Sort().primaryField, static_cast<int>(kFieldFilesize));
    QCOMPARE(list.Sort().primaryAscending, sortBefore.primaryAscending);
    QCOMPARE(Config().includeSubfolders, 1);
    QCOMPARE(frame->size(), QSize(700, 500));
}

void FirstDayTest::HeaderMenuShowsAndHidesAColumn() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    CMyListCtrl& list = ListViewMgr().FileList();
    const int before = list.ColumnCount();
    QVERIFY(!list.IsFieldShown(kFieldAuthor));
    const std::vector<ColumnToggle> toggles = ColumnToggles(list);
    const auto author = std::find_if(toggles.begin(), toggles.end(), [](const ColumnToggle& t) {
        return t.fieldId == kFieldAuthor;
    });
    QVERIFY(author != toggles.end());
    QVERIFY(!author->shown);
    const int width = list.Column(0)->width;
    QCOMPARE(ToggleColumn(list, kFieldAuthor), 0);
    QCOMPARE(list.ColumnCount(), before + 1);
    QCOMPARE(list.FieldIdOfColumn(before), static_cast<int>(kFieldAuthor));
    QCOMPARE(list.Column(0)->width, width);
    QCOMPARE(ToggleColumn(list, kFieldAuthor), 0);
    QCOMPARE(list.ColumnCount(), before);
    // The header's context menu lists the same fields with their check marks.
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    QHeaderView* header = frame->View()->Lists()->FileListWidget()->horizontalHeader();
    QStringList offered;
    bool checkedShown = true;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        for (const QAction* action : menu->actions()) {
            offered << action->text();
            const bool shown = list.IsFieldShown(action->data().toInt());
            checkedShown = checkedShown && action->isChecked() == shown;
        }
        menu->close();
    });
    Q_EMIT header->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(offered.size(), static_cast<int>(toggles.size()));
    QVERIFY(offered.contains(QString::fromStdString(author->header)));
    QVERIFY(checkedShown);
}

void FirstDayTest::HelpOpensInTheHelpWindowAndFollowsLinks() {
    test::UiEnv env;
    Put(env.Home() + "help/help.css", "h1 { color: #20406a; }\n");
    Put(env.Home() + "help/kelvane_eng/html/quick_start.htm",
        "<html><head><title>Quick start</title></head><body><h1>Quick start</h1>"
        "<p><a href=\"filter_dialog.htm\">Filter</a></p></body></html>");
    Put(env.Home() + "help/kelvane_eng/html/filter_dialog.htm",
        "<html><head><title>Filter language</title></head><body>"
        "<h1>Filter language</h1></body></html>");
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_F1);
    QVERIFY2(env.dialogs.boxes.empty(),  // no "not installed" box, no web browser
             env.dialogs.boxes.empty() ? "" : env.dialogs.boxes.front().c_str());
    HelpWindow* window = nullptr;
    for (QWidget* widget : QApplication::allWidgets()) {
        window = window != nullptr ? window : qobject_cast<HelpWindow*>(widget);
    }
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QTextBrowser* browser = window->Browser();
    QCOMPARE(browser->source().fileName(), QStringLiteral("quick_start.htm"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Quick start"));
    QVERIFY(browser->document()->defaultStyleSheet().contains("#20406a"));
    browser->setSource(QUrl("filter_dialog.htm"));  // the link, as a click follows it
    QCOMPARE(browser->source().fileName(), QStringLiteral("filter_dialog.htm"));
    QVERIFY(browser->toPlainText().contains("Filter language"));
    QVERIFY(browser->isBackwardAvailable());
    browser->backward();
    QCOMPARE(browser->source().fileName(), QStringLiteral("quick_start.htm"));
}

}  // namespace kelvane

QTEST_MAIN(kelvane::FirstDayTest)
#include "FirstDay_test.moc"
