// The rescan rules of the tree scan: future dates, extra and move files, read-only media with
// fast access files, hard and soft rescans, damaged data files and abort.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/TreeScanTestEnv.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLFastAccess.h"
#include "scan/ZOLSpaceReservation.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

class TreeScanRulesTest : public test::TreeScanTest {
  protected:
    void SetUp() override {
        TreeScanTest::SetUp();
        Put("a.sty", test::StyleBytes(500000));
        Put("b.sty", test::StyleBytes(510000, {{.title = "Wave"}}));
        Put("sub/c.sty", test::StyleBytes(520000));
    }
    // Appends a copy of the record of `name` (in the start folder), changed by `edit`, to
    // the folder's file `extraName`.
    void AppendExtraRecord(const std::string& name, const std::string& extraName,
                           const std::function<void(StyleDataPacket&)>& edit) {
        RecordList list;
        StyleDataPacket* copy = WorkCopyOfStyleRecord(Record(name));
        ASSERT_NE(copy, nullptr);
        edit(*copy);
        list.Append(copy);
        ASSERT_EQ(AppendToStyleDataFile(root + extraName, list), 0);
        list.ReleaseAll();
    }
    void ReadOnly(bool on) {
        SetReadOnlyMediumProbe(on ? [](const std::string&) { return 1; } : ReadOnlyMediumProbe{});
    }
};

TEST_F(TreeScanRulesTest, FutureDateIsTrustedUnlessDatesAreCorrected) {
    const std::string path = Put("future.sty", test::StyleBytes(530000));
    test::SetMTime(path, test::Shifted(86400));
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().analysed, 3);
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().reused, 3);

    Config().autoCorrectIllegalFileDates = 1;
    // Slow analyses: the data file is written clearly after the scan began.
    SetScanFileAnalysis(
        [](StyleDataPacket& record, const std::string& file, const std::string& name) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return AnalyseFile(record, file, name);
        });
    ASSERT_EQ(Scan(false), 0);
    SetScanFileAnalysis({});
    EXPECT_EQ(Counts().reanalysed, 1);
    const timespec corrected = test::FileMTime(path);
    EXPECT_LE(std::abs(corrected.tv_sec - test::Shifted(0).tv_sec), 5);
    EXPECT_EQ(RecordFileTime(*Record("future.sty")), FileTimeFromTimespec(corrected));
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().reused, 3);
}

TEST_F(TreeScanRulesTest, MoveAndExtraFilesAreMergedTheLastRecordWinsThenDeleted) {
    ASSERT_EQ(Scan(false), 0);
    AppendExtraRecord("a.sty", "ZOLMOVE.SDE",
                      [](StyleDataPacket& r) { AssignStyleField(r, kFieldAuthor, "Older"); });
    AppendExtraRecord("a.sty", "ZOLMOVE.SDE",
                      [](StyleDataPacket& r) { AssignStyleField(r, kFieldAuthor, "Moved"); });
    AppendExtraRecord("b.sty", "other.SDE", [](StyleDataPacket& r) {
        AssignStyleField(r, kFieldFilename, "ghost.sty");  // its file is not here
    });
    ASSERT_EQ(ReserveDestinationSpace(root), 0);
    ASSERT_TRUE(fs::exists(root + "ZOLSPACE.SDE"));
    ASSERT_EQ(Scan(false), 0);
    EXPECT_THAT(Listed(), UnorderedElementsAre("a.sty", "b.sty"));
    EXPECT_EQ(test::Text(*Record("a.sty"), kFieldAuthor), "Moved");
    EXPECT_EQ(Counts().analysed + Counts().reanalysed, 0);
    for (const char* extra : {"ZOLMOVE.SDE", "other.SDE", "ZOLSPACE.SDE"}) {
        EXPECT_FALSE(fs::exists(root + extra)) << extra;
    }
    std::vector<std::string> authors;
    for (const auto& row : DataRows("ZOL.SDB")) {
        authors.push_back(row.at("L_FILENAME") + "=" + row.at("AUTHOR"));
    }
    EXPECT_THAT(authors, UnorderedElementsAre("a.sty=Moved", "b.sty="));
}

TEST_F(TreeScanRulesTest, ExtraFileWithoutDataOrMoveFileIsCheckedNotFatal) {
    ASSERT_EQ(Scan(false), 0);
    AppendExtraRecord("a.sty", "left.SDE",
                      [](StyleDataPacket& r) { AssignStyleField(r, kFieldAuthor, "Kept"); });
    fs::remove(root + "ZOL.SDB");
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().reanalysed, 1);  // a.sty: no dated cache to trust
    EXPECT_EQ(Counts().analysed, 1);    // b.sty: no record at all
    EXPECT_EQ(test::Text(*Record("a.sty"), kFieldAuthor), "Kept");
    EXPECT_FALSE(fs::exists(root + "left.SDE"));
    EXPECT_EQ(DataRows("ZOL.SDB").size(), 2u);
}

TEST_F(TreeScanRulesTest, ReadOnlyMediumUsesCachesWhateverTheirAgeAndWritesNothing) {
    ReadOnly(true);
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().analysed, 3);
    EXPECT_FALSE(fs::exists(root + "ZOL.SDB"));
    EXPECT_EQ(ScanState().readOnlyMedium, 1);

    ReadOnly(false);
    ASSERT_EQ(Scan(), 0);
    const std::string before = dir.Read("ZOL.SDB");
    test::SetMTime(root + "a.sty", test::FileMTime(root + "ZOL.SDB"));
    AppendExtraRecord("b.sty", "ZOLMOVE.SDE",
                      [](StyleDataPacket& r) { AssignStyleField(r, kFieldAux, "moved"); });
    ReadOnly(true);
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().analysed + Counts().reanalysed, 0);
    EXPECT_EQ(Counts().reused, 3);
    EXPECT_EQ(test::Text(*Record("b.sty"), kFieldAux), "moved");
    EXPECT_TRUE(fs::exists(root + "ZOLMOVE.SDE"));
    EXPECT_EQ(dir.Read("ZOL.SDB"), before);
}

TEST_F(TreeScanRulesTest, FastAccessFileReplacesTheWalkOfAReadOnlyCopy) {
    ASSERT_EQ(Scan(), 0);
    ASSERT_EQ(WriteFastAccessDataFiles(RecordStore().records, std::chrono::milliseconds(0)), 0);
    ASSERT_TRUE(fs::exists(root + "sub/ZOLFA.SDB"));
    test::TempDir cd;
    fs::copy(root, cd.Path(), fs::copy_options::recursive);
    test::WriteFileBytes(cd.Path() / "sub" / "late.sty", test::StyleBytes(540000));
    ReadOnly(true);
    const std::string mounted = cd.Folder();
    ASSERT_EQ(Scan(true, mounted), 0);
    std::vector<std::string> listed;
    for (const StyleDataPacket* record : RecordStore().records) {
        listed.push_back(test::Text(*record, kFieldPath).substr(mounted.size()) +
                         test::Text(*record, kFieldFilename));
    }
    EXPECT_THAT(listed, UnorderedElementsAre("a.sty", "b.sty", "sub/c.sty"));
    EXPECT_EQ(Counts().analysed, 0);
    // Without subfolders the folder itself is walked.
    ASSERT_EQ(Scan(false, mounted + "sub/"), 0);
    EXPECT_EQ(RecordStore().records.size(), 2u);
}

TEST_F(TreeScanRulesTest, HardRescanIgnoresDataAndExtraFiles) {
    ASSERT_EQ(Scan(), 0);
    AssignStyleField(*Record("a.sty"), kFieldAuthor, "Ann");
    Record("a.sty")->changed = 1;
    ASSERT_EQ(UpdateStyleDataFiles(RecordStore().records), 0);
    AppendExtraRecord("b.sty", "ZOLMOVE.SDE",
                      [](StyleDataPacket& r) { AssignStyleField(r, kFieldAux, "moved"); });
    ASSERT_EQ(Scan(ScanOptions{.ignoreDataFiles = true}), 0);
    EXPECT_EQ(Counts().analysed, 3);
    EXPECT_EQ(Counts().dataFilesWritten, 2);
    EXPECT_EQ(test::Text(*Record("a.sty"), kFieldAuthor), "");
    EXPECT_EQ(test::Text(*Record("b.sty"), kFieldAux), "");
    EXPECT_FALSE(fs::exists(root + "ZOLMOVE.SDE"));
}

TEST_F(TreeScanRulesTest, SoftRescanAnalysesEverythingAndKeepsWhatTheUserEntered) {
    ASSERT_EQ(Scan(), 0);
    StyleDataPacket* b = Record("b.sty");
    AssignStyleField(*b, kFieldAuthor, "Ann");
    AssignStyleField(*b, kFieldUsage, "gig");
    b->SetNumber(kFieldRank, 3);
    test::AddSong(*b, "Mine", kSongStatusNotInStyleFile);
    AssignSongField(*b->songs[0], kSongFieldArtist, "The Band");
    b->changed = 1;
    ASSERT_EQ(UpdateStyleDataFiles(RecordStore().records), 0);
    ASSERT_EQ(Scan(ScanOptions{.reanalyse = true}), 0);
    EXPECT_EQ(Counts().reanalysed, 3);
    EXPECT_EQ(Counts().dataFilesWritten, 2);
    b = Record("b.sty");
    EXPECT_EQ(test::Text(*b, kFieldAuthor), "Ann");
    EXPECT_EQ(b->Number(kFieldRank), 3);
    EXPECT_EQ(test::Text(*b, kFieldUsage), "gig");  // entered by the user, though not marked
    ASSERT_EQ(b->songs.size(), 2u);
    EXPECT_EQ(test::Text(*b->songs[0], kSongFieldTitle), "Wave");
    EXPECT_EQ(test::Text(*b->songs[0], kSongFieldArtist), "The Band");
    EXPECT_EQ(b->songs[0]->Status(), kSongStatusInStyleFile);
    EXPECT_EQ(test::Text(*b->songs[1], kSongFieldTitle), "Mine");
    EXPECT_EQ(b->songs[1]->Status(), kSongStatusNotInStyleFile);
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Counts().reused, 3);
    EXPECT_EQ(Record("b.sty")->songs.size(), 2u);
}

// Damage done to the data file of a folder with three records, at its second record.
struct Damage {
    const char* name;
    std::string (*apply)(const std::string& text, size_t secondRecord);
    long reanalysedAtMost;
    const char* warning;
};

class DamagedDataFileTest : public test::TreeScanTest,
                            public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedDataFileTest, CostsOnlyTheAnalysisOfTheAffectedFiles) {
    for (int i = 0; i < 3; ++i) {
        Put(StrFormat("x%d.sty", i), test::StyleBytes(500000 + static_cast<uint32_t>(i) * 1000));
    }
    ASSERT_EQ(Scan(false), 0);
    const std::string text = dir.Read("ZOL.SDB");
    const size_t second = text.find("\r\nD|", text.find("\r\nD|") + 2) + 2;
    dir.Write("ZOL.SDB", GetParam().apply(text, second));
    test::SetMTime(root + "ZOL.SDB", test::Shifted(-60));
    ASSERT_EQ(Scan(false), 0);
    ExpectProgramGoesOn();
    // The damage is reported (a line too long or a cut line is not), and only that.
    const std::string warning = GetParam().warning;
    EXPECT_EQ(sink.boxes.size(), warning.empty() ? 0u : 1u);
    EXPECT_TRUE(warning.empty() || sink.BoxContains(warning));
    EXPECT_EQ(Listed().size(), 3u);
    EXPECT_LE(Counts().analysed + Counts().reanalysed, GetParam().reanalysedAtMost);
    EXPECT_EQ(Counts().dataFilesWritten, 1);
    // The folder's data file is whole again.
    ASSERT_EQ(DataRows("ZOL.SDB").size(), 3u);
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().reused, 3);
    EXPECT_EQ(Counts().dataFilesWritten, 0);
}

const Damage kDamages[] = {
    {"UnknownLineType",
     [](const std::string& t, size_t at) { return t.substr(0, at) + "X" + t.substr(at + 1); }, 2,
     "Unknown dataline type"},
    {"MoreFieldsThanHeader",
     [](const std::string& t, size_t at) {
         return t.substr(0, t.find("\r\n", at)) + "|1|2|" + t.substr(t.find("\r\n", at));
     },
     2, "Too much fields in data line"},
    {"OverlongLine",
     [](const std::string& t, size_t at) {
         return t.substr(0, at + 2) + std::string(2000, '7') + t.substr(at + 2);
     },
     2, ""},
    {"SeventeenCharacterDate",
     [](const std::string& t, size_t at) {
         std::string s = t;
         const size_t date = s.find(" ", at) - 10;  // "YYYY-MM-DD hh:mm"
         return s.insert(date, "1");
     },
     2, "Error reading filedate data"},
    {"CutInsideTheLastRecord",
     [](const std::string& t, size_t) { return t.substr(0, t.rfind("\r\nD|") + 20); }, 1, ""},
    {"CutInsideTheLastRecordAfterItsVersion",
     [](const std::string& t, size_t) {
         const size_t last = t.rfind("\r\nD|");
         return t.substr(0, t.find("|-|", last) + 3);
     },
     1, ""},
    {"LastLineEndLost", [](const std::string& t, size_t) { return t.substr(0, t.size() - 2); }, 0,
     ""},
    {"CutBeforeTheLastRecordsClosingBar",
     [](const std::string& t, size_t) { return t.substr(0, t.size() - 3); }, 1, ""},
    {"JunkAfterTheLastRecord",
     [](const std::string& t, size_t) { return t + std::string("garbage\0|D|1|\r\n", 15); }, 0,
     "Unknown dataline type"},
    {"BinaryJunk", [](const std::string&, size_t) { return std::string("\x01\xff\0D|x\x1a", 7); },
     3, "Unknown dataline type"},
    {"HeaderLost",
     [](const std::string& t, size_t) {
         std::string s = t;
         return s.erase(s.find("H|"), s.find("\r\n", s.find("H|")) - s.find("H|") + 2);
     },
     3, "Too much fields in data line"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedDataFileTest, ::testing::ValuesIn(kDamages),
                         [](const auto& kind) { return std::string(kind.param.name); });

TEST_F(TreeScanRulesTest, AbortKeepsFinishedFoldersAndLeavesTheOthersUntouched) {
    for (int i = 0; i < 10; ++i) {
        Put(StrFormat("p/q/c%d.sty", i), test::StyleBytes(600000 + static_cast<uint32_t>(i)));
    }
    Put("p/b.sty", test::StyleBytes(610000));
    Put("p/b2.sty", test::StyleBytes(620000));
    ASSERT_EQ(Scan(), 0);
    // Changes in every folder; the kept records of the deepest folder are counted first, so
    // the tenth count falls on its last record.
    test::SetMTime(root + "p/q/c0.sty", test::FileMTime(root + "p/q/ZOL.SDB"));
    fs::remove(root + "p/b2.sty");
    test::SetMTime(root + "a.sty", test::FileMTime(root + "ZOL.SDB"));
    const std::string parentBefore = dir.Read("p/ZOL.SDB");
    const std::string topBefore = dir.Read("ZOL.SDB");
    const timespec deepBefore = test::FileMTime(root + "p/q/ZOL.SDB");
    hooked.onText = [](int pane, const std::string& text) {
        if (pane == 1 && text == "10") {
            ScanState().abortFlag.store(1);
        }
    };
    EXPECT_EQ(Scan(), status::kAbortedByUser);
    hooked.onText = nullptr;
    EXPECT_EQ(ScanState().treeComplete, 0);
    EXPECT_FALSE(test::SameTime(test::FileMTime(root + "p/q/ZOL.SDB"), deepBefore));
    EXPECT_EQ(dir.Read("p/ZOL.SDB"), parentBefore);
    EXPECT_EQ(dir.Read("ZOL.SDB"), topBefore);
    EXPECT_EQ(Listed().size(), 10u);  // only the finished folder's records
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(DataRows("p/ZOL.SDB").size(), 1u);
}

TEST_F(TreeScanRulesTest, AbortAtTheFirstFileWritesNothing) {
    hooked.onText = [this](int pane, const std::string& text) {
        if (pane == 0 && text == "Processing " + root + "sub/") {
            ScanState().abortFlag.store(1);
        }
    };
    EXPECT_EQ(Scan(), status::kAbortedByUser);
    EXPECT_FALSE(fs::exists(root + "ZOL.SDB"));
    EXPECT_FALSE(fs::exists(root + "sub/ZOL.SDB"));
    EXPECT_TRUE(Listed().empty());
}

TEST_F(TreeScanRulesTest, DataFileThatIsAPipeIsNotWaitedFor) {
    ASSERT_EQ(mkfifo((root + "ZOL.SDB").c_str(), 0644), 0);
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().analysed, 2);
    EXPECT_TRUE(fs::is_regular_file(root + "ZOL.SDB"));
    EXPECT_EQ(DataRows("ZOL.SDB").size(), 2u);
}

TEST_F(TreeScanRulesTest, FileThatCannotBeAnalysedIsLeftOutAndTriedAgain) {
    bool failB = true;
    SetScanFileAnalysis([&failB](StyleDataPacket& record, const std::string& path,
                                 const std::string& name) {
        return failB && name == "b.sty" ? status::kCannotOpenFile : AnalyseFile(record, path, name);
    });
    ASSERT_EQ(Scan(false), 0);
    EXPECT_THAT(Listed(), ElementsAre("a.sty"));
    EXPECT_EQ(Counts().failed, 1);
    failB = false;
    ASSERT_EQ(Scan(false), 0);
    EXPECT_EQ(Counts().analysed, 1);
    EXPECT_EQ(Listed().size(), 2u);
    // A kept file that can no longer be analysed is dropped; the scan goes on.
    failB = true;
    test::SetMTime(root + "b.sty", test::FileMTime(root + "ZOL.SDB"));
    ASSERT_EQ(Scan(false), 0);
    EXPECT_THAT(Listed(), ElementsAre("a.sty"));
    EXPECT_EQ(DataRows("ZOL.SDB").size(), 1u);
    SetScanFileAnalysis({});
}

}  // namespace
}  // namespace kelvane
