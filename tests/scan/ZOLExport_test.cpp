#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "scan/ScanTestEnv.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLExport.h"
#include "support/FaultPoints.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

using test::AddSong;
using test::CrLf;
using test::MakeRecord;

class ExportTest : public test::ScanTest {
  protected:
    void SetUp() override {
        test::ScanTest::SetUp();
        for (int id = 1; id <= 3; ++id) {
            StyleDataPacket* r = MakeRecord("/lib/", "s" + std::to_string(id) + ".sty", id);
            AssignStyleField(*r, kFieldStyleName, "Name" + std::to_string(id));
            AddSong(*r, "Song" + std::to_string(id));
            records.Append(r);
        }
        // The export dialog ticks two fields.
        StyleFieldSwitches& picked = FieldSwitches().exportData.style;
        picked[kFieldFileId] = 1;
        picked[kFieldStyleName] = 1;
        file = dir.Folder() + "out.txt";
    }
    void TearDown() override {
        records.ReleaseAll();
        test::ScanTest::TearDown();
    }
    static bool NotSecond(const StyleDataPacket& record) {
        return record.Number(kFieldFileId) != 2;
    }

    RecordList records;
    std::string file;
};

TEST_F(ExportTest, DataExportWritesTheShownRecordsWithTheirSongsAndCountsThem) {
    ASSERT_EQ(ExportDataToFile(file, false, records, NotSecond), 0);
    const std::string songHeader =
        "I|FILE_ID|SONG_TITLE|GENRE|KEYWORD1|KEYWORD2|TEMPO|TIME_SIG|SONG_TITLE_R|"
        "SONG_TITLE_NAT|SONG_STATUS|ARTIST|";
    EXPECT_EQ(dir.Read("out.txt"),
              CrLf({"V|5", "H|FILE_ID|STYLE_NAME|", songHeader, "D|1|Name1|",
                    "S|1|Song1||||0||||1||", "D|3|Name3|", "S|3|Song3||||0||||1||"}));
    EXPECT_EQ(panes.Last(0), "Finished: 2 style data records exported.");
    EXPECT_EQ(ScanState().lastExportFile, file);
}

TEST_F(ExportTest, ExportReadsBackAsAnImportFile) {
    ASSERT_EQ(ExportDataToFile(file, false, records, {}), 0);
    RecordList back;
    DataFileFacts facts;
    ASSERT_EQ(ProcessStyleDataFile(file, " ", back, nullptr, &facts), 0);
    EXPECT_EQ(facts.version, 5);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[2]->songs.size(), 1u);
    back.ReleaseAll();
}

TEST_F(ExportTest, CsvNewFileStartsWithSeparatorHintAndHasNoVersionLine) {
    ASSERT_EQ(ExportCsvToFile(file, false, false, records, NotSecond), 0);
    const std::string text = dir.Read("out.txt");
    EXPECT_EQ(text.rfind("sep=|\r\nH|FILE_ID|L_PATH|L_FILENAME|", 0), 0u);
    EXPECT_EQ(text.find("V|5"), std::string::npos);
    EXPECT_EQ(text.find("\r\nS|"), std::string::npos);
    EXPECT_NE(text.find("\r\nD|1|/lib/|s1.sty|"), std::string::npos);
    EXPECT_EQ(text.find("\r\nD|2|"), std::string::npos);
}

TEST_F(ExportTest, CsvAppendAddsNeitherSeparatorHintNorVersionLine) {
    dir.Write("out.txt", "earlier\r\n");
    ASSERT_EQ(ExportCsvToFile(file, true, false, records, {}), 0);
    const std::string text = dir.Read("out.txt");
    EXPECT_EQ(text.rfind("earlier\r\nH|FILE_ID|", 0), 0u);
    EXPECT_EQ(text.find("sep="), std::string::npos);
    EXPECT_EQ(text.find("V|"), std::string::npos);
    EXPECT_EQ(panes.Last(0), "Finished: 3 style data records exported.");
}

TEST_F(ExportTest, CsvSongRowsShowTheStyleFileNameAndFolder) {
    ASSERT_EQ(ExportCsvToFile(
                  file, false, true, records, NotSecond,
                  [](const SongDataPacket& song) { return song.Text(kSongFieldTitle) != "Song3"; }),
              0);
    EXPECT_EQ(dir.Read("out.txt"),
              CrLf({"sep=|",
                    "I|FILE_ID|SONG_TITLE|GENRE|KEYWORD1|KEYWORD2|TEMPO|TIME_SIG|SONG_TITLE_R|"
                    "SONG_TITLE_NAT|L_FILENAME|SONG_STATUS|ARTIST|L_PATH|",
                    "S|1|Song1||||0||||s1.sty|1||/lib/|"}));
    EXPECT_EQ(panes.Last(0), "Finished: 2 style data records exported.");
}

TEST_F(ExportTest, FailuresLeaveNoNewFileAndKeepTheOldOne) {
    const std::string missing = dir.Folder() + "none/out.txt";
    EXPECT_EQ(ExportDataToFile(missing, false, records, {}), status::kDataFileOpenForWrite);
    EXPECT_TRUE(sink.BoxContains("Unable to open export data file for write"));
    EXPECT_TRUE(sink.BoxContains(missing + " -10386"));

    std::optional<ArmedFault> full(std::in_place, FaultPoint::AtomicFileWrite, 4);
    EXPECT_EQ(ExportDataToFile(file, false, records, {}), status::kExportWrite);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(sink.BoxContains("Error when writing to export file (Filename)"));

    dir.Write("out.txt", "kept\r\n");
    full.emplace(FaultPoint::AtomicFileWrite, 2);
    EXPECT_EQ(ExportDataToFile(file, true, records, {}), status::kExportWrite);
    EXPECT_EQ(dir.Read("out.txt"), "kept\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_EQ(panes.Last(0), "<none>");
}

TEST_F(ExportTest, MidiModeCountsMidiRecordsAndWritesNoSongs) {
    records.ReleaseAll();
    Start(kRunModeMidi);
    records.Append(MakeRecord("/m/", "a.mid", 9));
    AddSong(*records[0], "never");
    ASSERT_EQ(ExportCsvToFile(file, false, false, records, {}), 0);
    EXPECT_EQ(panes.Last(0), "Finished: 1 midi data records exported.");
    EXPECT_EQ(dir.Read("out.txt").find("\r\nS|"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
