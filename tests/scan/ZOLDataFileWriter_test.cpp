#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "scan/ScanTestEnv.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLDataFileWriter.h"
#include "support/FaultPoints.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

using test::AddSong;
using test::CrLf;
using test::MakeRecord;
using test::Text;

const std::string kStyleHeader =
    "H|FILE_ID|L_PATH|L_FILENAME|FILESIZE|TEMPO|STYLE_NAME|STYLE_TYPE|STYLE_SUBTYPE|CERTAINTY|"
    "AUTHOR|AUX|TIME_SIG|RANK|MY_RANK|COPYRIGHT|ANALYSER|ERRORS|FILEDATE|FILEDATE_U|FILEDATE_L|"
    "TIMEBASE|ORIG_MODEL|KBD_MODEL|VARIATIONS|CASM|OTS|MDB|STYLEFILE_TYPE|DUPLICATES|RELATED_ID|"
    "USAGE|SFF|";
const std::string kSongHeader =
    "I|FILE_ID|SONG_TITLE|GENRE|KEYWORD1|KEYWORD2|TEMPO|TIME_SIG|SONG_TITLE_R|SONG_TITLE_NAT|"
    "SONG_STATUS|ARTIST|";

// The names in a folder, without the test's own files.
std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class DataFileWriterTest : public test::ScanTest {
  protected:
    void TearDown() override {
        records.ReleaseAll();
        readBack.ReleaseAll();
        test::ScanTest::TearDown();
    }
    StyleDataPacket* Add(const std::string& folder, const std::string& name, int fileId) {
        StyleDataPacket* record = MakeRecord(folder, name, fileId);
        records.Append(record);
        return record;
    }
    StatusCode ReadBack(const std::string& path, const std::string& folder) {
        readBack.ReleaseAll();
        return ProcessStyleDataFile(path, folder, readBack);
    }
    RecordList records;
    RecordList readBack;
};

TEST_F(DataFileWriterTest, StyleModeFileHoldsTheseExactBytes) {
    StyleDataPacket* r = Add(dir.Folder(), "Pop.sty", -123456);
    r->SetNumber(kFieldFilesize, 4096);
    r->SetNumber(kFieldTempo, 120);
    AssignStyleField(*r, kFieldStyleName, "Pop|Ballad");
    AssignStyleField(*r, kFieldStyleType, "Pop");
    AssignStyleField(*r, kFieldAuthor, "Ann\tB\x01");
    AssignStyleField(*r, kFieldTimeSig, "4/4");
    r->SetNumber(kFieldAnalyser, 18);
    AssignStyleField(*r, kFieldErrors, "-");
    r->SetDateText("2021-03-04 05:06");
    r->SetNumber(kFieldFiledateU, 30000000);
    r->SetNumber(kFieldFiledateL, -5);
    AssignStyleField(*r, kFieldCasm, "Y");
    r->SetNumber(kFieldRelatedId, 77);
    r->SetNumber(kFieldSff, 2);
    SongDataPacket* song = AddSong(*r, "Yesterday");
    AssignSongField(*song, kSongFieldGenre, "Ballad");
    song->SetNumber(kSongFieldTempo, 96);
    AssignSongField(*song, kSongFieldArtist, "The B|and");
    r->changed = 1;

    const std::string path = dir.Folder() + "ZOL.SDB";
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    // One value per written field, in id order (the three UNUSED fields are left out).
    const std::vector<std::string> values = {
        "-123456",  dir.Folder(), "Pop.sty", "4096",    "120",     "Pop Ballad",
        "Pop",      "",           "0",       "Ann\tB ", "",        "4/4",
        "0",        "0",          "",        "18",      "-",       "2021-03-04 05:06",
        "30000000", "-5",         "0",       "",        "",        "",
        "Y",        "",           "",        "",        "-123456", "77",
        "",         "2"};
    std::string data = "D|";
    for (const std::string& value : values) {
        data += value + "|";
    }
    const std::string songLine = "S|-123456|Yesterday|Ballad|||96||||1|The B and|";
    EXPECT_EQ(dir.Read("ZOL.SDB"),
              CrLf({"V|5", "P|" + path, kStyleHeader, kSongHeader, data, songLine}));
    EXPECT_EQ(r->changed, 0);
    ExpectProgramGoesOn();
}

TEST_F(DataFileWriterTest, MidiModeFileHasNoSongHeaderAndNoSongs) {
    Start(kRunModeMidi);
    StyleDataPacket* r = Add(dir.Folder(), "a.mid", 5);
    AssignStyleField(*r, kFieldSong, "Tune");
    AddSong(*r, "ignored");
    const std::string path = dir.Folder() + "ZOLMIDI.SDB";
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    const std::string text = dir.Read("ZOLMIDI.SDB");
    EXPECT_EQ(text.find("\r\nI|"), std::string::npos);
    EXPECT_EQ(text.find("\r\nS|"), std::string::npos);
    EXPECT_NE(text.find("\r\nH|FILE_ID|L_PATH|L_FILENAME|FILESIZE|TEMPO|MIDI_INFO|SONG|ARTIST|"),
              std::string::npos);
    ASSERT_EQ(ReadBack(path, dir.Folder()), 0);
    ASSERT_EQ(readBack.size(), 1u);
    EXPECT_EQ(Text(*readBack[0], kFieldSong), "Tune");
}

TEST_F(DataFileWriterTest, ValuesSurviveTheRoundTripExceptSeparatorsAndLeadingBlanks) {
    StyleDataPacket* r = Add("/elsewhere/", "x.sty", 42);
    AssignStyleField(*r, kFieldStyleName, "  A|B  ");
    AssignStyleField(*r, kFieldAuthor, std::string("line\r\nbreak\x7f\xff", 13));
    AssignStyleField(*r, kFieldCasm, "|");
    r->SetNumber(kFieldAnalyser, -18);
    r->SetDateText("1999-12-31 23:59");
    SongDataPacket* song = AddSong(*r, "Hey Jude", kSongStatusNotInStyleFile);
    AssignSongField(*song, kSongFieldRealTitle, "Hey  Jude ");
    const std::string path = dir.Folder() + "ZOL.SDB";
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    ASSERT_EQ(ReadBack(path, dir.Folder()), 0);
    ASSERT_EQ(readBack.size(), 1u);
    const StyleDataPacket& back = *readBack[0];
    EXPECT_EQ(Text(back, kFieldPath), dir.Folder());
    EXPECT_EQ(Text(back, kFieldFilename), "x.sty");
    EXPECT_EQ(Text(back, kFieldStyleName), "A B  ");
    EXPECT_EQ(Text(back, kFieldAuthor), "line  break  ");
    EXPECT_EQ(Text(back, kFieldCasm), "");
    EXPECT_EQ(back.Number(kFieldAnalyser), -18);
    EXPECT_EQ(back.Number(kFieldDuplicates), 42);
    EXPECT_EQ(Text(back, kFieldFiledate), "1999-12-31 23:59");
    ASSERT_EQ(back.songs.size(), 1u);
    EXPECT_EQ(Text(*back.songs[0], kSongFieldRealTitle), "Hey  Jude ");
    EXPECT_EQ(back.songs[0]->Status(), kSongStatusNotInStyleFile);
}

TEST_F(DataFileWriterTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    const std::string old = CrLf({"V|5", "P|old", "H|FILE_ID|", "D|1|"});
    const std::string path = dir.Write("ZOL.SDB", old);
    for (int i = 0; i < 30; ++i) {
        StyleDataPacket* r = Add(dir.Folder(), "f" + std::to_string(i) + ".sty", i);
        AddSong(*r, "song");
        r->changed = 1;
    }
    records[3]->removed = 1;
    // Version, path, headers, then the tenth line fails.
    ArmedFault full(FaultPoint::AtomicFileWrite, 10);
    EXPECT_EQ(WriteStyleDataFile(path, path, records), status::kDataFileWrite);
    EXPECT_EQ(dir.Read("ZOL.SDB"), old);
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"ZOL.SDB"});
    EXPECT_TRUE(sink.BoxContains("Error writing to zolfile " + path));
    // Nothing was lost: every change is still pending, the removed record still listed.
    EXPECT_EQ(records.size(), 30u);
    EXPECT_EQ(records[0]->changed, 1);

    full.Disarm();
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    EXPECT_EQ(records.size(), 29u);
    EXPECT_EQ(records[0]->changed, 0);
    ASSERT_EQ(ReadBack(path, dir.Folder()), 0);
    EXPECT_EQ(readBack.size(), 29u);
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"ZOL.SDB"});
}

TEST_F(DataFileWriterTest, ReplacedFileLosesItsReadOnlyMarkAndFolderMustBeWritable) {
    const std::string path = dir.Write("ZOL.SDB", "old\r\n");
    chmod(path.c_str(), 0444);
    Add(dir.Folder(), "a.sty", 1);
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_NE(info.st_mode & S_IWUSR, 0u);

    const std::string missing = dir.Folder() + "no/such/folder/ZOL.SDB";
    EXPECT_EQ(WriteStyleDataFile(missing, missing, records), status::kDataFileOpenForWrite);
    EXPECT_TRUE(sink.BoxContains("Unable to open data file for write"));
    EXPECT_TRUE(sink.BoxContains(missing + " -10380"));
}

TEST_F(DataFileWriterTest, NoRecordToWriteDeletesTheFile) {
    const std::string path = dir.Write("ZOL.SDB", "old\r\n");
    EXPECT_EQ(WriteStyleDataFile(path, path, records), 0);
    EXPECT_FALSE(std::filesystem::exists(path));

    dir.Write("ZOL.SDB", "old\r\n");
    Add(dir.Folder(), "a.sty", 1)->removed = 1;
    Add(dir.Folder(), "b.sty", 2)->removed = 1;
    EXPECT_EQ(WriteStyleDataFile(path, path, records), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(FolderNames(dir.Path()).size(), 0u);
}

TEST_F(DataFileWriterTest, AppendCreatesThenExtendsWithOneBlockPerCall) {
    const std::string path = dir.Folder() + "ZOLMOVE.SDE";
    Add("/from/", "a.sty", 1);
    ASSERT_EQ(AppendToStyleDataFile(path, records), 0);
    const std::string first = dir.Read("ZOLMOVE.SDE");
    EXPECT_EQ(first.rfind("V|5\r\nP|Dummy\r\nH|", 0), 0u);
    records.ReleaseAll();
    Add("/from/", "b.sty", 2);
    ASSERT_EQ(AppendToStyleDataFile(path, records), 0);
    const std::string both = dir.Read("ZOLMOVE.SDE");
    EXPECT_EQ(both.substr(0, first.size()), first);
    ASSERT_EQ(ReadBack(path, dir.Folder()), 0);
    ASSERT_EQ(readBack.size(), 2u);
    EXPECT_EQ(Text(*readBack[1], kFieldFilename), "b.sty");

    // A failed append keeps the earlier blocks.
    ArmedFault full(FaultPoint::AtomicFileWrite, 2);
    EXPECT_EQ(AppendToStyleDataFile(path, records), status::kDataFileWrite);
    EXPECT_EQ(dir.Read("ZOLMOVE.SDE"), both);
}

TEST_F(DataFileWriterTest, UpdateRewritesOnlyFoldersWithMarkedRecords) {
    const std::string a = dir.Folder() + "A/";
    const std::string lowerA = dir.Folder() + "a/";
    const std::string b = dir.Folder() + "B/";
    const std::string c = dir.Folder() + "C/";
    for (const std::string& folder : {a, lowerA, b, c}) {
        std::filesystem::create_directories(folder);
    }
    dir.Write("C/ZOL.SDB", "untouched\r\n");
    dir.Write("a/ZOL.SDB", "untouched\r\n");
    Add(a, "1.sty", 1);
    Add(lowerA, "2.sty", 2);
    Add(b, "3.sty", 3)->removed = 1;
    Add(c, "4.sty", 4);
    Add(a, "5.sty", 5)->changed = 1;
    Add(b, "6.sty", 6);
    ASSERT_EQ(UpdateStyleDataFiles(records), 0);

    ASSERT_EQ(ReadBack(a + "ZOL.SDB", a), 0);
    ASSERT_EQ(readBack.size(), 2u);
    EXPECT_EQ(Text(*readBack[0], kFieldFilename), "1.sty");
    EXPECT_EQ(Text(*readBack[1], kFieldFilename), "5.sty");
    ASSERT_EQ(ReadBack(b + "ZOL.SDB", b), 0);
    ASSERT_EQ(readBack.size(), 1u);
    EXPECT_EQ(Text(*readBack[0], kFieldFilename), "6.sty");
    // Folders differing only in case are different folders here.
    EXPECT_EQ(dir.Read("a/ZOL.SDB"), "untouched\r\n");
    EXPECT_EQ(dir.Read("C/ZOL.SDB"), "untouched\r\n");
    EXPECT_EQ(records.size(), 5u);
    for (const StyleDataPacket* record : records) {
        EXPECT_EQ(record->changed, 0);
    }
}

TEST_F(DataFileWriterTest, UpdateStopsAtTheFirstFailure) {
    Add(dir.Folder() + "gone/", "1.sty", 1)->changed = 1;
    Add(dir.Folder(), "2.sty", 2)->changed = 1;
    EXPECT_EQ(UpdateStyleDataFiles(records), status::kDataFileOpenForWrite);
    EXPECT_FALSE(std::filesystem::exists(dir.Folder() + "ZOL.SDB"));
    EXPECT_EQ(records[1]->changed, 1);
}

TEST_F(DataFileWriterTest, DisabledWritingTouchesNothingAndUpdateStillEnds) {
    ScanState().writingDisabled = 1;
    const std::string path = dir.Write("ZOL.SDB", "old\r\n");
    Add(dir.Folder(), "1.sty", 1)->changed = 1;
    Add(dir.Folder() + "x/", "2.sty", 2)->removed = 1;
    EXPECT_EQ(UpdateStyleDataFiles(records), 0);
    EXPECT_EQ(WriteStyleDataFile(path, path, records), 0);
    EXPECT_EQ(AppendToStyleDataFile(path, records), 0);
    EXPECT_EQ(dir.Read("ZOL.SDB"), "old\r\n");
    EXPECT_EQ(records[0]->changed, 1);
}

TEST_F(DataFileWriterTest, ForeignFieldsHoldTheAnalyserVersionAtOurs) {
    Add(dir.Folder(), "1.sty", 1)->SetNumber(kFieldAnalyser, 25);
    Add(dir.Folder(), "2.sty", 2)->SetNumber(kFieldAnalyser, -30);
    Add(dir.Folder(), "3.sty", 3)->SetNumber(kFieldAnalyser, 17);
    const std::string path = dir.Folder() + "ZOL.SDB";
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    EXPECT_EQ(records[0]->Number(kFieldAnalyser), 25);

    ScanState().foreignFields = 1;
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    ASSERT_EQ(ReadBack(path, dir.Folder()), 0);
    EXPECT_EQ(readBack[0]->Number(kFieldAnalyser), 18);
    EXPECT_EQ(readBack[1]->Number(kFieldAnalyser), -18);
    EXPECT_EQ(readBack[2]->Number(kFieldAnalyser), 17);
}

TEST_F(DataFileWriterTest, RootRestrictionWithAndWithoutSubtree) {
    const std::string root = "/t/Styles";
    Add("/t/Styles/", "1.sty", 1);
    Add("/t/Styles/Sub/", "2.sty", 2);
    Add("/t/StylesOld/", "3.sty", 3);
    Add("/t/styles/", "4.sty", 4);
    const std::string path = dir.Folder() + "out.SDB";
    ASSERT_EQ(WriteDataFileCore(path, "/t/Styles/", records, 1, DataFileSwitches(), &root, true),
              0);
    ASSERT_EQ(ReadBack(path, "/r/"), 0);
    ASSERT_EQ(readBack.size(), 2u);
    EXPECT_EQ(readBack[1]->Number(kFieldFileId), 2);
    ASSERT_EQ(WriteDataFileCore(path, "/t/Styles/", records, 1, DataFileSwitches(), &root, false),
              0);
    ASSERT_EQ(ReadBack(path, "/r/"), 0);
    ASSERT_EQ(readBack.size(), 1u);
    EXPECT_EQ(readBack[0]->Number(kFieldFileId), 1);
}

TEST_F(DataFileWriterTest, OverlongRecordIsWrittenButEndsTheReadingThere) {
    Add(dir.Folder(), "1.sty", 1);
    AssignStyleField(*Add(dir.Folder(), "2.sty", 2), kFieldCopyright, std::string(999, 'c'));
    AssignStyleField(*records[1], kFieldAuthor, std::string(999, 'a'));
    Add(dir.Folder(), "3.sty", 3);
    const std::string path = dir.Folder() + "ZOL.SDB";
    ASSERT_EQ(WriteStyleDataFile(path, path, records), 0);
    EXPECT_EQ(ReadBack(path, dir.Folder()), status::kLineTooLong);
    ASSERT_EQ(readBack.size(), 1u);
    EXPECT_EQ(readBack[0]->Number(kFieldFileId), 1);
}

}  // namespace
}  // namespace kelvane
