// The dialogs: settings sheet round trip, folder chooser, language dialog, progress dialog,
// About box, and boxes asked from a worker thread.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <thread>

#include "UiTestEnv.h"
#include "app/ZOLHelpTopics.h"
#include "platform/SettingsStore.h"
#include "support/NUVLang.h"
#include "support/ZOLConfigValues.h"
#include "ui/AboutDlg.h"
#include "ui/DlgGetPath.h"
#include "ui/NuvLangDlg.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLSettingsSheetDlg.h"
#include "ui/ZOLWorkThreadDlg.h"

namespace kelvane {
namespace {

template <typename Widget>
Widget* Named(QWidget& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        qWarning("no control named %s", name);
    }
    return widget;
}

QStringList TabTitles(const CZOLSettingsSheetDlg& sheet) {
    QStringList titles;
    for (int i = 0; i < sheet.Pages()->count(); ++i) {
        titles << sheet.Pages()->tabText(i);
    }
    return titles;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void SettingsPagesInOrder();
    void SettingsRoundTripThroughARestart();
    void SettingsFunctionKeysKeepWhatTheyCannotShow();
    void FolderChooserChecksTypedPaths();
    void FolderChooserNewFolder();
    void LanguageDialogListsLanguageFiles();
    void ProgressDialogAbortsOnlyByAbort();
    void ProgressDialogClosesWhenTheJobEnds();
    void AboutBoxHiddenText();
    void BoxesFromAWorkerThreadRunOnTheUiThread();
};

void DialogsTest::SettingsPagesInOrder() {
    test::UiEnv env;
    QVERIFY(env.Start());
    CZOLSettingsSheetDlg style(nullptr);
    QCOMPARE(TabTitles(style),
             (QStringList{"Folders", "External Style Players", "External Style Editors",
                          "External Tools", "Function Keys", "View", "Miscellaneous"}));
    QCOMPARE(style.Pages()->currentIndex(), 0);
    QVERIFY(Named<QLineEdit>(style, "StyleCASMEditor") != nullptr);
    QVERIFY(Named<QCheckBox>(style, "DefaultRenameToStyOnCopyToA") != nullptr);
    // F1 and F5 are fixed texts, not choices.
    QVERIFY(style.findChild<QComboBox*>("FunctionKey1") == nullptr);
    QVERIFY(style.findChild<QComboBox*>("FunctionKey5") == nullptr);
    QVERIFY(Named<QComboBox>(style, "FunctionKey12") != nullptr);
    // The copy-to rules name the quick-copy path as it is typed.
    Named<QLineEdit>(style, "QuickCopyPath")->setText("/mnt/key");
    QCOMPARE(Named<QCheckBox>(style, "DefaultUppercaseShortFilenamesOnCopyToA")->text(),
             QStringLiteral("Uppercase short (8.3) filenames on copy to /mnt/key/"));

    env.WriteHomeFile("kelvane.CFG", "NUV_SPECIAL_MENU = 1\n");
    QVERIFY(env.Start({"-m"}));
    CZOLSettingsSheetDlg midi(nullptr);
    QCOMPARE(
        TabTitles(midi),
        (QStringList{"Folders", "External Midi Players", "External Midi Editors", "External Tools",
                     "Function Keys", "View", "Miscellaneous", "NUV-Spezial"}));
    QVERIFY(midi.findChild<QLineEdit*>("StyleCASMEditor") == nullptr);
    QVERIFY(midi.findChild<QCheckBox*>("DefaultRenameToStyOnCopyToA") == nullptr);
    QVERIFY(Named<QLineEdit>(midi, "KaraokePlayer") != nullptr);
    // Midi mode offers no action that needs the song list or style files.
    QVERIFY(Named<QComboBox>(midi, "FunctionKey2")->findText("Edit CASM") < 0);
    QVERIFY(Named<QComboBox>(midi, "FunctionKey2")->findText("Play 2") >= 0);
}

void DialogsTest::SettingsRoundTripThroughARestart() {
    test::UiEnv env;
    env.WriteHomeFile("ZOL_tst.lan", "LANGUAGE_SHORT_NAME = tst\nLANGUAGE_FULL_NAME = Testish\n");
    QVERIFY(env.Start());
    {
        CZOLSettingsSheetDlg sheet(nullptr);
        Named<QLineEdit>(sheet, "DefaultStartPath")->setText("  /music/styles ");
        Named<QCheckBox>(sheet, "DefaultIncludeSubdirectories")->setChecked(true);
        Named<QLineEdit>(sheet, "TrashFolder")->setText("/music/trash/");
        Named<QLineEdit>(sheet, "StylePlayer")->setText(" /opt/player/bin/play ");
        Named<QLineEdit>(sheet, "DumpProgram")->setText("/usr/bin/hexdump");
        QVERIFY(Named<QRadioButton>(sheet, "PlayWith0")->isChecked());
        Named<QRadioButton>(sheet, "PlayWith1")->setChecked(true);
        Named<QLineEdit>(sheet, "SoundFont")->setText(" /music/sf2/Grand.sf2 ");
        QComboBox* f3 = Named<QComboBox>(sheet, "FunctionKey3");
        f3->setCurrentIndex(f3->findText("Play 2"));
        QComboBox* size = Named<QComboBox>(sheet, "DefaultListViewFontSize");
        size->setCurrentIndex(size->findText("12"));
        QComboBox* sort = Named<QComboBox>(sheet, "DefaultSortOrder");
        sort->setCurrentIndex(sort->findText("Classic"));
        QComboBox* language = Named<QComboBox>(sheet, "Language");
        language->setCurrentIndex(language->findText("Testish"));
        Named<QLineEdit>(sheet, "QuickCopyPath")->setText("/mnt/key");
        Named<QCheckBox>(sheet, "AutoCorrectIllegalFileDates")->setChecked(true);
        Named<QCheckBox>(sheet, "ChangeBackgroundColorIfFilterIsActive")->setChecked(false);
        QCOMPARE(Named<QSpinBox>(sheet, "ScanWorkers")->value(), 0);  // one per core
        Named<QSpinBox>(sheet, "ScanWorkers")->setValue(3);
        sheet.accept();
        QCOMPARE(sheet.StoreStatus(), 0);
    }
    // At once, before any restart.
    QCOMPARE(Config().player1, std::string("/opt/player/bin/play"));
    QCOMPARE(Config().functionKeys[2], 7);

    QVERIFY(env.Start());
    const ConfigValues& config = Config();
    QCOMPARE(config.startPath, std::string("/music/styles/"));
    QCOMPARE(config.includeSubfolders, 1);
    QCOMPARE(config.trashFolder, std::string("/music/trash/"));
    QCOMPARE(config.player1, std::string("/opt/player/bin/play"));
    QCOMPARE(config.dumpProgram, std::string("/usr/bin/hexdump"));
    QCOMPARE(config.playWith, 1);
    QCOMPARE(config.soundFont, std::string("/music/sf2/Grand.sf2"));
    QCOMPARE(config.functionKeys[2], 7);
    QCOMPARE(config.functionKeys[0], 0);
    QCOMPARE(config.listViewFontSize, 12);
    QCOMPARE(config.sortSequence, std::string("Classic"));
    QCOMPARE(config.quickCopyPath, std::string("/mnt/key"));
    QCOMPARE(config.autoCorrectIllegalFileDates, 1);
    QCOMPARE(config.changeBackgroundColorIfFilterIsActive, 0);
    QCOMPARE(config.scanWorkers, 3);
    QCOMPARE(Lang().CurrentLanguageShortName(), std::string("tst"));
    QVERIFY(!SettingsStore().Contains("FunctionKeys", "FunctionKey5"));

    // The sheet shows the stored values again.
    CZOLSettingsSheetDlg again(nullptr);
    QCOMPARE(Named<QLineEdit>(again, "StylePlayer")->text(),
             QStringLiteral("/opt/player/bin/play"));
    QCOMPARE(Named<QComboBox>(again, "FunctionKey3")->currentText(), QStringLiteral("Play 2"));
    QCOMPARE(Named<QComboBox>(again, "Language")->currentText(), QStringLiteral("Testish"));
    QVERIFY(Named<QRadioButton>(again, "PlayWith1")->isChecked());
    QVERIFY(!Named<QRadioButton>(again, "PlayWith0")->isChecked());
    QCOMPARE(Named<QSpinBox>(again, "ScanWorkers")->value(), 3);
    QVERIFY(env.sink.boxes.empty());
}

void DialogsTest::SettingsFunctionKeysKeepWhatTheyCannotShow() {
    test::UiEnv env;
    QVERIFY(env.Start());
    Config().functionKeys[3] = 25;  // F4: unused number from an older store
    Config().functionKeys[5] = 0;   // F6: nothing
    Config().functionKeys[6] = 99;  // F7: no action
    CZOLSettingsSheetDlg sheet(nullptr);
    QCOMPARE(Named<QComboBox>(sheet, "FunctionKey4")->currentText(), QStringLiteral("(no action)"));
    QCOMPARE(Named<QComboBox>(sheet, "FunctionKey6")->currentText(), QStringLiteral("(no action)"));
    sheet.accept();
    QCOMPARE(Config().functionKeys[3], 25);
    QCOMPARE(Config().functionKeys[5], 0);
    QCOMPARE(Config().functionKeys[6], 99);
    QCOMPARE(SettingsStore().ReadInt("FunctionKeys", "FunctionKey6", -1), 0);
}

void DialogsTest::FolderChooserChecksTypedPaths() {
    test::UiEnv env;
    QVERIFY(env.Start());
    CDlgGetPath chooser(nullptr, "Browse for Folder", env.Work());
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Browse for Folder"));
    QCOMPARE(chooser.PathEdit()->text(), QString::fromStdString(env.Work()));
    QVERIFY(chooser.AcceptTypedPath());
    QCOMPARE(chooser.Folder(), env.Work());

    const std::string bad = env.Work() + "a/ b";
    chooser.PathEdit()->setText(QString::fromStdString(bad));
    QVERIFY(!chooser.AcceptTypedPath());
    QCOMPARE(env.dialogs.boxes.back(), "The folder:\n\n" + bad + "\n\nis invalid. Please reenter.");

    const std::string missing = env.Work() + "new/deeper";
    chooser.PathEdit()->setText(QString::fromStdString(missing));
    env.dialogs.answer = BoxAnswer::No;
    QVERIFY(!chooser.AcceptTypedPath());
    QVERIFY(env.dialogs.boxes.back().find(
                "does not exist. Do you want the folder to be created?") != std::string::npos);
    QVERIFY(!std::filesystem::exists(missing));
    env.dialogs.answer = BoxAnswer::Yes;
    QVERIFY(chooser.AcceptTypedPath());
    QVERIFY(std::filesystem::is_directory(missing));
    QCOMPARE(chooser.Folder(), missing + "/");

    // A folder that cannot be made: a plain file is in the way.
    test::WriteFileBytes(env.Work() + "plain", "x");
    chooser.PathEdit()->setText(QString::fromStdString(env.Work() + "plain/sub"));
    QVERIFY(!chooser.AcceptTypedPath());
    QVERIFY(env.dialogs.boxes.back().find("can not be created. Please double check.") !=
            std::string::npos);
}

void DialogsTest::FolderChooserNewFolder() {
    test::UiEnv env;
    QVERIFY(env.Start());
    CDlgGetPath chooser(nullptr, "Copy Style File(s)", env.Work());
    QVERIFY(chooser.CreateFolder("Fresh"));
    QVERIFY(std::filesystem::is_directory(env.Work() + "Fresh"));
    QCOMPARE(chooser.PathEdit()->text(), QString::fromStdString(env.Work() + "Fresh/"));
    chooser.PathEdit()->setText(QString::fromStdString(env.Work()));
    QVERIFY(!chooser.CreateFolder("Fresh"));
    QCOMPARE(env.dialogs.boxes.back(),
             std::string("Error creating folder: Directory already exists"));
    chooser.PathEdit()->setText(QString::fromStdString(env.Work() + "gone/"));
    QVERIFY(!chooser.CreateFolder("Fresh"));
    QCOMPARE(env.dialogs.boxes.back(), std::string("Error creating folder: Path was not found"));
}

void DialogsTest::LanguageDialogListsLanguageFiles() {
    test::UiEnv env;
    env.WriteHomeFile("ZOL_tst.lan",
                      "LANGUAGE_SHORT_NAME = tst\nLANGUAGE_FULL_NAME = Testish\n"
                      "ORIG = Select the language\nTRNS = Pick one\n");
    env.WriteHomeFile("ZOL_bad.lan", "LANGUAGE_SHORT_NAME = bad\n");  // no full name: not listed
    QVERIFY(env.Start());
    {
        CNuvLangDlg dialog(nullptr);
        QComboBox* box = dialog.Languages();
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), QStringLiteral("English"));
        QCOMPARE(box->currentText(), QStringLiteral("English"));
        QVERIFY(dialog.findChildren<QLabel*>().size() >= 2);
        box->setCurrentIndex(box->findText("Testish"));
        dialog.accept();
    }
    QCOMPARE(Lang().CurrentLanguageShortName(), std::string("tst"));
    CNuvLangDlg translated(nullptr);
    QCOMPARE(translated.Languages()->currentText(), QStringLiteral("Testish"));
    bool found = false;
    for (QLabel* label : translated.findChildren<QLabel*>()) {
        found = found || label->text() == "Pick one";
    }
    QVERIFY(found);
    translated.Languages()->setCurrentIndex(0);
    translated.accept();
    QCOMPARE(Lang().CurrentLanguageShortName(), std::string("eng"));
    QCOMPARE(Lang().PairCount(), std::size_t{0});
}

void DialogsTest::ProgressDialogAbortsOnlyByAbort() {
    test::UiEnv env;
    QVERIFY(env.Start());
    WorkJobTexts texts;
    texts.title = "Uppercase";
    CZOLWorkThreadDlg dialog(nullptr, texts, [](const std::atomic<int>& abort) {
        while (abort.load() == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return status::kAbortedByUser;
    });
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Uppercase"));
    QCOMPARE(dialog.AbortButton()->text(), QStringLiteral("&Abort"));
    bool openAfterKeys = false;
    QTimer::singleShot(50, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        dialog.close();
        openAfterKeys = dialog.isVisible() && dialog.WorkerRunning();
        QTest::mouseClick(dialog.AbortButton(), Qt::LeftButton);
        QVERIFY(!dialog.AbortButton()->isEnabled());
    });
    QCOMPARE(dialog.Run(), status::kAbortedByUser);
    QVERIFY(openAfterKeys);
    QCOMPARE(dialog.AbortFlag().load(), 1);
    const auto texts_ = env.panes.Texts();
    QCOMPARE(texts_.front(), std::string("0:Working..."));
    QCOMPARE(texts_.back(), std::string("0:Aborted"));
}

void DialogsTest::ProgressDialogClosesWhenTheJobEnds() {
    test::UiEnv env;
    QVERIFY(env.Start());
    WorkJobTexts texts;
    texts.error = "It went wrong";
    const StatusCode status = RunWorkJobDialog(nullptr, texts, [](const std::atomic<int>&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return -10020;
    });
    QCOMPARE(status, -10020);
    QCOMPARE(env.panes.Texts().back(), std::string("0:It went wrong"));
}

void DialogsTest::AboutBoxHiddenText() {
    test::UiEnv env;
    QVERIFY(env.Start());
    CAboutDlg about(nullptr);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseDClick(&about, Qt::RightButton, {}, QPoint(30, 30));
    QVERIFY(env.panes.Texts().empty());
    QTest::mouseDClick(&about, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(env.panes.Texts().empty());
    QTest::mouseDClick(&about, Qt::RightButton, {}, QPoint(4, 6));
    QCOMPARE(env.panes.Texts(), std::vector<std::string>{"0:" + HiddenAboutText()});
    bool product = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        product = product || label->text() == "Kelvane  V 4.5";
    }
    QVERIFY(product);
}

void DialogsTest::BoxesFromAWorkerThreadRunOnTheUiThread() {
    test::UiEnv env;
    QVERIFY(env.Start());
    CQtUserDialogs dialogs;
    Qt::HANDLE boxThread = nullptr;
    // Answers the box the worker asks for, on the user-interface thread.
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxThread = QThread::currentThreadId();
            box->button(QMessageBox::Yes)->click();
        }
    });
    answerer.start(10);
    BoxAnswer answer = BoxAnswer::Ok;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = dialogs.MessageBox("Go on?", BoxIcon::Question, BoxButtons::YesNo, BoxAnswer::No);
        done = true;
    });
    QVERIFY(QTest::qWaitFor([&] { return done.load(); }, 5000));
    worker.join();
    QCOMPARE(answer, BoxAnswer::Yes);
    QCOMPARE(boxThread, QThread::currentThreadId());
}

}  // namespace kelvane

QTEST_MAIN(kelvane::DialogsTest)
#include "Dialogs_test.moc"
