#include <gtest/gtest.h>

#include <filesystem>

#include "scan/ScanTestEnv.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLImport.h"
#include "support/NUVStatus.h"
#include "support/ScopedEnv.h"

namespace kelvane {
namespace {

using test::AddSong;
using test::CrLf;
using test::MakeRecord;
using test::Text;

const std::string kImportHead =
    "V|5\r\nH|FILE_ID|STYLE_TYPE|AUTHOR|RANK|MY_RANK|CERTAINTY|"
    "ANALYSER|KBD_MODEL|\r\nI|FILE_ID|SONG_TITLE|GENRE|SONG_TITLE_R|"
    "SONG_STATUS|ARTIST|\r\n";

class ImportTest : public test::ScanTest {
  protected:
    void TearDown() override {
        records.ReleaseAll();
        test::ScanTest::TearDown();
    }
    StyleDataPacket* Add(const std::string& folder, const std::string& name, int fileId) {
        StyleDataPacket* record = MakeRecord(folder, name, fileId);
        record->SetNumber(kFieldAnalyser, 18);
        records.Append(record);
        return record;
    }
    StatusCode Import(const std::string& body, const RecordPredicate& shown = {},
                      const std::atomic<int>* abortFlag = nullptr) {
        const std::string path = dir.Write("import.txt", body);
        return ImportOneFile(path, records, shown, abortFlag);
    }
    RecordList records;
};

TEST_F(ImportTest, RecordWithTheSameFileIdFillsEveryMatchingRecordItShows) {
    StyleDataPacket* first = Add("/a/", "x.sty", 77);
    StyleDataPacket* copy = Add("/b/", "x copy.sty", 77);
    StyleDataPacket* hidden = Add("/c/", "x.sty", 77);
    StyleDataPacket* other = Add("/a/", "y.sty", 78);
    AssignStyleField(*copy, kFieldAuthor, "Kept");
    ASSERT_EQ(Import(kImportHead + "D|77||  Anna  |0|0|3|18|PSR|\r\n",
                     [hidden](const StyleDataPacket& r) { return &r != hidden; }),
              0);
    EXPECT_EQ(Text(*first, kFieldAuthor), "Anna");
    EXPECT_EQ(Text(*copy, kFieldAuthor), "Kept");
    EXPECT_EQ(Text(*first, kFieldKbdModel), "PSR");
    EXPECT_EQ(Text(*copy, kFieldKbdModel), "PSR");
    EXPECT_EQ(first->Number(kFieldCertainty), 3);
    EXPECT_EQ(first->changed, 1);
    EXPECT_EQ(copy->changed, 1);
    EXPECT_EQ(Text(*hidden, kFieldAuthor), "");
    EXPECT_EQ(hidden->changed, 0);
    EXPECT_EQ(other->changed, 0);
    EXPECT_EQ(ScanState().lastImportFile, dir.Folder() + "import.txt");
}

TEST_F(ImportTest, RankTakesTheGreaterRankThenTheGreaterMyRank) {
    StyleDataPacket* raised = Add("/a/", "1.sty", 1);
    raised->SetNumber(kFieldRank, 2);
    StyleDataPacket* kept = Add("/a/", "2.sty", 2);
    kept->SetNumber(kFieldRank, 4);
    kept->SetNumber(kFieldMyRank, 1);
    ASSERT_EQ(Import(kImportHead + "D|1|||3|5||18||\r\nD|2|||3|4||18||\r\n"), 0);
    EXPECT_EQ(raised->Number(kFieldRank), 5);
    EXPECT_EQ(raised->Number(kFieldMyRank), 0);
    EXPECT_EQ(kept->Number(kFieldRank), 4);
    EXPECT_EQ(kept->Number(kFieldMyRank), 1);
    EXPECT_EQ(kept->changed, 0);
}

TEST_F(ImportTest, GenreSetByHandReplacesAnAnalysedOneOnly) {
    StyleDataPacket* analysed = Add("/a/", "1.sty", 1);
    AssignStyleField(*analysed, kFieldStyleType, "Pop");
    StyleDataPacket* byHand = Add("/a/", "2.sty", 2);
    AssignStyleField(*byHand, kFieldStyleType, "Mine");
    byHand->SetNumber(kFieldAnalyser, -18);
    ASSERT_EQ(Import(kImportHead + "D|1|Jazz|||||-18||\r\nD|2|Jazz|||||-18||\r\n"
                                   "D|1|Rock|||||18||\r\n"),
              0);
    EXPECT_EQ(Text(*analysed, kFieldStyleType), "Jazz");
    EXPECT_EQ(analysed->Number(kFieldAnalyser), -18);
    EXPECT_EQ(Text(*byHand, kFieldStyleType), "Mine");
}

TEST_F(ImportTest, SongsMergeByTitleAndUnmatchedOnesAreAddedAsNotInStyleFile) {
    StyleDataPacket* target = Add("/a/", "1.sty", 1);
    SongDataPacket* inFile = AddSong(*target, "Yesterday");
    SongDataPacket* added = AddSong(*target, "Help", kSongStatusNotInStyleFile);
    ASSERT_EQ(Import(kImportHead + "D|1|\r\n"
                                   "S|1| yesterday |Ballad|Real Y|1|Artist Y|\r\n"
                                   "S|1|HELP|Rock||2|Artist H|\r\n"
                                   "S|1|New One|Jazz||1||\r\n"),
              0);
    // Only the values the style file does not hold are taken for a song in the file.
    EXPECT_EQ(Text(*inFile, kSongFieldGenre), "");
    EXPECT_EQ(Text(*inFile, kSongFieldRealTitle), "Real Y");
    EXPECT_EQ(Text(*inFile, kSongFieldArtist), "Artist Y");
    EXPECT_EQ(Text(*added, kSongFieldGenre), "Rock");
    ASSERT_EQ(target->songs.size(), 3u);
    const SongDataPacket& fresh = *target->songs[2];
    EXPECT_EQ(Text(fresh, kSongFieldTitle), "New One");
    EXPECT_EQ(Text(fresh, kSongFieldGenre), "Jazz");
    EXPECT_EQ(fresh.Status(), kSongStatusNotInStyleFile);
    EXPECT_EQ(fresh.parent, target);
    EXPECT_EQ(target->changed, 1);
}

TEST_F(ImportTest, ModeTwoSetsRealTitlesOfSongsWithTheSameTitle) {
    StyleDataPacket* a = Add("/a/", "1.sty", 1);
    SongDataPacket* song = AddSong(*a, " Let It Be ");
    SongDataPacket* untitled = AddSong(*a, "");
    StyleDataPacket* b = Add("/a/", "2.sty", 2);
    AddSong(*b, "Other");
    ASSERT_EQ(Import("V|5\r\nM|2\r\nH|FILE_ID|\r\nI|FILE_ID|SONG_TITLE|SONG_TITLE_R|\r\n"
                     "D|999|\r\nS|999|let it be| Let It Be (Remastered) |\r\nS|999||nameless|\r\n"),
              0);
    EXPECT_EQ(Text(*song, kSongFieldRealTitle), "Let It Be (Remastered)");
    EXPECT_EQ(Text(*untitled, kSongFieldRealTitle), "");
    EXPECT_EQ(a->changed, 1);
    EXPECT_EQ(b->changed, 0);
}

TEST_F(ImportTest, FileOfVersionFourOrWithoutVersionChangesNothing) {
    StyleDataPacket* target = Add("/a/", "1.sty", 1);
    for (const std::string head : {"V|4\r\n", ""}) {
        EXPECT_EQ(Import(head + "H|FILE_ID|AUTHOR|\r\nD|1|Someone|\r\n"), 0);
        EXPECT_EQ(Text(*target, kFieldAuthor), "");
        EXPECT_EQ(target->changed, 0);
    }
    EXPECT_TRUE(
        sink.BoxContains("File will be skipped.\nThe version of the import file is too "
                         "old. " +
                         dir.Folder() + "import.txt 4 5 "));
}

TEST_F(ImportTest, AbortStopsBeforeTheNextRecord) {
    StyleDataPacket* target = Add("/a/", "1.sty", 1);
    std::atomic<int> abort{1};
    EXPECT_EQ(Import(kImportHead + "D|1||Someone|\r\n", {}, &abort), status::kAbortedByUser);
    EXPECT_EQ(Text(*target, kFieldAuthor), "");
}

TEST_F(ImportTest, ImportStyleDataRewritesTheDataFilesOfChangedFolders) {
    const std::string folder = dir.Folder() + "lib/";
    std::filesystem::create_directories(folder);
    Add(folder, "1.sty", 1);
    const std::string path = dir.Write("in.txt", kImportHead + "D|1||Ann|\r\n");
    ASSERT_EQ(ImportStyleData(path, records, {}), 0);
    EXPECT_EQ(panes.Last(0), "Importing style data - finished");
    RecordList back;
    ASSERT_EQ(ProcessStyleDataFile(folder + "ZOL.SDB", folder, back), 0);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(Text(*back[0], kFieldAuthor), "Ann");
    back.ReleaseAll();
    EXPECT_EQ(records[0]->changed, 0);
}

TEST_F(ImportTest, ImportStyleDataReportsADamagedFile) {
    Add("/a/", "1.sty", 1);
    const std::string path = dir.Write("in.txt", kImportHead + "Q|1|\r\n");
    EXPECT_EQ(ImportStyleData(path, records, {}), status::kUnknownLineType);
    EXPECT_TRUE(sink.BoxContains("Error during import file. Error Nr.:  -10375"));
    EXPECT_EQ(panes.Last(0), "Importing style data - finished with error");
    ExpectProgramGoesOn();
}

TEST_F(ImportTest, MultipleFilesAndDefaultFilesOfTheProgramFolder) {
    StyleDataPacket* target = Add(dir.Folder(), "1.sty", 1);
    test::TempDir home;
    test::ScopedEnv programFolder("KELVANE_HOME", home.Folder());
    home.Write("dd_import_sty_a.txt", kImportHead + "D|1||Ann|\r\n");
    home.Write("dd_import_sty_b.txt", kImportHead + "D|1||Bob|3|\r\n");
    home.Write("dd_import_midi_c.txt", kImportHead + "D|1||||9|\r\n");
    EXPECT_EQ(ImportDefaultDataFiles(records, {}), 0);
    EXPECT_FALSE(Text(*target, kFieldAuthor).empty());
    EXPECT_EQ(target->Number(kFieldRank), 3);
    EXPECT_TRUE(sink.BoxContains("Default data files imported."));
    EXPECT_EQ(panes.Last(0), "Importing style data - finished");

    EXPECT_EQ(ImportMultipleStyleDataFiles(home.Folder() + "nothing_*.txt", records, {}), 0);

    home.Write("dd_import_sty_c.txt", "garbage\r\n");
    EXPECT_EQ(ImportDefaultDataFiles(records, {}), status::kUnknownLineType);
    EXPECT_TRUE(sink.BoxContains("Error occured during import default data files."));
    ExpectProgramGoesOn();
}

TEST_F(ImportTest, SuppliedExampleFileImportsWithoutChangingAnything) {
    StyleDataPacket* target = Add(dir.Folder(), "1.sty", 1);
    const std::string example = (test::SourceDir() / "data/dd_import_sty_example.txt").string();
    ASSERT_TRUE(std::filesystem::exists(example));
    EXPECT_EQ(ImportOneFile(example, records, {}), 0);
    EXPECT_EQ(target->changed, 0);
    EXPECT_TRUE(sink.boxes.empty());
}

}  // namespace
}  // namespace kelvane
