#include <gtest/gtest.h>

#include <cstdio>

#include "analysis/ZOLGenre.h"
#include "analysis/ZOLStyleFile.h"
#include "fileops/FileOpsTestEnv.h"
#include "fileops/ZOLMdbWriter.h"
#include "support/FaultPoints.h"
#include "support/StyleFileBuilder.h"

namespace kelvane::test {
namespace {

using Strings = std::vector<std::string>;

StyleFileBuilder Style() {
    return StyleFileBuilder(StyleMidi({"SFF1", "SInt", "Main A"}));
}

struct SongValues {
    std::string title;
    std::string genre;
    std::string keyword1;
    std::string keyword2;
    int tempo = 120;
    std::string timeSig = "4/4";
    std::string realTitle;
    std::string artist;
    int status = kSongStatusNotInStyleFile;
};

class MdbWriterTest : public FileOpsTest {
  protected:
    void TearDown() override {
        ClearSearchTags();
        FileOpsTest::TearDown();
    }
    // The file in tree/, analysed into a record of the store (songs read with status 1).
    StyleDataPacket* Analysed(const std::string& name, const std::string& bytes) {
        const std::string path = File("tree/" + name, bytes);
        StyleDataPacket* record = NewStyleRecord();
        EXPECT_EQ(AnalyseFile(*record, path, name), 0);
        RecordStore().records.Append(record);
        return record;
    }
    SongDataPacket* AddSong(StyleDataPacket* record, const SongValues& layout) {
        SongDataPacket* song = NewSongRecord();
        AssignSongField(*song, kSongFieldTitle, layout.title);
        AssignSongField(*song, kSongFieldGenre, layout.genre);
        AssignSongField(*song, kSongFieldKeyword1, layout.keyword1);
        AssignSongField(*song, kSongFieldKeyword2, layout.keyword2);
        AssignSongField(*song, kSongFieldTimeSig, layout.timeSig);
        AssignSongField(*song, kSongFieldRealTitle, layout.realTitle);
        AssignSongField(*song, kSongFieldArtist, layout.artist);
        song->SetNumber(kSongFieldTempo, layout.tempo);
        song->SetNumber(kSongFieldStatus, layout.status);
        AppendSong(*record, song);
        return song;
    }
    // The section bytes WriteMdbSection writes for the record's songs.
    std::string SectionBytes(const StyleDataPacket* record) {
        const std::string path = dir.Folder() + "section.bin";
        FileHandle file = FileOpen(path, kFileBinary, kFileModeWrite);
        EXPECT_EQ(WriteMdbSection(record->songs, file), 0);
        FileClose(file);
        return ReadFileBytes(path);
    }
    Strings Titles(const StyleDataPacket* record) {
        Strings titles;
        for (const SongDataPacket* song : record->songs) {
            titles.emplace_back(song->Text(kSongFieldTitle));
        }
        return titles;
    }
};

TEST_F(MdbWriterTest, SectionBytesFollowTheRecordLayout) {
    StyleDataPacket* record = Analysed("A.sty", Style().Bytes());
    AddSong(record, {"Yesterday", "Pop", "sad", "60s", 100, "3/4"});
    AddSong(record, {"Xyz", "", "", "", 0, "", "Abc"});  // tempo 0, no time signature
    AddSong(record, {"Odd", "G", "", "", 1, "x/y"});     // too fast for 24 bits, bad signature
    const std::string expected = StyleFileBuilder()
                                     .Mdb({{.tempo = 600000,
                                            .numerator = 3,
                                            .denominator = 4,
                                            .title = "Yesterday",
                                            .genre = "Pop",
                                            .keyword1 = "sad",
                                            .keyword2 = "60s"},
                                           {.tempo = 500000, .title = "Abc"},
                                           {.tempo = 0xFFFFFF, .title = "Odd", .genre = "G"}})
                                     .Bytes();
    EXPECT_EQ(SectionBytes(record), expected);
    EXPECT_EQ(Titles(record), (Strings{"Yesterday", "Abc", "Odd"}));  // the real title took over
    record->songs.clear();
    EXPECT_EQ(SectionBytes(record), "");
}

TEST_F(MdbWriterTest, TimeSignatureTextIsParsedWithinBounds) {
    StyleDataPacket* record = Analysed("A.sty", Style().Bytes());
    // Numbers beyond an int, a missing second number, blanks as "%d" allows, a signature
    // followed by text.
    for (const char* text : {"99999999999999999999/4", "6/", " 6/ 8", "12/8 swing", "6 /8"}) {
        AddSong(record, {"T", "", "", "", 100, text});
    }
    StyleFileBuilder builder;
    builder.Mdb({{.tempo = 600000, .numerator = 4, .denominator = 4, .title = "T"},
                 {.tempo = 600000, .numerator = 4, .denominator = 4, .title = "T"},
                 {.tempo = 600000, .numerator = 6, .denominator = 8, .title = "T"},
                 {.tempo = 600000, .numerator = 12, .denominator = 8, .title = "T"},
                 {.tempo = 600000, .numerator = 4, .denominator = 4, .title = "T"}});
    EXPECT_EQ(SectionBytes(record), builder.Bytes());
}

TEST_F(MdbWriterTest, RewriteKeepsEverythingBeforeTheSectionAndReadsTheSongsBack) {
    StyleFileBuilder style = Style();
    style.Casm(std::string(40, 'c')).Ots(3).Mdb({{.title = "Old"}, {.title = "Gone"}});
    const std::string before = style.Bytes();
    const size_t sectionStart = style.Offsets().back();
    StyleDataPacket* record = Analysed("A.sty", before);
    ASSERT_EQ(Titles(record), (Strings{"Old", "Gone"}));
    RemoveSong(*record, record->songs.back());
    record->songs.front()->SetNumber(kSongFieldTempo, 90);
    record->songs.front()->SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
    AssignSongField(*record->songs.front(), kSongFieldArtist, "Smith");
    AddSong(record, {"New", "Rock", "k1", "k2", 140, "6/8"});
    record->mdbChanged = 1;
    const int32_t oldId = record->Number(kFieldFileId);

    ASSERT_EQ(WriteMdbOfRecord(*record), 0);
    const std::string after = Read("tree/A.sty");
    EXPECT_EQ(after.substr(0, sectionStart), before.substr(0, sectionStart));
    EXPECT_EQ(after.substr(sectionStart), StyleFileBuilder()
                                              .Mdb({{.tempo = 666666, .title = "Old"},
                                                    {.tempo = 428571,
                                                     .numerator = 6,
                                                     .denominator = 8,
                                                     .title = "New",
                                                     .genre = "Rock",
                                                     .keyword1 = "k1",
                                                     .keyword2 = "k2"}})
                                              .Bytes());
    EXPECT_EQ(Titles(record), (Strings{"Old", "New"}));
    for (const SongDataPacket* song : record->songs) {
        EXPECT_EQ(song->Status(), kSongStatusInStyleFile);
    }
    EXPECT_EQ(record->songs.front()->Text(kSongFieldArtist), "Smith");
    EXPECT_EQ(record->mdbChanged, 0);
    EXPECT_NE(record->Number(kFieldFileId), oldId);
    EXPECT_EQ(record->Number(kFieldFilesize), static_cast<int32_t>(after.size()));
    EXPECT_EQ(record->changed, 0);  // written to the data file
    EXPECT_EQ(DataFileAuthors("tree").count("A.sty"), 1u);
    ExpectNoLeftovers("tree");
    // Written once, the file is up to date and is not touched again.
    EXPECT_EQ(WriteMdbOfRecord(*record), status::kMdbUpToDate);
}

TEST_F(MdbWriterTest, SectionsAfterTheMusicFinderSectionStay) {
    StyleFileBuilder style = Style();
    style.Mdb({{.title = "One"}}).Mhtr("tail bytes");
    StyleDataPacket* record = Analysed("A.sty", style.Bytes());
    record->mdbChanged = 1;
    ASSERT_EQ(WriteMdbOfRecord(*record), 0);
    StyleFileBuilder expected = Style();
    expected.Mdb({{.tempo = 500000, .title = "One"}}).Mhtr("tail bytes");
    EXPECT_EQ(Read("tree/A.sty"), expected.Bytes());
}

TEST_F(MdbWriterTest, AFileWithoutSectionGetsOneAndAFileWithoutSongsLosesIt) {
    const std::string plain = Style().Casm("casm").Bytes();
    StyleDataPacket* record = Analysed("A.sty", plain);
    AddSong(record, {"Added", "Jazz"});
    ASSERT_EQ(WriteMdbOfRecord(*record), 0);
    EXPECT_EQ(
        Read("tree/A.sty"),
        plain +
            StyleFileBuilder().Mdb({{.tempo = 500000, .title = "Added", .genre = "Jazz"}}).Bytes());
    RemoveSong(*record, record->songs.front());
    record->mdbChanged = 1;
    ASSERT_EQ(WriteMdbOfRecord(*record), 0);
    EXPECT_EQ(Read("tree/A.sty"), plain);
    EXPECT_EQ(record->Text(kFieldMdb), "N");
    EXPECT_EQ(record->mdbChanged, 0);
}

TEST_F(MdbWriterTest, SongsOfTheSameTitleKeepTheirOwnValues) {
    StyleDataPacket* record = Analysed("A.sty", Style().Bytes());
    AddSong(record, {"Yesterday", "Pop"});
    AddSong(record, {"yesterday", "Jazz"});
    ASSERT_EQ(WriteMdbOfRecord(*record), 0);
    ASSERT_EQ(record->songs.size(), 2u);
    EXPECT_EQ(record->songs[0]->Text(kSongFieldGenre), "Pop");
    EXPECT_EQ(record->songs[1]->Text(kSongFieldGenre), "Jazz");
}

TEST_F(MdbWriterTest, EveryFailingStepLeavesTheOriginalFile) {
    StyleFileBuilder style = Style();
    style.Casm("c").Mdb({{.title = "Old"}}).Mhtr("t");
    const std::string original = style.Bytes();
    for (FaultPoint step :
         {FaultPoint::MdbCreateTemp, FaultPoint::MdbOpenStyleFile, FaultPoint::MdbCopyHead,
          FaultPoint::MdbWriteSection, FaultPoint::MdbCopyTail, FaultPoint::MdbCloseTemp,
          FaultPoint::MdbRenameAway, FaultPoint::MdbRenameIn}) {
        SCOPED_TRACE(static_cast<int>(step));
        FreeRecordStore();
        ASSERT_EQ(InitRecordStore(), 0);
        StyleDataPacket* record = Analysed("A.sty", original);
        AddSong(record, {"New"});
        ArmedFault fails(step);
        EXPECT_NE(WriteMdbOfRecord(*record), 0);
        EXPECT_EQ(Read("tree/A.sty"), original);
        EXPECT_EQ(Names("tree"), Strings{"A.sty"});
        EXPECT_EQ(record->songs.back()->Status(), kSongStatusNotInStyleFile);
        EXPECT_TRUE(sink.BoxContains("Error writing mdb records - Error nr: "));
    }
}

TEST_F(MdbWriterTest, DamagedFilesAreNotRewritten) {
    const std::string damaged = Style().Mdb({{.title = "Old"}}, 5).Bytes();  // length disagrees
    StyleDataPacket* record = Analysed("A.sty", damaged);
    AddSong(record, {"New"});
    EXPECT_EQ(WriteMdbIntoFile(*record), status::kMdbSectionsUnknown);
    EXPECT_EQ(Read("tree/A.sty"), damaged);
}

TEST_F(MdbWriterTest, BatchCountsUpdatedUpToDateAndNotUpdated) {
    // The read-only file comes first: the run goes on after it.
    StyleDataPacket* locked = Analysed("A.sty", Style().Bytes());
    AddSong(locked, {"New"});
    std::filesystem::permissions(dir.Path() / "tree/A.sty", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const std::string lockedBytes = Read("tree/A.sty");
    StyleDataPacket* fresh = Analysed("B.sty", Style().Mdb({{.title = "x"}}).Bytes());
    StyleDataPacket* changed = Analysed("C.sty", Style().Bytes());
    AddSong(changed, {"New"});
    ASSERT_EQ(fresh->songs.size(), 1u);

    ShowRows();
    EXPECT_FALSE(WriteMdbRecordsOfSelectedStyles().ran);
    EXPECT_EQ(dialogs.texts.back(),
              "Please select one or more styles to be updated\n\n(Note: You can use Ctrl-A to "
              "select all styles)");
    Select({});
    EXPECT_FALSE(WriteMdbRecordsOfSelectedStyles().ran);  // the question defaults to No
    EXPECT_EQ(Read("tree/C.sty"), Style().Bytes());

    dialogs.answers = {BoxAnswer::Yes};
    const MdbWriteSummary summary = WriteMdbRecordsOfSelectedStyles();
    EXPECT_TRUE(summary.ran);
    EXPECT_EQ(summary.status, 0);
    EXPECT_EQ(
        (std::vector{summary.processed, summary.updated, summary.upToDate, summary.notUpdated}),
        (std::vector{3, 1, 1, 1}));
    EXPECT_EQ(dialogs.texts.back(),
              "3 style files processed in total\n\n1 style file has been updated\n1 style file "
              "was up-to-date\n1 style file has not been updated, as it is write protected "
              "or no space is left on the device");
    EXPECT_EQ(dialogs.icons.back(), BoxIcon::Information);
    EXPECT_EQ(Read("tree/A.sty"), lockedBytes);
    EXPECT_NE(Read("tree/C.sty"), Style().Bytes());
}

TEST_F(MdbWriterTest, BatchGoesOnPastADamagedFileAndCountsItFailed) {
    const std::string damaged = Style().Mdb({{.title = "Old"}}, 5).Bytes();
    AddSong(Analysed("A.sty", damaged), {"New"});
    AddSong(Analysed("B.sty", Style().Bytes()), {"New"});
    ShowRows();
    Select({});
    dialogs.answers = {BoxAnswer::Yes};
    const MdbWriteSummary summary = WriteMdbRecordsOfSelectedStyles();
    EXPECT_EQ(summary.status, 0);
    EXPECT_EQ((std::vector{summary.processed, summary.updated, summary.failed}),
              (std::vector{2, 1, 1}));
    EXPECT_TRUE(sink.BoxContains("Error writing mdb records - Error nr: "));
    EXPECT_TRUE(sink.BoxContains(" -10311 " + dir.Folder() + "tree/A.sty"));
    EXPECT_EQ(Read("tree/A.sty"), damaged);
    EXPECT_NE(Read("tree/B.sty"), Style().Bytes());
    EXPECT_NE(dialogs.texts.back().find(
                  "device\n1 style file could not be written and was left as it was"),
              std::string::npos);
}

TEST_F(MdbWriterTest, NothingHappensInTheSongList) {
    StyleDataPacket* record = Analysed("A.sty", Style().Bytes());
    AddSong(record, {"New"});
    ListViewMgr().SetViewMode(Songs);
    Select({});
    dialogs.answers = {BoxAnswer::Yes};
    EXPECT_FALSE(WriteMdbRecordsOfSelectedStyles().ran);
    EXPECT_TRUE(dialogs.texts.empty());
}

}  // namespace
}  // namespace kelvane::test
