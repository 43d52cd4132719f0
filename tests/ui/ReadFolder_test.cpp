// Reading a folder: the scan runs on the worker behind the scan window (here a scan of the
// test's own that builds records), the list is rebuilt afterwards, Abort and failures, the
// rescan variants, and the inputs that must not stop the program: missing or unreadable
// folders, an unreadable settings file, a start folder without write permission, and the
// settings that come back after a restart.
#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "UiRecords.h"
#include "UiTestEnv.h"
#include "list/ZOLListViewMgr.h"
#include "platform/NuvSettingsStore.h"
#include "scan/ZOLScanState.h"
#include "support/ZOLConfigValues.h"
#include "ui/MainFrm.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLProgressDlg.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

using namespace std::chrono_literals;

// What a scan saw of the read that ran it.
struct ScanSeen {
    std::string folder;
    int withSubfolders = -1;
    int forceReanalysis = -1;
    int ignoreDataFiles = -1;
    int runs = 0;
};

// A scan that appends `count` records and notes its arguments.
FolderScanFunction RecordScan(ScanSeen& seen, int count) {
    return [&seen, count](const std::string& folder, int withSubfolders) {
        seen.folder = folder;
        seen.withSubfolders = withSubfolders;
        seen.forceReanalysis = ScanState().forceReanalysis;
        seen.ignoreDataFiles = ScanState().ignoreDataFiles;
        ++seen.runs;
        for (int i = 0; i < count; ++i) {
            test::AddUiRecord({"r" + std::to_string(i) + ".sty", folder, i, 1000});
        }
        return StatusCode{0};
    };
}

// Waits (on the worker) until `flag` is set or about five seconds have passed.
void WaitFor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 500 && !flag.load(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
}

std::vector<std::string> PaneTexts(const test::UiEnv& env, char pane) {
    std::vector<std::string> texts;
    for (const std::string& text : env.panes.Texts()) {
        if (text.size() >= 2 && text[0] == pane && text[1] == ':') {
            texts.push_back(text.substr(2));
        }
    }
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& wanted) {
    return std::find(texts.begin(), texts.end(), wanted) != texts.end();
}

}  // namespace

class ReadFolderTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void ReadRunsTheScanBehindItsWindow();
    void MidiModeScanWindow();
    void AbortKeepsWhatWasReadAndSaysSo();
    void ScanFailureLeavesAnEmptyList();
    void RescanVariantsReachTheScan();
    void FolderAndRecentFoldersComeBackAfterARestart();
    void BadFoldersAreRefusedWithTheirMessage();
    void UnreadableSettingsFileIsReported();
    void StartFolderWithoutWritePermissionIsRead();
};

void ReadFolderTest::ReadRunsTheScanBehindItsWindow() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    CZOLView& view = *frame->View();
    ScanSeen seen;
    std::atomic<bool> looked{false};
    const FolderScanFunction records = RecordScan(seen, 3);
    view.SetFolderScan([&](const std::string& folder, int withSubfolders) {
        WaitFor(looked);  // the window stays while the test looks at it
        return records(folder, withSubfolders);
    });
    QString title;
    QString information;
    QString abortText;
    bool openAfterEscape = false;
    test::WhenModal([&](QWidget* modal) {
        if (auto* window = qobject_cast<CZOLProgressDlg*>(modal)) {
            title = window->windowTitle();
            information = window->InformationLabel()->text();
            abortText = window->AbortButton()->text();
            // Escape and the close button do nothing while the scan runs.
            QTest::keyClick(window, Qt::Key_Escape);
            window->close();
            openAfterEscape = window->isVisible();
        }
        looked = true;
    });
    view.SetStartFolder(env.Work(), true);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(title, QStringLiteral("Reading Style Data"));
    QVERIFY(information.startsWith("Reading style data for the first time may take a long time"));
    QVERIFY(information.endsWith("even if the program is restarted."));
    QCOMPARE(abortText, QStringLiteral("&Abort"));
    QVERIFY(openAfterEscape);
    QCOMPARE(seen.folder, env.Work());
    QCOMPARE(seen.withSubfolders, 1);
    QCOMPARE(ListViewMgr().RowCount(), 3L);
    QCOMPARE(test::ColumnTexts(*view.Lists()->FileListWidget(), 0),
             (QStringList{"r0.sty", "r1.sty", "r2.sty"}));
    const std::vector<std::string> status = PaneTexts(env, '0');
    QVERIFY(Contains(status, "Reading style data..."));
    QVERIFY(Contains(status, "Preparing list..."));
    QVERIFY(status.back().find("Showing 3 styles out of 3") == 0);
    QVERIFY(QString::fromStdString(PaneTexts(env, '1').back()).endsWith(" files/sec"));
    QCOMPARE(frame->RecentFolders().Folders().front(), env.Work());
}

void ReadFolderTest::MidiModeScanWindow() {
    test::UiEnv env;
    auto frame = env.StartFrame({"-m"});
    QVERIFY(frame != nullptr);
    QString title;
    QString information;
    std::atomic<bool> looked{false};
    frame->View()->SetFolderScan([&](const std::string&, int) {
        WaitFor(looked);
        return StatusCode{0};
    });
    test::WhenModal([&](QWidget* modal) {
        if (auto* window = qobject_cast<CZOLProgressDlg*>(modal)) {
            title = window->windowTitle();
            information = window->InformationLabel()->text();
        }
        looked = true;
    });
    frame->View()->SetStartFolder(env.Work(), false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QCOMPARE(title, QStringLiteral("Reading Midi Data"));
    QVERIFY(information.startsWith("Reading midi data for the first time"));
    QVERIFY(Contains(PaneTexts(env, '0'), "Reading midi data..."));
    // An empty folder read without its subfolders.
    QCOMPARE(QString::fromStdString(PaneTexts(env, '0').back()),
             QString::fromStdString("No midis files found in " + env.Work()));
}

void ReadFolderTest::AbortKeepsWhatWasReadAndSaysSo() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    std::atomic<bool> started{false};
    frame->View()->SetFolderScan([&](const std::string& folder, int) {
        test::AddUiRecord({"before1.sty", folder, 1});
        test::AddUiRecord({"before2.sty", folder, 2});
        started = true;
        for (int i = 0; i < 500 && ScanState().abortFlag.load() == 0; ++i) {
            std::this_thread::sleep_for(10ms);
        }
        return ScanState().abortFlag.load() != 0 ? status::kAbortedByUser : StatusCode{0};
    });
    bool disabledAfterAbort = false;
    test::WhenModal([&](QWidget* modal) {
        auto* window = qobject_cast<CZOLProgressDlg*>(modal);
        while (window != nullptr && !started.load()) {
            std::this_thread::sleep_for(5ms);
        }
        if (window != nullptr) {
            QTest::mouseClick(window->AbortButton(), Qt::LeftButton);
            disabledAfterAbort = !window->AbortButton()->isEnabled();
        }
    });
    frame->View()->SetStartFolder(env.Work(), false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QVERIFY(disabledAfterAbort);
    QCOMPARE(PaneTexts(env, '0').back(), std::string("Aborted"));
    QCOMPARE(ListViewMgr().RowCount(), 2L);
    QCOMPARE(ScanState().abortFlag.load(), 0);
    QVERIFY(env.sink.boxes.empty());  // an abort is no error
}

void ReadFolderTest::ScanFailureLeavesAnEmptyList() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    frame->View()->SetFolderScan([](const std::string& folder, int) {
        test::AddUiRecord({"half.sty", folder, 1});
        return StatusCode{-10020};
    });
    frame->View()->SetStartFolder(env.Work(), false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QVERIFY(env.sink.BoxContains("Error scanning styles - Error Nr :  -10020"));
    QCOMPARE(ListViewMgr().RowCount(), 0L);
    // The program goes on: the next read works.
    ScanSeen seen;
    frame->View()->SetFolderScan(RecordScan(seen, 2));
    frame->View()->RunCommand(ViewCommand::Refresh);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
}

void ReadFolderTest::RescanVariantsReachTheScan() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    CZOLView& view = *frame->View();
    ScanSeen seen;
    view.SetFolderScan(RecordScan(seen, 1));
    view.SetStartFolder(env.Work(), false);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(seen.forceReanalysis, 0);
    QCOMPARE(seen.ignoreDataFiles, 0);
    view.PathBox()->lineEdit()->setText("<SoftRescan>");
    view.OnPathBoxEnter();
    QCOMPARE(seen.forceReanalysis, 1);
    QCOMPARE(seen.ignoreDataFiles, 0);
    QCOMPARE(view.PathBoxText(), env.Work());
    view.RunCommand(ViewCommand::HardRescan);
    QCOMPARE(seen.forceReanalysis, 0);
    QCOMPARE(seen.ignoreDataFiles, 1);
    env.dialogs.answer = BoxAnswer::Yes;
    view.RunCommand(ViewCommand::HardRefresh);  // asks, then a soft rescan
    QCOMPARE(seen.forceReanalysis, 1);
    QCOMPARE(seen.runs, 4);
    // The flags are the read's own: after it they are off again.
    QCOMPARE(ScanState().forceReanalysis, 0);
    QCOMPARE(ScanState().ignoreDataFiles, 0);
    // Each read replaces the records of the previous one.
    QCOMPARE(ListViewMgr().RowCount(), 1L);
}

void ReadFolderTest::FolderAndRecentFoldersComeBackAfterARestart() {
    test::UiEnv env;
    const std::string shown = env.Work() + "shown/";
    std::filesystem::create_directories(shown);
    {
        auto frame = env.StartFrame();
        ScanSeen seen;
        frame->View()->SetFolderScan(RecordScan(seen, 1));
        frame->View()->SetStartFolder(shown, true);
        frame->View()->RunCommand(ViewCommand::Refresh);
        QCOMPARE(SettingsStore().WriteText("General", "DefaultStartPath", shown), 0);
        QCOMPARE(SettingsStore().WriteInt("General", "DefaultIncludeSubdirectories", 1), 0);
        QCOMPARE(SettingsStore().WriteInt("General", "DefaultListViewFontSize", 19), 0);
    }
    test::ClearUiRecords();
    auto frame = env.StartFrame();
    QCOMPARE(frame->RecentFolders().Folders().front(), shown);
    CZOLView& view = *frame->View();
    view.SetStartFolder(Config().effectiveStartPath, Config().includeSubfolders != 0);
    QCOMPARE(view.PathBoxText(), shown);
    QVERIFY(view.SubfolderBox()->isChecked());
    view.ReadStartFolder();  // applies the stored font size before the read
    QCOMPARE(view.Lists()->FileListWidget()->font().pixelSize(), 19);
}

void ReadFolderTest::BadFoldersAreRefusedWithTheirMessage() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    CZOLView& view = *frame->View();
    ScanSeen seen;
    view.SetFolderScan(RecordScan(seen, 1));
    view.SetStartFolder(env.Work() + "missing/", false);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(env.dialogs.boxes.back(),
             std::string("Folder does not exist.\n(Or drive is not ready)"));
    test::WriteFileBytes(env.Work() + "plain.sty", "not a folder");
    view.SetStartFolder(env.Work() + "plain.sty", false);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(env.dialogs.boxes.size(), std::size_t{2});
    QCOMPARE(env.dialogs.boxes.back(),
             std::string("Folder does not exist.\n(Or drive is not ready)"));
    QCOMPARE(seen.runs, 0);
    // The program goes on with a good folder.
    view.SetStartFolder(env.Work(), false);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(seen.runs, 1);
    if (::geteuid() == 0) {
        QSKIP("root enters every folder: an inaccessible folder cannot be made here");
    }
    const std::string locked = env.Work() + "locked/";
    std::filesystem::create_directories(locked);
    ::chmod(locked.c_str(), 0);
    view.SetStartFolder(locked, false);
    view.RunCommand(ViewCommand::Refresh);
    ::chmod(locked.c_str(), 0700);
    QCOMPARE(env.dialogs.boxes.back(), std::string("Folder is not accessible"));
    QCOMPARE(seen.runs, 1);
}

void ReadFolderTest::UnreadableSettingsFileIsReported() {
    {
        test::UiEnv env;
        // A folder where the settings file should be.
        std::filesystem::create_directories(SettingsStore().FileName());
        auto frame = env.StartFrame();
        QVERIFY(frame != nullptr);
        QVERIFY(ReportUnreadableSettingsFile());
        QVERIFY(env.sink.BoxContains("The settings file cannot be read"));
        QCOMPARE(Config().listViewFontSize, 0);  // the defaults are in force
        ScanSeen seen;
        frame->View()->SetFolderScan(RecordScan(seen, 2));
        frame->View()->SetStartFolder(env.Work(), false);
        frame->View()->RunCommand(ViewCommand::Refresh);
        QCOMPARE(ListViewMgr().RowCount(), 2L);
        std::filesystem::remove_all(SettingsStore().FileName());
    }
    {
        test::UiEnv env;
        std::string garbage = "\x01\xff[Gen\neral]\n=\n";
        garbage += std::string(64, '\xfe');
        test::WriteFileBytes(SettingsStore().FileName(), garbage);
        auto frame = env.StartFrame();
        QVERIFY(frame != nullptr);
        QVERIFY(ReportUnreadableSettingsFile());
        QVERIFY(env.sink.BoxContains(SettingsStore().FileName()));
    }
    {
        test::UiEnv env;  // a good file, and a missing one, say nothing
        QVERIFY(env.StartFrame() != nullptr);
        QVERIFY(!ReportUnreadableSettingsFile());
        QCOMPARE(SettingsStore().WriteInt("General", "DefaultListViewFontSize", 12), 0);
        QVERIFY(!ReportUnreadableSettingsFile());
        QVERIFY(env.sink.boxes.empty());
    }
}

void ReadFolderTest::StartFolderWithoutWritePermissionIsRead() {
    if (::geteuid() == 0) {
        QSKIP("root writes into every folder: a folder without write permission cannot be made");
    }
    test::UiEnv env;
    auto frame = env.StartFrame();
    const std::string folder = env.Work() + "readonly/";
    std::filesystem::create_directories(folder);
    ::chmod(folder.c_str(), 0555);
    ScanSeen seen;
    frame->View()->SetFolderScan(RecordScan(seen, 2));
    frame->View()->SetStartFolder(folder, false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    ::chmod(folder.c_str(), 0700);
    QCOMPARE(seen.runs, 1);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
    QVERIFY(env.dialogs.boxes.empty());
}

}  // namespace kelvane

QTEST_MAIN(kelvane::ReadFolderTest)
#include "ReadFolder_test.moc"
