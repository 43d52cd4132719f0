// The tree scan over real files: what the first scan writes, what later scans reuse, and how
// each kind of change on disk reaches the record list and the data files.
#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "scan/TreeScanTestEnv.h"
#include "support/NUVCrc32.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

class TreeScanBasicsTest : public test::TreeScanTest {
  protected:
    void SetUp() override {
        TreeScanTest::SetUp();
        Put("a.sty", test::StyleBytes(500000));
        Put("b.prs", test::StyleBytes(461538, {{.title = "Wave", .genre = "Latin"}}));
        Put("notes.txt", "not a style");
        Put("sty", "a name without a dot");
        Put("sub/c.sty", test::StyleBytes(600000));
        Put("sub/deeper/d.bcs", test::StyleBytes(700000));
    }
};

TEST_F(TreeScanBasicsTest, FirstScanWritesEveryFolderDataFileDeepestFirst) {
    ASSERT_EQ(Scan(), 0);
    // Each folder joins the list when it is finished, after all of its subfolders.
    ASSERT_EQ(Listed().size(), 4u);
    EXPECT_EQ(Listed()[0], "sub/deeper/d.bcs");
    EXPECT_EQ(Listed()[1], "sub/c.sty");
    const std::vector<std::string> listed = Listed();
    EXPECT_THAT(std::vector<std::string>(listed.begin() + 2, listed.end()),
                UnorderedElementsAre("a.sty", "b.prs"));
    EXPECT_EQ(Counts().analysed, 4);
    EXPECT_EQ(ScanState().treeComplete, 1);
    const timespec deeper = test::FileMTime(root + "sub/deeper/ZOL.SDB");
    const timespec sub = test::FileMTime(root + "sub/ZOL.SDB");
    const timespec top = test::FileMTime(root + "ZOL.SDB");
    EXPECT_LE(std::make_pair(deeper.tv_sec, deeper.tv_nsec),
              std::make_pair(sub.tv_sec, sub.tv_nsec));
    EXPECT_LE(std::make_pair(sub.tv_sec, sub.tv_nsec), std::make_pair(top.tv_sec, top.tv_nsec));
}

TEST_F(TreeScanBasicsTest, LinkedFoldersAreReadAndALinkLoopIsReportedOnceAndSkipped) {
    test::TempDir outside;
    test::SetMTime(outside.Write("e.sty", test::StyleBytes(800000)), test::Shifted(-3600));
    fs::create_directory_symlink(outside.Path(), root + "linked");
    fs::create_directory_symlink("..", root + "sub/up");  // back to the start folder
    ASSERT_EQ(Scan(), 0);
    EXPECT_THAT(Listed(), UnorderedElementsAre("sub/deeper/d.bcs", "sub/c.sty", "a.sty", "b.prs",
                                               "linked/e.sty"));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_TRUE(sink.BoxContains(root + "sub/up/"));
    EXPECT_TRUE(fs::exists(outside.Folder() + "ZOL.SDB"));
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().reused, 5);
}

TEST_F(TreeScanBasicsTest, DataFileLinesFollowTheFormat) {
    ASSERT_EQ(Scan(false), 0);
    const std::vector<std::string> lines = Lines("ZOL.SDB");
    ASSERT_EQ(lines.size(), 7u);  // version, path, two headers, two records, one song
    EXPECT_EQ(lines[0], "V|5");
    EXPECT_EQ(lines[1], "P|" + root + "ZOL.SDB");
    EXPECT_EQ(lines[2],
              "H|FILE_ID|L_PATH|L_FILENAME|FILESIZE|TEMPO|STYLE_NAME|STYLE_TYPE|STYLE_SUBTYPE|"
              "CERTAINTY|AUTHOR|AUX|TIME_SIG|RANK|MY_RANK|COPYRIGHT|ANALYSER|ERRORS|FILEDATE|"
              "FILEDATE_U|FILEDATE_L|TIMEBASE|ORIG_MODEL|KBD_MODEL|VARIATIONS|CASM|OTS|MDB|"
              "STYLEFILE_TYPE|DUPLICATES|RELATED_ID|USAGE|SFF|");
    EXPECT_EQ(lines[3],
              "I|FILE_ID|SONG_TITLE|GENRE|KEYWORD1|KEYWORD2|TEMPO|TIME_SIG|SONG_TITLE_R|"
              "SONG_TITLE_NAT|SONG_STATUS|ARTIST|");
    for (const std::string& line : lines) {
        EXPECT_EQ(line.back() == '|', line[0] != 'V' && line[0] != 'P') << line;
    }
    for (const auto& row : DataRows("ZOL.SDB")) {
        const std::string path = root + row.at("L_FILENAME");
        const std::string bytes = dir.Read(row.at("L_FILENAME"));
        uint32_t crc = 0;
        NUVCalcCRC32ofBuffer(bytes.data(), bytes.size(), crc);
        EXPECT_EQ(row.at("FILE_ID"), std::to_string(static_cast<int32_t>(crc)));
        EXPECT_EQ(row.at("DUPLICATES"), row.at("FILE_ID"));
        EXPECT_EQ(row.at("L_PATH"), root);
        EXPECT_EQ(row.at("FILESIZE"), std::to_string(bytes.size()));
        EXPECT_EQ(row.at("ANALYSER"), "18");
        const timespec mtime = test::FileMTime(path);
        const uint64_t fileTime =
            (static_cast<uint64_t>(mtime.tv_sec) + 11644473600ull) * 10000000ull +
            static_cast<uint64_t>(mtime.tv_nsec) / 100;
        EXPECT_EQ(row.at("FILEDATE_U"), std::to_string(static_cast<int32_t>(fileTime >> 32)));
        EXPECT_EQ(row.at("FILEDATE_L"), std::to_string(static_cast<int32_t>(fileTime)));
        tm local{};
        localtime_r(&mtime.tv_sec, &local);
        EXPECT_EQ(row.at("FILEDATE"),
                  StrFormat("%04d-%02d-%02d %02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                            local.tm_mday, local.tm_hour, local.tm_min));
    }
    // The song line follows the data line of its record.
    for (size_t i = 4; i < lines.size(); ++i) {
        if (lines[i][0] == 'S') {
            EXPECT_NE(lines[i].find("|Wave|Latin|"), std::string::npos);
            EXPECT_NE(lines[i - 1].find("|b.prs|"), std::string::npos);
        }
    }
    EXPECT_FALSE(fs::exists(root + "sub/ZOL.SDB"));
}

TEST_F(TreeScanBasicsTest, SecondScanReusesEveryRecordAndWritesNothing) {
    ASSERT_EQ(Scan(), 0);
    const std::string before = dir.Read("ZOL.SDB");
    const timespec written = test::FileMTime(root + "ZOL.SDB");
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().analysed + Counts().reanalysed, 0);
    EXPECT_EQ(Counts().reused, 4);
    EXPECT_EQ(Counts().dataFilesWritten, 0);
    EXPECT_EQ(Listed().size(), 4u);
    EXPECT_TRUE(test::SameTime(test::FileMTime(root + "ZOL.SDB"), written));
    EXPECT_EQ(dir.Read("ZOL.SDB"), before);
    EXPECT_EQ(test::Text(*Record("b.prs"), kFieldMdb), "Y 1");
    ASSERT_EQ(Record("b.prs")->songs.size(), 1u);
}

TEST_F(TreeScanBasicsTest, TouchedFileIsAnalysedAgainAndAnOlderCopyIsNot) {
    ASSERT_EQ(Scan(), 0);
    const timespec dataTime = test::FileMTime(root + "ZOL.SDB");
    // Same date as the data file: counts as changed.
    test::SetMTime(root + "a.sty", dataTime);
    // Replaced by other bytes that keep a date before the data file: the cache is trusted.
    const int32_t oldId = Record("sub/c.sty")->Number(kFieldFileId);
    Put("sub/c.sty", test::StyleBytes(123456), 7200);
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().reanalysed, 1);
    EXPECT_EQ(Counts().reused, 3);
    EXPECT_EQ(Record("sub/c.sty")->Number(kFieldFileId), oldId);
    EXPECT_FALSE(test::SameTime(test::FileMTime(root + "ZOL.SDB"), dataTime));
}

TEST_F(TreeScanBasicsTest, DeletedRenamedAndAddedFilesReachListAndDataFile) {
    ASSERT_EQ(Scan(), 0);
    fs::remove(root + "a.sty");
    fs::rename(root + "sub/c.sty", root + "sub/renamed.sty");
    Put("sub/deeper/new.sst", test::StyleBytes(800000));
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().analysed, 2);  // the renamed file counts as new
    EXPECT_EQ(Counts().reused, 2);
    EXPECT_EQ(Listed().size(), 4u);
    EXPECT_EQ(Record("a.sty"), nullptr);
    EXPECT_NE(Record("sub/renamed.sty"), nullptr);
    ASSERT_EQ(DataRows("ZOL.SDB").size(), 1u);
    EXPECT_EQ(DataRows("ZOL.SDB")[0].at("L_FILENAME"), "b.prs");
    ASSERT_EQ(DataRows("sub/ZOL.SDB").size(), 1u);
    EXPECT_EQ(DataRows("sub/ZOL.SDB")[0].at("L_FILENAME"), "renamed.sty");
    EXPECT_EQ(DataRows("sub/deeper/ZOL.SDB").size(), 2u);

    // The last style file of a folder gone: its data file goes too.
    fs::remove(root + "sub/renamed.sty");
    ASSERT_EQ(Scan(), 0);
    EXPECT_FALSE(fs::exists(root + "sub/ZOL.SDB"));
    EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(TreeScanBasicsTest, NewerAnalyserConfigurationReanalysesTheWholeTree) {
    ASSERT_EQ(Scan(), 0);
    // The data files written a minute ago, the configuration edited after them: the data files
    // the next scan writes are newer than the edit whatever the file system's clock steps.
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().filename() == "ZOL.SDB") {
            test::SetMTime(entry.path().string(), test::Shifted(-60));
        }
    }
    test::SetMTime(Config().analyserConfigFile, test::Shifted(-30));
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().reanalysed, 4);
    EXPECT_EQ(Counts().dataFilesWritten, 3);
    // Written after the configuration: the next scan trusts the data files again.
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().reused, 4);
}

TEST_F(TreeScanBasicsTest, OutdatedAnalyserVersionInDataFileIsAnalysedAgain) {
    ASSERT_EQ(Scan(false), 0);
    std::string text = dir.Read("ZOL.SDB");
    // A record of an older program (17) and one of a newer program (-19, user genre).
    const size_t first = text.find("|18|");
    text.replace(first, 4, "|17|");
    text.replace(text.find("|18|", first), 4, "|-19|");
    dir.Write("ZOL.SDB", text);
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().reanalysed, 1);
    EXPECT_EQ(Counts().reused, 1);
}

TEST_F(TreeScanBasicsTest, CounterAndFolderShowInTheStatusBar) {
    for (int i = 0; i < 12; ++i) {
        Put(StrFormat("many/%02d.sty", i), test::StyleBytes(300000 + static_cast<uint32_t>(i)));
    }
    ASSERT_EQ(Scan(false, root + "many/"), 0);
    EXPECT_TRUE(hooked.Saw(0, "Processing " + root + "many/"));
    EXPECT_TRUE(hooked.Saw(1, "0"));
    EXPECT_TRUE(hooked.Saw(1, "10"));
    EXPECT_FALSE(hooked.Saw(1, "11"));
    EXPECT_EQ(hooked.texts.back(), std::make_pair(1, std::string(" ")));
}

TEST_F(TreeScanBasicsTest, FolderWithoutFilesSaysSoAndSucceeds) {
    fs::create_directories(root + "empty/inner");
    ASSERT_EQ(Scan(true, root + "empty"), 0);
    EXPECT_TRUE(hooked.Saw(0, "No styles found in " + root + "empty/"));
    EXPECT_EQ(ScanState().treeComplete, 1);
    EXPECT_TRUE(Listed().empty());
}

TEST_F(TreeScanBasicsTest, MissingAnalyserConfigurationStopsBeforeAnything) {
    fs::remove(Config().analyserConfigFile);
    EXPECT_EQ(Scan(), status::kAnalyserConfigMissing);
    EXPECT_FALSE(fs::exists(root + "ZOL.SDB"));
    EXPECT_EQ(ScanState().treeComplete, 0);
}

TEST_F(TreeScanBasicsTest, RecentFolderFeedHearsOfEachNewStartFolderOnce) {
    std::vector<std::string> fed;
    SetRecentFolderFeed([&fed](const std::string& folder) { fed.push_back(folder); });
    ASSERT_EQ(Scan(), 0);
    ASSERT_EQ(Scan(), 0);
    ASSERT_EQ(Scan(true, root + "sub"), 0);
    EXPECT_THAT(fed, ElementsAre(root, root + "sub/"));
}

TEST_F(TreeScanBasicsTest, ScanLinesGoToTheTraceAtLevel1000) {
    TraceOn(trace::kScan);
    ASSERT_EQ(Scan(false), 0);
    TraceOff();
    const std::string trace = test::ReadFileBytes(TraceFilePath());
    for (const std::string& line :
         {"--- ProcessStyleTree without subdirs :  " + root, "ProcessStyleDirectory :  " + root,
          std::string("CheckStyleFile - Style file found :  a.sty"),
          "ProcessStyleFile :  " + root + "a.sty", "--- ProcessStyleTree finished :  " + root}) {
        EXPECT_NE(trace.find(line), std::string::npos) << line;
    }
}

class MidiTreeScanTest : public test::TreeScanTest {
  protected:
    void SetUp() override {
        TreeScanTest::SetUp();
        Start(kRunModeMidi);
        SetStatusPanes(&hooked);
    }
};

TEST_F(MidiTreeScanTest, MidiModeTakesMidAndKarIntoItsOwnDataFile) {
    Put("song.mid", test::MidiBytes("Song"));
    Put("karaoke.KAR", test::MidiBytes("Kara"));
    Put("style.sty", test::StyleBytes(500000));
    ASSERT_EQ(Scan(), 0);
    EXPECT_THAT(Listed(), UnorderedElementsAre("song.mid", "karaoke.KAR"));
    const std::vector<std::string> lines = Lines("ZOLMIDI.SDB");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].substr(0, 38), "H|FILE_ID|L_PATH|L_FILENAME|FILESIZE|T");
    EXPECT_EQ(lines[3][0], 'D');
    EXPECT_EQ(DataRows("ZOLMIDI.SDB")[0].at("ANALYSER"), "20");
    EXPECT_FALSE(fs::exists(root + "ZOL.SDB"));
    fs::remove_all(root + "song.mid");
    ASSERT_EQ(Scan(), 0);
    EXPECT_THAT(Listed(), ElementsAre("karaoke.KAR"));
    EXPECT_EQ(Counts().reused, 1);
}

TEST_F(MidiTreeScanTest, EmptyFolderNamesMidiFiles) {
    ASSERT_EQ(Scan(), 0);
    EXPECT_TRUE(hooked.Saw(0, "No midi files found in " + root));
}

}  // namespace
}  // namespace kelvane
