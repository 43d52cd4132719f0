#include <gtest/gtest.h>

#include "fileops/FileOpsTestEnv.h"
#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLRenameFile.h"

namespace kelvane::test {
namespace {

using Strings = std::vector<std::string>;
using Authors = std::map<std::string, std::string>;

// tree/a holds Song.sty with Song.txt and the style Song.prs, and Beat.sty; all have records
// in tree/a's data file.
class CopyMoveTest : public FileOpsTest {
  protected:
    void SetUp() override {
        FileOpsTest::SetUp();
        Populate();
    }
    void Populate() {
        File("tree/a/Song.sty");
        File("tree/a/Song.txt");
        File("tree/a/Song.prs");
        File("tree/a/Beat.sty");
        Record("tree/a", "Song.sty");
        Record("tree/a", "Song.prs");
        Record("tree/a", "Beat.sty");
        WriteDataFiles();
        std::filesystem::create_directories(dir.Path() / "tree/b");
        std::filesystem::create_directories(dir.Path() / "out");
    }
    std::vector<CopyMoveOutcome> Outcomes() const {
        std::vector<CopyMoveOutcome> outcomes;
        for (const CopyMoveEntry& entry : CopyMoveState().entries) {
            outcomes.push_back(entry.outcome);
        }
        return outcomes;
    }
};

TEST_F(CopyMoveTest, CopyIntoTheTreeAddsRecordsAndWritesTheDestinationDataFile) {
    Select({"Song.sty"});
    prompts.folders.push_back(Folder("tree/b"));
    EXPECT_EQ(CopySelectedFiles(), 0);
    EXPECT_EQ(Names("tree/b"), (Strings{"Song.sty", "Song.txt", "ZOL.SDB"}));
    EXPECT_EQ(DataFileAuthors("tree/b"), (Authors{{"Song.sty", "by Song.sty"}}));
    EXPECT_EQ(DataFileAuthors("tree/a").size(), 3u);
    ASSERT_NE(Find("tree/b", "Song.sty"), nullptr);
    EXPECT_EQ(Find("tree/b", "Song.sty")->changed, 0);
    EXPECT_EQ(prompts.folderTitles, Strings{"Copy Style File(s)"});
    EXPECT_EQ(prompts.folderStarts,
              Strings{Folder("tree/a").substr(0, Folder("tree/a").size() - 1)});
    EXPECT_EQ(CopyMoveState().rememberedDestination, Folder("tree/b"));
    EXPECT_TRUE(StatusShown("Copying files finished: 1 file copied"));
    ExpectNoLeftovers("tree/b");
    // The dialog opens on the remembered destination next time.
    Select({"Beat.sty"});
    prompts.folders.push_back(std::nullopt);
    EXPECT_EQ(CopySelectedFiles(), 0);
    EXPECT_EQ(prompts.folderStarts.back(), Folder("tree/b").substr(0, Folder("tree/b").size() - 1));
}

TEST_F(CopyMoveTest, CopyOntoItselfOffersNoReplaceAndAutoRenames) {
    Select({"Song.sty"});
    prompts.fileExistsAnswers = {file_exists::kReplace, file_exists::kAutoRename};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Copy, Folder("tree/a")), 0);
    ASSERT_EQ(prompts.fileExists.size(), 2u);  // Replace was not allowed: asked again
    EXPECT_TRUE(prompts.fileExists[0].sameFile);
    EXPECT_EQ(prompts.fileExists[0].path, Folder("tree/a") + "Song.prs");  // first member found
    EXPECT_EQ(sink.exits.size(), 1u);  // the unexpected answer is an internal error
    EXPECT_TRUE(Exists("tree/a/Song-0.sty"));
    EXPECT_TRUE(Exists("tree/a/Song-0.txt"));
    EXPECT_FALSE(Exists("tree/a/Song-0.prs"));
    EXPECT_EQ(DataFileAuthors("tree/a").at("Song-0.sty"), "by Song.sty");
    EXPECT_TRUE(CopyMoveState().entries.at(0).renamed);
}

TEST_F(CopyMoveTest, MoveOntoItselfDoesNothing) {
    Select({"Song.sty", "Beat.sty"});
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("tree/a")), 0);
    EXPECT_TRUE(prompts.fileExists.empty());
    EXPECT_EQ(Outcomes(), (std::vector{CopyMoveOutcome::SameFile, CopyMoveOutcome::SameFile}));
    EXPECT_EQ(DataFileAuthors("tree/a").size(), 3u);
    EXPECT_TRUE(Exists("tree/a/Song.sty"));
    ExpectNoLeftovers("tree/a");
}

TEST_F(CopyMoveTest, MoveWithinTheTreeTakesTheRecordAlong) {
    Find("tree/a", "Song.sty")->mdbChanged = 1;
    Select({"Song.sty"});
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("tree/b")), 0);
    EXPECT_EQ(Names("tree/b"), (Strings{"Song.sty", "Song.txt", "ZOL.SDB"}));
    EXPECT_EQ(Names("tree/a"), (Strings{"Beat.sty", "Song.prs", "ZOL.SDB"}));
    StyleDataPacket* moved = Find("tree/b", "Song.sty");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->mdbChanged, 1);
    EXPECT_EQ(DataFileAuthors("tree/b"), (Authors{{"Song.sty", "by Song.sty"}}));
}

TEST_F(CopyMoveTest, MoveOutOfTheTreeAppendsToTheMoveFileAndDropsTheRecord) {
    // An earlier move file keeps its lines.
    RecordList earlier;
    StyleDataPacket* old = NewStyleRecord();
    AssignStyleField(*old, kFieldFilename, "Old.sty");
    AssignStyleField(*old, kFieldAuthor, "earlier");
    earlier.Append(old);
    ASSERT_EQ(AppendToStyleDataFile(Folder("out") + "ZOLMOVE.SDE", earlier), 0);
    earlier.ReleaseAll();

    Select({"Song.sty", "Beat.sty"});
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("out")), 0);
    EXPECT_EQ(Names("out"), (Strings{"Beat.sty", "Song.sty", "Song.txt", "ZOLMOVE.SDE"}));
    EXPECT_EQ(DataFileAuthors("out", true), (Authors{{"Old.sty", "earlier"},
                                                     {"Song.sty", "by Song.sty"},
                                                     {"Beat.sty", "by Beat.sty"}}));
    EXPECT_EQ(DataFileAuthors("tree/a"), (Authors{{"Song.prs", "by Song.prs"}}));
    EXPECT_EQ(Find("tree/a", "Song.sty"), nullptr);
    EXPECT_EQ(ListViewMgr().RowCount(), 1);
    ExpectNoLeftovers("out");
}

TEST_F(CopyMoveTest, CopyOutOfTheTreeLeavesTheTreeAlone) {
    Select({"Beat.sty"});
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Copy, Folder("out")), 0);
    EXPECT_EQ(DataFileAuthors("out", true), (Authors{{"Beat.sty", "by Beat.sty"}}));
    EXPECT_EQ(RecordStore().records.size(), 3u);
    EXPECT_TRUE(Exists("tree/a/Beat.sty"));
}

TEST_F(CopyMoveTest, ReadOnlySourcesArePromptedUntilYesToAll) {
    for (const char* name : {"Song.sty", "Song.prs", "Beat.sty"}) {
        std::filesystem::permissions(dir.Path() / "tree/a" / name,
                                     std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    Select({});
    prompts.readOnlyAnswers = {read_only::kNo, read_only::kYesToAll};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("out")), 0);
    EXPECT_EQ(prompts.readOnly.size(), 2u);  // the third file goes without asking
    EXPECT_EQ(Outcomes(), (std::vector{CopyMoveOutcome::SkippedReadOnly, CopyMoveOutcome::Moved,
                                       CopyMoveOutcome::Moved}));
    // Song.txt went with Song.prs, whose set it belongs to as well.
    EXPECT_EQ(Names("tree/a"), (Strings{"Song.sty", "ZOL.SDB"}));
    EXPECT_EQ(Names("out"), (Strings{"Beat.sty", "Song.prs", "Song.txt", "ZOLMOVE.SDE"}));
    EXPECT_EQ(DataFileAuthors("tree/a"), (Authors{{"Song.sty", "by Song.sty"}}));
}

TEST_F(CopyMoveTest, ReadOnlySourceAbortEndsTheMove) {
    std::filesystem::permissions(dir.Path() / "tree/a/Song.sty",
                                 std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    Select({"Song.sty", "Beat.sty"});
    prompts.readOnlyAnswers = {read_only::kAbort};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("out")), status::kAbortedByUser);
    EXPECT_EQ(Names("out"), Strings{});
    EXPECT_TRUE(StatusShown("Moving files aborted: 0 files moved"));
    EXPECT_EQ(ScanState().abortFlag.load(), 0);
    EXPECT_FALSE(sink.BoxContains("Error"));
}

TEST_F(CopyMoveTest, ReadOnlyClashIsPromptedEvenWithReplaceAll) {
    File("tree/b/Song.sty", "old song");
    File("tree/b/Beat.sty", "old beat");
    std::filesystem::permissions(dir.Path() / "tree/b/Beat.sty",
                                 std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    Select({"Song.sty", "Beat.sty"});
    prompts.fileExistsAnswers = {file_exists::kReplaceAll, file_exists::kSkip};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Copy, Folder("tree/b")), 0);
    ASSERT_EQ(prompts.fileExists.size(), 2u);
    EXPECT_FALSE(prompts.fileExists[0].writeProtected);
    EXPECT_TRUE(prompts.fileExists[1].writeProtected);
    EXPECT_EQ(Read("tree/b/Song.sty"), "tree/a/Song.sty");
    EXPECT_EQ(Read("tree/b/Beat.sty"), "old beat");
}

TEST_F(CopyMoveTest, AReplacedFileLosesItsOldRecord) {
    File("tree/b/Song.sty", "old song");
    Record("tree/b", "Song.sty", "old author");
    WriteDataFiles();
    SelectRecords({Find("tree/a", "Song.sty")});
    prompts.fileExistsAnswers = {file_exists::kReplace};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Copy, Folder("tree/b")), 0);
    EXPECT_EQ(DataFileAuthors("tree/b"), (Authors{{"Song.sty", "by Song.sty"}}));
}

TEST_F(CopyMoveTest, AClashThroughACompanionIsFound) {
    File("tree/b/Song.txt", "other notes");
    Select({"Song.sty"});
    prompts.fileExistsAnswers = {file_exists::kSkip};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Copy, Folder("tree/b")), 0);
    ASSERT_EQ(prompts.fileExists.size(), 1u);
    EXPECT_EQ(prompts.fileExists[0].path, Folder("tree/b") + "Song.txt");
    EXPECT_EQ(Outcomes(), std::vector{CopyMoveOutcome::Skipped});
    EXPECT_EQ(Read("tree/b/Song.txt"), "other notes");
}

TEST_F(CopyMoveTest, RenameAnswerAsksForANameUntilItIsFree) {
    File("tree/b/Song.sty");
    Select({"Song.sty"});
    prompts.fileExistsAnswers = {file_exists::kRename, file_exists::kRename};
    prompts.newNames = {std::nullopt, Folder("x") + "Song.doc", "Fresh"};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Copy, Folder("tree/b")), 0);
    EXPECT_EQ(prompts.fileExists.size(), 2u);  // Cancel of the rename dialog brought it back
    EXPECT_EQ(dialogs.texts, Strings{"Selected file already exists"});
    EXPECT_TRUE(Exists("tree/b/Fresh.sty"));
    EXPECT_TRUE(Exists("tree/b/Fresh.txt"));
    EXPECT_EQ(DataFileAuthors("tree/b").count("Fresh.sty"), 1u);
}

TEST_F(CopyMoveTest, TrashClashesAreAutoRenamedWithoutPrompt) {
    File("trash/Song.sty");
    File("trash/Song-0.txt");
    Config().trashFolder = Folder("trash");
    Select({"Song.sty", "Beat.sty"});
    EXPECT_EQ(MoveSelectedToTrash(), 0);
    EXPECT_NE(dialogs.texts.at(0).find(" 2 "), std::string::npos);
    EXPECT_TRUE(prompts.fileExists.empty());
    EXPECT_EQ(Names("trash"), (Strings{"Beat.sty", "Song-0.txt", "Song-1.sty", "Song-1.txt",
                                       "Song.sty", "ZOLMOVE.SDE"}));
    EXPECT_EQ(DataFileAuthors("trash", true).at("Song-1.sty"), "by Song.sty");
    EXPECT_TRUE(StatusShown("Moving files finished: 2 files moved, 1 renamed"));
}

TEST_F(CopyMoveTest, TrashNeedsAnExistingFolderAndConfirmation) {
    Select({"Song.sty"});
    Config().trashFolder = Folder("trash");  // set, but missing: named, nothing moves
    EXPECT_EQ(MoveSelectedToTrash(), 0);
    EXPECT_TRUE(sink.BoxContains("No existing trash folder found."));
    EXPECT_TRUE(sink.BoxContains(Folder("trash")));
    EXPECT_TRUE(sink.BoxContains("'Settings > Folders > Trash Folder'"));
    EXPECT_TRUE(dialogs.texts.empty());
    EXPECT_TRUE(Exists("tree/a/Song.sty"));
    std::filesystem::create_directories(dir.Path() / "trash");
    dialogs.answers = {BoxAnswer::Cancel};
    EXPECT_EQ(MoveSelectedToTrash(), 0);
    EXPECT_TRUE(Exists("tree/a/Song.sty"));
}

TEST_F(CopyMoveTest, QuickCopyUpperCasesShortNamesAndRenamesToSty) {
    Config().quickCopyPath = Folder("usb");
    Config().uppercaseShortFilenamesOnCopyToA = 1;
    Config().renameToStyOnCopyToA = 1;
    std::filesystem::create_directories(dir.Path() / "usb");
    File("tree/a/abc.prs");
    File("tree/a/abc.txt");
    File("tree/a/longername.sty");
    Record("tree/a", "abc.prs");
    Record("tree/a", "longername.sty");
    File("usb/ABC.STY", "earlier copy");
    Select({"abc.prs", "longername.sty"});
    prompts.fileExistsAnswers = {file_exists::kSkip};
    EXPECT_EQ(CopySelectedToQuickPath(), 0);
    // The earlier ABC.STY is the name the copy would write: it clashes.
    ASSERT_EQ(prompts.fileExists.size(), 1u);
    EXPECT_EQ(Read("usb/ABC.STY"), "earlier copy");
    std::filesystem::remove(dir.Path() / "usb/ABC.STY");
    Select({"abc.prs"});
    EXPECT_EQ(CopySelectedToQuickPath(), 0);
    EXPECT_EQ(Names("usb"), (Strings{"ABC.STY", "ABC.TXT", "ZOLMOVE.SDE", "longername.sty"}));
    EXPECT_EQ(DataFileAuthors("usb", true).count("ABC.STY"), 1u);
}

TEST_F(CopyMoveTest, SongRowsCopyEachStyleOnce) {
    StyleDataPacket* song = Find("tree/a", "Song.sty");
    for (const char* title : {"One", "Two", "Three"}) {
        SongDataPacket* entry = NewSongRecord();
        AssignSongField(*entry, kSongFieldTitle, title);
        AppendSong(*song, entry);
    }
    SongDataPacket* beatSong = NewSongRecord();
    AssignSongField(*beatSong, kSongFieldTitle, "Four");
    AppendSong(*Find("tree/a", "Beat.sty"), beatSong);
    ListViewMgr().SetViewMode(Songs);
    Select({});
    ASSERT_EQ(ListViewMgr().SelectedCount(), 4);
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Copy, Folder("out")), 0);
    EXPECT_EQ(CopyMoveState().entries.size(), 2u);
    EXPECT_EQ(DataFileAuthors("out", true).size(), 2u);
    for (const StyleDataPacket* record : RecordStore().records) {
        EXPECT_EQ(record->batchMark, 0);
    }
}

TEST_F(CopyMoveTest, CancelledDialogAndEmptySelectionChangeNothing) {
    prompts.folders.push_back(std::nullopt);
    Select({"Song.sty"});
    EXPECT_EQ(MoveSelectedFiles(), 0);
    EXPECT_EQ(prompts.folderTitles, Strings{"Move Style File(s)"});
    EXPECT_TRUE(Exists("tree/a/Song.sty"));
    EXPECT_EQ(Names("tree/b"), Strings{});

    ShowRows();  // no selection
    Config().trashFolder = Folder("out");
    EXPECT_EQ(CopySelectedFiles(), 0);
    EXPECT_EQ(MoveSelectedFiles(), 0);
    EXPECT_EQ(MoveSelectedToTrash(), 0);
    EXPECT_EQ(dialogs.texts,
              (Strings{"Please select one or more styles to be copied\n\n(you can use Ctrl-A to "
                       "select all styles)",
                       "Please select one or more styles to be moved\n\n(you can use Ctrl-A to "
                       "select all styles)",
                       "Please select one or more styles to be moved\n\n(you can use Ctrl-A to "
                       "select all styles)"}));
    Start(kRunModeMidi);
    ShowRows();
    EXPECT_EQ(CopySelectedFiles(), 0);
    EXPECT_EQ(dialogs.texts.back(),
              "Please select one or more midi files to be copied\n\n(you can use Ctrl-A to select "
              "all midis)");
}

TEST_F(CopyMoveTest, MidiModeMovesTheOneFile) {
    Start(kRunModeMidi);
    File("tree/m/Tune.mid");
    File("tree/m/Tune.txt");
    Record("tree/m", "Tune.mid");
    WriteDataFiles();
    std::filesystem::create_directories(dir.Path() / "tree/n");
    Select({});
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("tree/n")), 0);
    EXPECT_EQ(Names("tree/n"), (Strings{"Tune.mid", "ZOLMIDI.SDB"}));
    EXPECT_EQ(Names("tree/m"), (Strings{"Tune.txt", "ZOLMIDI.SDB"}));
}

TEST_F(CopyMoveTest, RenameRenamesTheSetAndTheRecordsOfItsStyles) {
    ShowRows();
    EXPECT_EQ(RenameSelectedFile(), 0);
    Select({});
    EXPECT_EQ(RenameSelectedFile(), 0);
    EXPECT_EQ(dialogs.texts, (Strings{"Please select one style to be renamed",
                                      "Please select only one style to be renamed"}));
    Select({"Song.sty"});
    prompts.newNames = {"Beat.doc", "Tango"};
    EXPECT_EQ(RenameSelectedFile(), 0);
    EXPECT_EQ(dialogs.texts.back(), "Selected file already exists");
    EXPECT_EQ(Names("tree/a"),
              (Strings{"Beat.sty", "Tango.prs", "Tango.sty", "Tango.txt", "ZOL.SDB"}));
    EXPECT_EQ(DataFileAuthors("tree/a"), (Authors{{"Tango.sty", "by Song.sty"},
                                                  {"Tango.prs", "by Song.prs"},
                                                  {"Beat.sty", "by Beat.sty"}}));
}

TEST_F(CopyMoveTest, RenameKeepsTheFilesOwnExtension) {
    Select({"Beat.sty"});
    prompts.newNames = {"Waltz.prs"};
    EXPECT_EQ(RenameSelectedFile(), 0);
    EXPECT_TRUE(Exists("tree/a/Waltz.sty"));
    EXPECT_EQ(DataFileAuthors("tree/a").count("Waltz.sty"), 1u);
}

}  // namespace
}  // namespace kelvane::test

namespace kelvane::test {
namespace {

TEST_F(CopyMoveTest, MissingDestinationIsNamedAndAnotherFolderMayBeChosen) {
    Config().quickCopyPath = Folder("usb");  // not there
    Select({"Beat.sty"});
    EXPECT_EQ(CopySelectedToQuickPath(), 0);  // the prompt's Cancel
    EXPECT_EQ(prompts.missingDestinations, Strings{Folder("usb")});
    EXPECT_EQ(prompts.deviceFull, 0);
    EXPECT_FALSE(Exists("usb"));
    EXPECT_TRUE(StatusShown("Copying files cancelled"));
    // Choose Folder... opens the chooser; the copy goes there.
    prompts.missingAnswers = {missing_folder::kChooseFolder};
    prompts.folders.push_back(Folder("out"));
    EXPECT_EQ(CopySelectedToQuickPath(), 0);
    EXPECT_EQ(prompts.folderTitles, Strings{"Copy Style File(s)"});
    EXPECT_EQ(Names("out"), (Strings{"Beat.sty", "ZOLMOVE.SDE"}));
    EXPECT_TRUE(StatusShown("Copying files finished: 1 file copied"));
    // The chooser's Cancel ends it too.
    prompts.missingAnswers = {missing_folder::kChooseFolder};
    prompts.folders.push_back(std::nullopt);
    EXPECT_EQ(CopySelectedToQuickPath(), 0);
    EXPECT_EQ(prompts.missingDestinations.size(), 3u);
}

TEST(CopyMoveTexts, CountsWithTheirPluralsAndTheTrashQuestion) {
    std::vector<CopyMoveEntry> entries(5);
    entries[0].outcome = CopyMoveOutcome::Copied;
    entries[1].outcome = CopyMoveOutcome::Copied;
    entries[1].renamed = true;
    entries[2].outcome = CopyMoveOutcome::Skipped;
    entries[3].outcome = CopyMoveOutcome::SourceMissing;
    entries[4].outcome = CopyMoveOutcome::SkippedReadOnly;
    const CopyMoveCounts counts = CountCopyMoveEntries(entries);
    EXPECT_EQ(counts.done, 2);
    EXPECT_EQ(counts.skipped, 2);
    EXPECT_EQ(counts.renamed, 1);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_EQ(CopyMoveSummaryText(CopyMoveKind::Copy, false, counts),
              "Copying files finished: 2 files copied, 2 skipped, 1 renamed");
    EXPECT_EQ(CopyMoveSummaryText(CopyMoveKind::Move, true, {1, 0, 0, 1}),
              "Moving files aborted: 1 file moved, 1 failed");
    EXPECT_EQ(CopyMoveSummaryText(CopyMoveKind::Copy, false, {}),
              "Copying files finished: 0 files copied");

    EXPECT_EQ(TrashQuestionText(1, {"Song.sty"}, ""),
              "Move \"Song.sty\" to the trash?\n\nThey go to the desktop's trash; the file "
              "manager can restore them.");
    EXPECT_EQ(TrashQuestionText(5, {"a.sty", "b.sty", "c.sty"}, "/music/trash/"),
              "Move these 5 files to the trash?\n\na.sty\nb.sty\nc.sty\n...\n\nTrash folder: "
              "/music/trash/");
}

}  // namespace
}  // namespace kelvane::test
