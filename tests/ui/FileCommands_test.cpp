// The file commands through the window, with their real dialogs answered by script: a copy
// whose clash is answered with Auto-Rename (the prompt asked from the worker thread), a move to
// the trash, a modify of two rows, and a song added to a style, written into its file and read
// back from it.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <thread>

#include "DialogScript.h"
#include "UiFiles.h"
#include "UiRecords.h"
#include "UiTestEnv.h"
#include "fileops/ZOLCopyMove.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/StyleFileBuilder.h"
#include "support/ZOLConfigValues.h"
#include "ui/DlgGetPath.h"
#include "ui/MainFrm.h"
#include "ui/ZOLFileOpPromptsUi.h"
#include "ui/ZOLModifyDlg.h"
#include "ui/ZOLModifySongDlg.h"
#include "ui/ZOLPromptDlg.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

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

// Selects the rows of the named files only; false when one is missing.
bool SelectFiles(const std::vector<std::string>& names) {
    CMyListCtrl* list = ListViewMgr().CurrentList();
    list->ClearSelection();
    size_t found = 0;
    for (long row = 0; row < list->RowCount(); ++row) {
        const std::string name(list->StyleRecordOfRow(row)->Text(kFieldFilename));
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            list->Select(row);
            ++found;
        }
    }
    return found == names.size();
}

StyleDataPacket* RecordNamed(const std::string& name) {
    for (StyleDataPacket* record : RecordStore().records) {
        if (record->Text(kFieldFilename) == name) {
            return record;
        }
    }
    return nullptr;
}

bool PaneShowed(const test::UiEnv& env, const std::string& text) {
    const std::vector<std::string> texts = env.panes.Texts();
    return std::find(texts.begin(), texts.end(), "0:" + text) != texts.end();
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();
    void CopyClashAnsweredWithAutoRename();
    void MoveToTrashRenamesClashesWithoutAsking();
    void ModifyOfTwoRows();
    void AddedSongIsWrittenIntoTheStyleFileAndReadBack();

  private:
    // Reads `tree` (without subfolders) into the window.
    void Read(const std::string& tree);

    std::unique_ptr<test::UiEnv> env_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<InstalledPrompts> prompts_;
    std::string tree_;
};

void FileCommandsTest::init() {
    env_ = std::make_unique<test::UiEnv>();
    frame_ = env_->StartFrame();
    QVERIFY(frame_ != nullptr);
    prompts_ = std::make_unique<InstalledPrompts>();
    CopyMoveState() = CopyMoveStateValues{};
    tree_ = env_->Work() + "Styles/";
    Put(tree_ + "a.sty", StyleBytes("Alpha"));
    Put(tree_ + "b.sty", StyleBytes("Beta"));
    Read(tree_);
}

void FileCommandsTest::cleanup() {
    prompts_.reset();
    frame_.reset();
    env_.reset();
}

void FileCommandsTest::Read(const std::string& tree) {
    frame_->View()->SetStartFolder(tree, false);
    frame_->View()->RunCommand(ViewCommand::Refresh);
}

void FileCommandsTest::CopyClashAnsweredWithAutoRename() {
    const std::string destination = env_->Work() + "Stick/";
    Put(destination + "a.sty", "older");
    QVERIFY(SelectFiles({"a.sty"}));
    auto script = std::make_unique<test::DialogScript>();
    QString folderTitle;
    QStringList promptButtons;
    bool replaceEnabled = false;
    script->On<CDlgGetPath>([&](CDlgGetPath* dialog) {
        folderTitle = dialog->windowTitle();
        dialog->PathEdit()->setText(QString::fromStdString(destination));
        dialog->accept();
    });
    script->On<CZOLPromptDlg>([&](CZOLPromptDlg* prompt) {
        for (QPushButton* button : prompt->Buttons()) {
            promptButtons << button->text();
        }
        replaceEnabled = prompt->ButtonOf(file_exists::kReplace)->isEnabled();
        prompt->ButtonOf(file_exists::kAutoRename)->click();
    });
    frame_->View()->RunCommand(ViewCommand::CopySelected);
    QCOMPARE(script->Unexpected(), std::vector<std::string>{});
    script.reset();
    QCOMPARE(folderTitle, QStringLiteral("Copy Style File(s)"));
    QCOMPARE(promptButtons, (QStringList{"&Replace", "Repla&ce All", "&Skip", "Re&name",
                                         "Auto-Rena&me", "&Abort"}));
    QVERIFY(replaceEnabled);
    QCOMPARE(test::ReadFileBytes(destination + "a.sty"), std::string("older"));
    QCOMPARE(test::ReadFileBytes(destination + "a-0.sty"), StyleBytes("Alpha"));
    QVERIFY(fs::exists(tree_ + "a.sty"));
    QVERIFY(PaneShowed(*env_, "Copying files finished: 1 file copied, 1 renamed"));
    // The destination lies outside the tree: its record waits in the move file.
    QVERIFY(test::ReadFileBytes(destination + "ZOLMOVE.SDE").find("a-0.sty") != std::string::npos);
    QCOMPARE(ListViewMgr().RowCount(), 2L);

    // The same copy again into the remembered folder, now aborted at the prompt: nothing new.
    test::DialogScript abortScript;
    abortScript.On<CDlgGetPath>([](CDlgGetPath* dialog) { dialog->accept(); });
    abortScript.On<CZOLPromptDlg>([](CZOLPromptDlg* prompt) { prompt->reject(); });
    frame_->View()->RunCommand(ViewCommand::CopySelected);
    QCOMPARE(abortScript.Answered(), 2);
    QVERIFY(!fs::exists(destination + "a-1.sty"));
    QVERIFY(PaneShowed(*env_, "Copying files aborted: 0 files copied"));
}

void FileCommandsTest::MoveToTrashRenamesClashesWithoutAsking() {
    const std::string trash = env_->Work() + "Trash/";
    Put(trash + "b.sty", "trashed before");
    Config().trashFolder = trash;
    QVERIFY(SelectFiles({"b.sty"}));
    test::DialogScript script;
    env_->dialogs.answer = BoxAnswer::Ok;
    frame_->View()->RunCommand(ViewCommand::MoveToTrash);
    QCOMPARE(script.Answered(), 0);
    QCOMPARE(script.Unexpected(), std::vector<std::string>{});
    QVERIFY(env_->dialogs.Contains("Move \"b.sty\" to the trash?\n\nTrash folder: " + trash));
    QVERIFY(!fs::exists(tree_ + "b.sty"));
    QCOMPARE(test::ReadFileBytes(trash + "b.sty"), std::string("trashed before"));
    QCOMPARE(test::ReadFileBytes(trash + "b-0.sty"), StyleBytes("Beta"));
    QCOMPARE(ListViewMgr().RowCount(), 1L);
    // Cancel in the question moves nothing.
    QVERIFY(SelectFiles({"a.sty"}));
    env_->dialogs.answer = BoxAnswer::Cancel;
    frame_->View()->RunCommand(ViewCommand::MoveToTrash);
    QVERIFY(fs::exists(tree_ + "a.sty"));
}

void FileCommandsTest::ModifyOfTwoRows() {
    AssignStyleField(*RecordNamed("a.sty"), kFieldAuthor, "Ann");
    AssignStyleField(*RecordNamed("a.sty"), kFieldUsage, "stage");
    AssignStyleField(*RecordNamed("b.sty"), kFieldUsage, "home");
    QVERIFY(SelectFiles({"a.sty", "b.sty"}));
    test::DialogScript script;
    bool emptyFields = false;
    bool songsDisabled = false;
    script.On<CZOLModifyDlg>([&](CZOLModifyDlg* dialog) {
        auto* author = qobject_cast<QComboBox*>(dialog->Control(kFieldAuthor));
        emptyFields = author->currentText().isEmpty() && author->findText("Ann") >= 0;
        songsDisabled = !dialog->SongTable()->isEnabled() &&
                        !dialog->SongButtonOf(CZOLModifyDlg::kAddSong)->isEnabled();
        dialog->SetFieldText(kFieldUsage, " ");
        dialog->SetFieldText(kFieldAux, " Live ");
        dialog->SetFieldText(kFieldRank, "012");
        dialog->accept();
    });
    frame_->View()->RunCommand(ViewCommand::Modify);
    QCOMPARE(script.Answered(), 1);
    QVERIFY(emptyFields);
    QVERIFY(songsDisabled);
    for (const char* name : {"a.sty", "b.sty"}) {
        const StyleDataPacket& record = *RecordNamed(name);
        QCOMPARE(record.Text(kFieldUsage), std::string_view());
        QCOMPARE(record.Text(kFieldAux), std::string_view("Live"));
        QCOMPARE(record.Number(kFieldRank), 10);  // "012" is octal
    }
    QCOMPARE(RecordNamed("a.sty")->Text(kFieldAuthor), std::string_view("Ann"));
    // Both records reach the folder's data file, and a rescan keeps them.
    const std::string data = test::ReadFileBytes(tree_ + "ZOL.SDB");
    QVERIFY(data.find("|Live|") != data.rfind("|Live|"));
    Read(tree_);
    QCOMPARE(RecordNamed("b.sty")->Text(kFieldAux), std::string_view("Live"));
}

void FileCommandsTest::AddedSongIsWrittenIntoTheStyleFileAndReadBack() {
    QVERIFY(SelectFiles({"a.sty"}));
    test::DialogScript script;
    int songRows = -1;
    QString songTitle;
    script.On<CZOLModifyDlg>([&](CZOLModifyDlg* dialog) {
        dialog->SongButtonOf(CZOLModifyDlg::kAddSong)->click();  // the song dialog, nested
        songRows = dialog->SongTable()->rowCount();
        dialog->accept();
    });
    script.On<CZOLModifySongDlg>([&](CZOLModifySongDlg* dialog) {
        songTitle = dialog->windowTitle();
        dialog->SetFieldText(kSongFieldTitle, "Moon River");
        dialog->SetFieldText(kSongFieldGenre, "Jazz");
        dialog->accept();
    });
    frame_->View()->RunCommand(ViewCommand::Modify);
    QCOMPARE(script.Unexpected(), std::vector<std::string>{});
    QCOMPARE(songTitle, QStringLiteral("Add Song"));
    QCOMPARE(songRows, 1);
    StyleDataPacket* record = RecordNamed("a.sty");
    QCOMPARE(record->songs.size(), size_t{1});
    QCOMPARE(record->songs[0]->Number(kSongFieldStatus), 2);  // not in the style file yet

    env_->dialogs.answer = BoxAnswer::Yes;
    frame_->View()->RunCommand(ViewCommand::WriteMdbRecords);
    QVERIFY(env_->dialogs.Contains("ATTENTION: This function will modify"));
    QVERIFY(
        env_->dialogs.Contains("1 style file processed in total\n\n1 style file has been "
                               "updated\n0 style files were up-to-date"));
    const std::string bytes = test::ReadFileBytes(tree_ + "a.sty");
    QVERIFY(bytes.rfind(StyleBytes("Alpha"), 0) == 0);  // the MIDI part is kept
    QVERIFY(bytes.find("FNRc") != std::string::npos);
    QVERIFY(bytes.find("Moon River") != std::string::npos);

    // A hard rescan reads the file without its data file: the song comes from the file.
    frame_->View()->RunCommand(ViewCommand::HardRescan);
    record = RecordNamed("a.sty");
    QVERIFY(record != nullptr);
    QCOMPARE(record->songs.size(), size_t{1});
    QCOMPARE(record->songs[0]->Text(kSongFieldTitle), std::string_view("Moon River"));
    QCOMPARE(record->songs[0]->Text(kSongFieldGenre), std::string_view("Jazz"));
    QCOMPARE(record->songs[0]->Number(kSongFieldStatus), 1);
    QCOMPARE(RecordNamed("b.sty")->songs.size(), size_t{0});
}

}  // namespace kelvane

QTEST_MAIN(kelvane::FileCommandsTest)
#include "FileCommands_test.moc"
