#include <gtest/gtest.h>

#include <climits>

#include "scan/ScanTestEnv.h"
#include "scan/ZOLDataFileReader.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

using test::CrLf;
using test::Text;

const std::string kHeader = "H|FILE_ID|L_PATH|L_FILENAME|STYLE_NAME|AUTHOR|CASM|FILEDATE|TEMPO|";

class DataFileReaderTest : public test::ScanTest {
  protected:
    StatusCode Read(const std::string& bytes, const std::string& folder = "/f/",
                    PathLineHolder* holder = nullptr) {
        return ProcessStyleDataBytes(bytes, "test.SDB", folder, records, holder, &facts);
    }
    void TearDown() override {
        records.ReleaseAll();
        test::ScanTest::TearDown();
    }
    RecordList records;
    DataFileFacts facts;
};

TEST_F(DataFileReaderTest, DataLineFillsFieldsByHeaderColumns) {
    ASSERT_EQ(Read(CrLf({"V|5", "P|/a/", kHeader,
                         "D|17|/stored/|a.sty|Pop Ballad|Me|Y|2020-01-02 03:04|120|"})),
              0);
    ASSERT_EQ(records.size(), 1u);
    const StyleDataPacket& r = *records[0];
    EXPECT_EQ(r.Number(kFieldFileId), 17);
    EXPECT_EQ(Text(r, kFieldFilename), "a.sty");
    EXPECT_EQ(Text(r, kFieldStyleName), "Pop Ballad");
    EXPECT_EQ(Text(r, kFieldAuthor), "Me");
    EXPECT_EQ(Text(r, kFieldCasm), "Y");
    EXPECT_EQ(Text(r, kFieldFiledate), "2020-01-02 03:04");
    EXPECT_EQ(r.Number(kFieldTempo), 120);
    EXPECT_EQ(facts.version, 5);
    EXPECT_EQ(facts.pathLine, "/a/");
}

TEST_F(DataFileReaderTest, FolderComesFromTheReaderNeverFromTheLineAndDuplicatesFromFileId) {
    ASSERT_EQ(
        Read(CrLf({"H|FILE_ID|L_PATH|DUPLICATES|", "D|-9|/somewhere/else/|4|"}), "/moved/here/"),
        0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Text(*records[0], kFieldPath), "/moved/here/");
    EXPECT_EQ(records[0]->Number(kFieldDuplicates), -9);
}

TEST_F(DataFileReaderTest, LeadingBlanksAreLostTrailingKeptAndFieldsCutAt999) {
    const std::string longName(1200, 'n');
    ASSERT_EQ(Read(CrLf({"H|STYLE_NAME|AUTHOR|AUX|", "D| \t  Pop  |" + longName + "|after|"})), 0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Text(*records[0], kFieldStyleName), "Pop  ");
    EXPECT_EQ(Text(*records[0], kFieldAuthor), std::string(999, 'n'));
    EXPECT_EQ(Text(*records[0], kFieldAux), "after");
}

TEST_F(DataFileReaderTest, NumbersAreReadFromTheStartOfTheField) {
    ASSERT_EQ(Read(CrLf({"H|TEMPO|RANK|MY_RANK|FILESIZE|TIMEBASE|",
                         "D|12abc|abc|-5|99999999999|-99999999999|"})),
              0);
    const StyleDataPacket& r = *records[0];
    EXPECT_EQ(r.Number(kFieldTempo), 12);
    EXPECT_EQ(r.Number(kFieldRank), 0);
    EXPECT_EQ(r.Number(kFieldMyRank), -5);
    EXPECT_EQ(r.Number(kFieldFilesize), INT_MAX);
    EXPECT_EQ(r.Number(kFieldTimebase), INT_MIN);
}

TEST_F(DataFileReaderTest, LineTypesAreTheFirstCharacterOfTheFirstFieldInAnyCase) {
    ASSERT_EQ(Read(CrLf({"# comment|D|1|", "! also|x", "", "|", "   ", "H|FILE_ID|", "data line|7|",
                         "  d|8|"})),
              0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->Number(kFieldFileId), 7);
    EXPECT_EQ(records[1]->Number(kFieldFileId), 8);
}

TEST_F(DataFileReaderTest, DataLineWithOnlyItsTypeAddsAnEmptyRecord) {
    ASSERT_EQ(Read(CrLf({kHeader, "D"})), 0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->Number(kFieldFileId), 0);
    EXPECT_EQ(Text(*records[0], kFieldStyleName), "");
    EXPECT_EQ(Text(*records[0], kFieldPath), "/f/");
}

TEST_F(DataFileReaderTest, UnknownLineTypeStopsWithWarningKeepingEarlierRecords) {
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|", "D|1|", "X|2|", "D|3|"})), status::kUnknownLineType);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(
        sink.BoxContains("Reading data file: Unknown dataline type (file/line nr) : "
                         "test.SDB 3"));
}

TEST_F(DataFileReaderTest, EmptyTypeFieldWithMoreTextIsUnknownOnlyWithSpecialMenu) {
    const std::string bytes = CrLf({"H|FILE_ID|", "|5|", "D|1|"});
    EXPECT_EQ(Read(bytes), 0);
    EXPECT_EQ(records.size(), 1u);
    records.ReleaseAll();
    Config().specialMenuCopy = 1;
    EXPECT_EQ(Read(bytes), status::kUnknownLineType);
    EXPECT_TRUE(records.empty());
    records.ReleaseAll();
    EXPECT_EQ(Read(CrLf({"|", "H|FILE_ID|", "D|1|"})), 0);
}

TEST_F(DataFileReaderTest, HeaderRules) {
    // An empty field between two keys.
    EXPECT_EQ(Read(CrLf({"H|FILE_ID||TEMPO|", "D|1||2|"})), status::kHeaderEmptyField);
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(sink.BoxContains("Empty field in header line not allowed"));

    // The content id's older keys.
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|tweaks|", "D|1|77|", "H|TWEAK_ID|", "D|88|"})), 0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->Number(kFieldRelatedId), 77);
    EXPECT_EQ(records[1]->Number(kFieldRelatedId), 88);
    EXPECT_EQ(ScanState().foreignFields, 0);

    // Keys are found without regard to case.
    records.ReleaseAll();
    EXPECT_EQ(Read(CrLf({"H|file_id|Style_Name|", "D|3|x|"})), 0);
    EXPECT_EQ(Text(*records[0], kFieldStyleName), "x");
}

TEST_F(DataFileReaderTest, UnknownHeaderKeyFailsUnlessIgnoredAndAlwaysMarksForeignFields) {
    const std::string bytes = CrLf({"H|FILE_ID|NEW_THING|AUTHOR|", "D|1|zz|Me|"});
    EXPECT_EQ(Read(bytes), status::kHeaderUnknownField);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(ScanState().foreignFields, 1);
    EXPECT_TRUE(
        sink.BoxContains("Error reading data file: Unknown field in header line NEW_THING"));

    ScanState().foreignFields = 0;
    Config().ignoreUnknownFields = 1;
    EXPECT_EQ(Read(bytes), 0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Text(*records[0], kFieldAuthor), "Me");
    EXPECT_EQ(ScanState().foreignFields, 1);

    // ORIG_BRAND is skipped even without the switch.
    records.ReleaseAll();
    ScanState().foreignFields = 0;
    Config().ignoreUnknownFields = 0;
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|ORIG_BRAND|AUTHOR|", "D|1|brand|Me|"})), 0);
    EXPECT_EQ(Text(*records[0], kFieldAuthor), "Me");
    EXPECT_EQ(ScanState().foreignFields, 1);
}

TEST_F(DataFileReaderTest, HeaderHoldsAtMost40Columns) {
    std::string keys;
    for (int i = 0; i < 39; ++i) {
        keys += "AUX|";
    }
    // 39 keys and the closing "|" (one skipped column in style mode): 40 columns.
    EXPECT_EQ(Read(CrLf({"H|" + keys, "D|"})), 0);
    EXPECT_EQ(Read(CrLf({"H|" + keys + "AUX"})), 0);
    EXPECT_EQ(Read(CrLf({"H|" + keys + "AUX|"})), status::kHeaderTooManyFields);
    EXPECT_EQ(Read(CrLf({"H|" + keys + "AUX|AUX"})), status::kHeaderTooManyFields);
    EXPECT_TRUE(sink.BoxContains("Too much fields in header line."));
}

TEST_F(DataFileReaderTest, DataLineWithMoreFieldsThanColumns) {
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|TEMPO|", "D|1|2|||", "D|3|4||extra|"})),
              status::kDataLineTooManyFields);
    ASSERT_EQ(records.size(), 1u);  // the closing empty fields do not count
    EXPECT_TRUE(sink.BoxContains("Too much fields in data line 3"));
}

TEST_F(DataFileReaderTest, DamagedValuesAreWarningsThatNeverEndTheProgram) {
    struct Case {
        std::string line;
        StatusCode expected;
    };
    const Case cases[] = {
        {"D|1|YN|", status::kIllegalLetter},
        {"D|1||2020-01-02 03:04x|", status::kIllegalDate},
    };
    for (const Case& c : cases) {
        records.ReleaseAll();
        EXPECT_EQ(
            Read(CrLf({"H|FILE_ID|CASM|FILEDATE|", "D|0|N|2020-01-02 03:04|", c.line, "D|2|"})),
            c.expected)
            << c.line;
        EXPECT_EQ(records.size(), 1u) << c.line;
    }
    EXPECT_TRUE(sink.BoxContains("Error reading Chr1Str data"));
    EXPECT_TRUE(sink.BoxContains("Error reading filedate data"));
    ExpectProgramGoesOn();
}

TEST_F(DataFileReaderTest, SongLinesBelongToTheDataLineBefore) {
    ASSERT_EQ(Read(CrLf({"H|FILE_ID|", "I|FILE_ID|SONG_TITLE|TEMPO|SONG_STATUS|ARTIST|", "D|5|",
                         "S|5|Yesterday|96|2|Band|", "S|5|  Help|120||", "D|6|"})),
              0);
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(records[0]->songs.size(), 2u);
    const SongDataPacket& first = *records[0]->songs[0];
    EXPECT_EQ(first.parent, records[0]);
    EXPECT_EQ(Text(first, kSongFieldTitle), "Yesterday");
    EXPECT_EQ(first.Number(kSongFieldTempo), 96);
    EXPECT_EQ(first.Status(), 2);
    EXPECT_EQ(Text(first, kSongFieldArtist), "Band");
    EXPECT_EQ(Text(*records[0]->songs[1], kSongFieldTitle), "Help");
    EXPECT_TRUE(records[1]->songs.empty());
}

TEST_F(DataFileReaderTest, SongLineFaults) {
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|", "I|FILE_ID|SONG_TITLE|", "S|5|x|"})),
              status::kSongLineWithoutData);
    EXPECT_EQ(Read(CrLf({"I|FILE_ID|NO_SUCH|"})), status::kHeaderUnknownField);
    EXPECT_EQ(Read(CrLf({"I|FILE_ID||SONG_TITLE|"})), status::kHeaderEmptyField);
    std::string thirteen = "I";
    for (int i = 0; i < 13; ++i) {
        thirteen += "|GENRE";
    }
    EXPECT_EQ(Read(CrLf({thirteen})), status::kHeaderTooManyFields);

    records.ReleaseAll();
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|", "I|FILE_ID|SONG_TITLE|", "D|1|", "S|1|a|b|"})),
              status::kDataLineTooManyFields);
    // A style link names the parent's value; a file cannot give one.
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|", "I|FILE_ID|L_FILENAME|", "D|1|", "S|1|x.sty|"})),
              status::kReadUnexpectedFieldType);
    ExpectProgramGoesOn();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0]->songs.empty());
}

TEST_F(DataFileReaderTest, EveryHeaderStartsANewColumnTable) {
    ASSERT_EQ(Read(CrLf({"V|5", "P|Dummy", "H|FILE_ID|AUTHOR|", "D|1|A|", "V|5", "P|Dummy",
                         "H|AUTHOR|FILE_ID|", "D|B|2|"})),
              0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Text(*records[1], kFieldAuthor), "B");
    EXPECT_EQ(records[1]->Number(kFieldFileId), 2);
}

TEST_F(DataFileReaderTest, VersionPathAndModeLines) {
    EXPECT_EQ(Read(CrLf({"V|4x", "M|2", "P|  /x/  "})), 0);
    EXPECT_EQ(facts.version, 4);
    EXPECT_EQ(facts.importMode, 2);
    EXPECT_EQ(facts.pathLine, "/x/  ");
    EXPECT_EQ(Read(CrLf({"V|"})), status::kMissingVersion);
    EXPECT_EQ(Read(CrLf({"V|five"})), status::kIllegalVersion);
    EXPECT_EQ(Read(CrLf({"P"})), status::kMissingPath);
    EXPECT_EQ(Read(CrLf({"M| "})), status::kMissingModeNumber);
    EXPECT_EQ(Read(CrLf({"M|0"})), status::kIllegalModeNumber);
    EXPECT_EQ(Read(CrLf({"M|x"})), status::kIllegalModeNumber);
    EXPECT_TRUE(sink.BoxContains("Missing version in version line"));
    EXPECT_TRUE(sink.BoxContains("Illegal mode nr in mode line"));
}

TEST_F(DataFileReaderTest, LinesUpTo1994BytesWithTheirEndAreRead) {
    const std::string head = "D|1|";
    const auto dataLine = [&head](std::size_t bytesWithCrLf) {
        return head + std::string(bytesWithCrLf - head.size() - 3, 'a') + "|";
    };
    for (std::size_t bytes : {1993u, 1994u}) {
        records.ReleaseAll();
        EXPECT_EQ(Read(CrLf({"H|FILE_ID|AUX|", dataLine(bytes), "D|2|"})), 0) << bytes;
        EXPECT_EQ(records.size(), 2u) << bytes;
    }
    records.ReleaseAll();
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|AUX|", "D|0|", dataLine(1995), "D|2|"})), status::kLineTooLong);
    EXPECT_EQ(records.size(), 1u);
}

TEST_F(DataFileReaderTest, FileOnDiskAndMissingFile) {
    const std::string path = dir.Write("ZOL.SDB", CrLf({"V|5", "H|FILE_ID|", "D|3|"}));
    EXPECT_EQ(ProcessStyleDataFile(path, dir.Folder(), records), 0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Text(*records[0], kFieldPath), dir.Folder());
    EXPECT_EQ(ProcessStyleDataFile(dir.Folder() + "none.SDB", dir.Folder(), records),
              status::kCannotOpenFile);
}

TEST_F(DataFileReaderTest, FastAccessRecordsAreRebasedOntoTheReadingFolder) {
    PathLineHolder holder;
    ASSERT_EQ(Read(CrLf({"V|5", "P|/a/Styles/", "H|FILE_ID|L_PATH|", "D|1|/a/Styles/|",
                         "D|2|/a/Styles/Sub/Deep/|", "D|3|/a/|", "D|4|/a/Styles/../../etc/|"}),
                   "/mnt/cd/", &holder),
              0);
    EXPECT_EQ(holder.text, "/a/Styles/");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Text(*records[0], kFieldPath), "/mnt/cd/");
    EXPECT_EQ(Text(*records[1], kFieldPath), "/mnt/cd/Sub/Deep/");
    EXPECT_EQ(Text(*records[2], kFieldPath), "/mnt/cd/");
}

TEST_F(DataFileReaderTest, FastAccessFileWrittenOnWindowsListsUnderTheRightFolders) {
    PathLineHolder holder;
    ASSERT_EQ(Read(CrLf({"V|5", "P|D:\\Styles\\", "H|FILE_ID|L_PATH|", "D|1|D:\\Styles\\|",
                         "D|2|D:\\Styles\\Latin\\Bossa\\|", "D|3|d:\\STYLES\\Pop|",
                         "D|4|D:\\Styles\\..\\Other\\|"}),
                   "/mnt/cd/", &holder),
              0);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Text(*records[0], kFieldPath), "/mnt/cd/");
    EXPECT_EQ(Text(*records[1], kFieldPath), "/mnt/cd/Latin/Bossa/");
    EXPECT_EQ(Text(*records[2], kFieldPath), "/mnt/cd/Pop/");
}

TEST_F(DataFileReaderTest, BackslashInALinuxFolderNameStaysInTheName) {
    PathLineHolder holder;
    ASSERT_EQ(Read(CrLf({"V|5", "P|/a/x\\y/", "H|FILE_ID|L_PATH|", "D|1|/a/x\\y/b\\c/|"}),
                   "/mnt/cd/", &holder),
              0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Text(*records[0], kFieldPath), "/mnt/cd/b\\c/");
}

TEST_F(DataFileReaderTest, MidiModeReadsItsOwnCatalogue) {
    Start(kRunModeMidi);
    // The midi catalogue has no UNUSED field: the closing "|" adds no column.
    ASSERT_EQ(Read(CrLf({"H|FILE_ID|SONG|LYRICS|TRACKS|", "D|1|My Song|Y|16|"})), 0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Text(*records[0], kFieldSong), "My Song");
    EXPECT_EQ(Text(*records[0], kFieldLyrics), "Y");
    EXPECT_EQ(records[0]->Number(kFieldTracks), 16);
    EXPECT_EQ(Read(CrLf({"H|FILE_ID|STYLE_NAME|"})), status::kHeaderUnknownField);
}

TEST_F(DataFileReaderTest, BinaryGarbageIsReportedNotFatal) {
    std::string garbage;
    for (int i = 0; i < 4000; ++i) {
        garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
    }
    // The first line is no known line type: reported, and nothing is read.
    EXPECT_EQ(Read(garbage), status::kUnknownLineType);
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(sink.BoxContains("Unknown dataline type"));
    // Control bytes and a NUL inside a value are kept as bytes.
    ASSERT_EQ(
        Read(CrLf({"H|FILE_ID|STYLE_NAME|"}) + "D|1|" + std::string("\0\x01\xff|", 4) + "\r\n"), 0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->Number(kFieldFileId), 1);
    EXPECT_EQ(Text(*records[0], kFieldStyleName), std::string("\0\x01\xff", 3));
    ExpectProgramGoesOn();
}

}  // namespace
}  // namespace kelvane
