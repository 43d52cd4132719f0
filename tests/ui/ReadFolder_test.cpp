// Reading a generated folder tree: the scan runs on the worker behind the scan window, the
// list is rebuilt afterwards, Abort, the rescan variants, and the inputs that must not stop
// the program: missing or unreadable folders, an unreadable settings file, a start folder
// without write permission, and the settings that come back after a restart.
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
#include "analysis/ZOLStyleFile.h"
#include "app/ZOLRefresh.h"
#include "list/ZOLListViewMgr.h"
#include "platform/SettingsStore.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "support/SmfBuilder.h"
#include "support/StyleFileBuilder.h"
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

// A generated tree: `count` style files in `folder`, one more in its subfolder "Sub".
void WriteStyleTree(const std::string& folder, int count) {
    std::filesystem::create_directories(folder + "Sub");
    for (int i = 0; i < count; ++i) {
        const std::string name = "s" + std::to_string(i) + ".sty";
        test::WriteFileBytes(folder + name,
                             test::StyleFileBuilder(test::StyleMidi({"SFF1", name})).Bytes());
    }
    test::WriteFileBytes(folder + "Sub/deep.sty",
                         test::StyleFileBuilder(test::StyleMidi({"SFF1", "deep"})).Bytes());
}

// Holds every analysis of the scan until `release` is set (about five seconds at most), so
// the scan window stays while a test looks at it; `entered` tells that the scan got there.
class HeldAnalysis {
  public:
    HeldAnalysis() {
        SetScanFileAnalysis([this](StyleDataPacket& record, const std::string& path,
                                   const std::string& name) {
            entered = true;
            for (int i = 0; i < 500 && !release.load() && ScanState().abortFlag.load() == 0; ++i) {
                std::this_thread::sleep_for(10ms);
            }
            return AnalyseFile(record, path, name);
        });
    }
    ~HeldAnalysis() { SetScanFileAnalysis({}); }
    HeldAnalysis(const HeldAnalysis&) = delete;
    HeldAnalysis& operator=(const HeldAnalysis&) = delete;

    std::atomic<bool> entered{false};
    std::atomic<bool> release{false};
};

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
    void AbortStopsTheScanAndSaysSo();
    void RescanVariantsFromThePathBoxAndTheMenu();
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
    const std::string tree = env.Work() + "Styles/";
    WriteStyleTree(tree, 2);
    HeldAnalysis held;
    QString title;
    QString information;
    QString abortText;
    bool openAfterEscape = false;
    const test::ModalAction onModal1 = test::WhenModal([&](QWidget* modal) {
        if (auto* window = qobject_cast<CZOLProgressDlg*>(modal)) {
            title = window->windowTitle();
            information = window->InformationLabel()->text();
            abortText = window->AbortButton()->text();
            // Escape and the close button do nothing while the scan runs.
            QTest::keyClick(window, Qt::Key_Escape);
            window->close();
            openAfterEscape = window->isVisible();
        }
        held.release = true;
    });
    view.SetStartFolder(tree, true);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(title, QStringLiteral("Reading Style Data"));
    QVERIFY(information.startsWith("Reading style data for the first time may take a long time"));
    QVERIFY(information.endsWith("even if the program is restarted."));
    QCOMPARE(abortText, QStringLiteral("&Abort"));
    QVERIFY(openAfterEscape);
    QCOMPARE(ListViewMgr().RowCount(), 3L);
    QStringList names = test::ColumnTexts(*view.Lists()->FileListWidget(), 0);
    names.sort();
    QCOMPARE(names, (QStringList{"deep.sty", "s0.sty", "s1.sty"}));
    const std::vector<std::string> status = PaneTexts(env, '0');
    QVERIFY(Contains(status, "Reading style data..."));
    QVERIFY(Contains(status, "Preparing list..."));
    QVERIFY(status.back().find("Showing 3 styles out of 3") == 0);
    QVERIFY(QString::fromStdString(PaneTexts(env, '1').back()).endsWith(" files/sec"));
    QCOMPARE(frame->RecentFolders().Folders().front(), tree);
    // Without its subfolders the same folder shows two rows.
    view.SubfolderBox()->setChecked(false);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
}

void ReadFolderTest::MidiModeScanWindow() {
    test::UiEnv env;
    auto frame = env.StartFrame({"-m"});
    QVERIFY(frame != nullptr);
    test::SmfBuilder song;
    song.AddTrack().Tempo(0, 500000).Note(0, 0, 60, 100, 480);
    test::WriteFileBytes(env.Work() + "song.mid", song.Bytes());
    HeldAnalysis held;
    QString title;
    QString information;
    const test::ModalAction onModal2 = test::WhenModal([&](QWidget* modal) {
        if (auto* window = qobject_cast<CZOLProgressDlg*>(modal)) {
            title = window->windowTitle();
            information = window->InformationLabel()->text();
        }
        held.release = true;
    });
    frame->View()->SetStartFolder(env.Work(), false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QCOMPARE(title, QStringLiteral("Reading Midi Data"));
    QVERIFY(information.startsWith("Reading midi data for the first time"));
    QVERIFY(Contains(PaneTexts(env, '0'), "Reading midi data..."));
    QVERIFY(PaneTexts(env, '0').back().find("Showing 1 midi out of 1") == 0);
}

void ReadFolderTest::AbortStopsTheScanAndSaysSo() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    WriteStyleTree(env.Work(), 3);
    HeldAnalysis held;
    bool disabledAfterAbort = false;
    const test::ModalAction onModal3 = test::WhenModal([&](QWidget* modal) {
        auto* window = qobject_cast<CZOLProgressDlg*>(modal);
        for (int i = 0; window != nullptr && i < 500 && !held.entered.load(); ++i) {
            std::this_thread::sleep_for(5ms);
        }
        if (window != nullptr) {
            QTest::mouseClick(window->AbortButton(), Qt::LeftButton);
            disabledAfterAbort = !window->AbortButton()->isEnabled();
        }
        held.release = true;
    });
    frame->View()->SetStartFolder(env.Work(), true);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QVERIFY(disabledAfterAbort);
    QCOMPARE(PaneTexts(env, '0').back(), std::string("Aborted"));
    QCOMPARE(ScanState().abortFlag.load(), 0);
    QVERIFY(env.sink.boxes.empty());  // an abort is no error
    QVERIFY(ListViewMgr().RowCount() < 4);
}

void ReadFolderTest::RescanVariantsFromThePathBoxAndTheMenu() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    CZOLView& view = *frame->View();
    WriteStyleTree(env.Work(), 2);
    view.SetStartFolder(env.Work(), true);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(LastTreeScanCounts().analysed, 3);
    view.RunCommand(ViewCommand::Refresh);
    QCOMPARE(LastTreeScanCounts().reused, 3);
    view.PathBox()->lineEdit()->setText("<SoftRescan>");
    view.OnPathBoxEnter();
    QCOMPARE(LastTreeScanCounts().reanalysed, 3);
    QCOMPARE(view.PathBoxText(), env.Work());
    env.dialogs.answer = BoxAnswer::No;
    view.RunCommand(ViewCommand::HardRefresh);  // asks first; No reads nothing
    QCOMPARE(LastTreeScanCounts().reanalysed, 3);
    view.RunCommand(ViewCommand::HardRescan);
    QCOMPARE(LastTreeScanCounts().analysed, 3);
    QCOMPARE(ListViewMgr().RowCount(), 3L);
}

void ReadFolderTest::FolderAndRecentFoldersComeBackAfterARestart() {
    test::UiEnv env;
    const std::string shown = env.Work() + "shown/";
    WriteStyleTree(shown, 1);
    {
        auto frame = env.StartFrame();
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
    QCOMPARE(view.PathBoxText(), ShownFolderText(shown));
    QVERIFY(view.SubfolderBox()->isChecked());
    view.ReadStartFolder();  // the stored font, then the read of the stored folder
    QCOMPARE(view.Lists()->FileListWidget()->font().pixelSize(), 19);
    QCOMPARE(ListViewMgr().RowCount(), 2L);
}

void ReadFolderTest::BadFoldersAreRefusedWithTheirMessage() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    CZOLView& view = *frame->View();
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
    QVERIFY(!Contains(PaneTexts(env, '0'), "Reading style data..."));
    // The program goes on with a good folder (the file in it is damaged: one row with errors).
    view.SetStartFolder(env.Work(), false);
    view.RunCommand(ViewCommand::Refresh);
    QVERIFY(Contains(PaneTexts(env, '0'), "Reading style data..."));
    QCOMPARE(ListViewMgr().RowCount(), 1L);
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
        WriteStyleTree(env.Work() + "Styles/", 1);
        frame->View()->SetStartFolder(env.Work() + "Styles/", true);
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
    WriteStyleTree(folder, 2);
    ::chmod((folder + "Sub").c_str(), 0555);
    ::chmod(folder.c_str(), 0555);
    frame->View()->SetStartFolder(folder, true);
    frame->View()->RunCommand(ViewCommand::Refresh);
    ::chmod(folder.c_str(), 0700);
    ::chmod((folder + "Sub").c_str(), 0700);
    // The data file cannot be written: the scan says so and the tree's records stay out.
    QVERIFY(env.sink.BoxContains("Unable to open data file for write."));
    QCOMPARE(ListViewMgr().RowCount(), 0L);
    // The program goes on: the next read of a writable folder works.
    WriteStyleTree(env.Work() + "writable/", 1);
    frame->View()->SetStartFolder(env.Work() + "writable/", false);
    frame->View()->RunCommand(ViewCommand::Refresh);
    QCOMPARE(ListViewMgr().RowCount(), 1L);
}

}  // namespace kelvane

QTEST_MAIN(kelvane::ReadFolderTest)
#include "ReadFolder_test.moc"
