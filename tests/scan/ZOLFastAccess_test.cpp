#include <gtest/gtest.h>

#include <filesystem>

#include "scan/ScanTestEnv.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLFastAccess.h"
#include "support/FaultPoints.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

using test::MakeRecord;
using test::Text;

class FastAccessTest : public test::ScanTest {
  protected:
    void SetUp() override {
        test::ScanTest::SetUp();
        start = dir.Folder() + "Styles/";
        for (const char* sub : {"A/B/", "C/"}) {
            std::filesystem::create_directories(start + sub);
        }
        dir.Write("Styles/top.sty", "x");
        dir.Write("Styles/A/a.sty", "x");
        dir.Write("Styles/A/B/b.sty", "x");
        records.Append(MakeRecord(start, "top.sty", 1));
        records.Append(MakeRecord(start + "A/", "a.sty", 2));
        records.Append(MakeRecord(start + "A/B/", "b.sty", 3));
        ScanStateValues& state = ScanState();
        state.treeComplete = 1;
        state.includeSubfolders = 1;
        state.currentStartFolder = start;
    }
    void TearDown() override {
        records.ReleaseAll();
        readBack.ReleaseAll();
        test::ScanTest::TearDown();
    }
    StatusCode Write() { return WriteFastAccessDataFiles(records, std::chrono::milliseconds(0)); }
    std::size_t RecordsIn(const std::string& folder) {
        readBack.ReleaseAll();
        EXPECT_EQ(ProcessStyleDataFile(folder + "ZOLFA.SDB", folder, readBack), 0) << folder;
        return readBack.size();
    }

    std::string start;
    RecordList records;
    RecordList readBack;
};

TEST_F(FastAccessTest, RefusedAfterIncompleteScanOnReadOnlyMediaAndWithoutSubfolders) {
    struct Case {
        int complete, readOnly, subfolders;
        const char* message;
    };
    const Case cases[] = {
        {0, 0, 1, "This function requires that processing of all folders was successful\n"},
        {1, 1, 1, "This function cannot be used on read-only media."},
        {1, 0, 0, "This function requires that 'Include Subfolders' is selected."},
    };
    for (const Case& c : cases) {
        dialogs.texts.clear();
        ScanState().treeComplete = c.complete;
        ScanState().readOnlyMedium = c.readOnly;
        ScanState().includeSubfolders = c.subfolders;
        EXPECT_EQ(Write(), 0);
        ASSERT_EQ(dialogs.texts.size(), 1u);
        EXPECT_EQ(dialogs.texts[0].rfind(c.message, 0), 0u) << dialogs.texts[0];
        EXPECT_FALSE(std::filesystem::exists(start + "ZOLFA.SDB"));
    }
}

TEST_F(FastAccessTest, EveryFolderGetsTheRecordsOfItsSubtree) {
    ASSERT_EQ(Write(), 0);
    EXPECT_EQ(RecordsIn(start), 3u);
    EXPECT_EQ(RecordsIn(start + "A/"), 2u);
    EXPECT_EQ(RecordsIn(start + "A/B/"), 1u);
    EXPECT_FALSE(std::filesystem::exists(start + "C/ZOLFA.SDB"));
    EXPECT_EQ(dialogs.texts, std::vector<std::string>{"Fast Access Data created."});
    EXPECT_EQ(panes.Last(0), " ");
    const std::string text = dir.Read("Styles/A/ZOLFA.SDB");
    EXPECT_EQ(text.rfind("V|5\r\nP|" + start + "A/\r\n", 0), 0u);
}

TEST_F(FastAccessTest, TreeWrittenInOneFolderIsListedWhereverItIsReadFrom) {
    ASSERT_EQ(Write(), 0);
    const std::string mounted = dir.Folder() + "mnt/cd/";
    std::filesystem::create_directories(mounted);
    std::filesystem::copy_file(start + "ZOLFA.SDB", mounted + "ZOLFA.SDB");
    ASSERT_EQ(ReadFastAccessDataFile(mounted, readBack), 0);
    ASSERT_EQ(readBack.size(), 3u);
    EXPECT_EQ(Text(*readBack[0], kFieldPath), mounted);
    EXPECT_EQ(Text(*readBack[1], kFieldPath), mounted + "A/");
    EXPECT_EQ(Text(*readBack[2], kFieldPath), mounted + "A/B/");
    EXPECT_EQ(Text(*readBack[2], kFieldFilename), "b.sty");
    EXPECT_EQ(ScanState().fileCounter, 3);
}

TEST_F(FastAccessTest, FirstFailingFolderStopsAndIsReported) {
    dir.Write("Styles/ZOLFA.SDB", "old\r\n");
    ArmedFault full(FaultPoint::AtomicFileWrite, 1);
    EXPECT_EQ(Write(), status::kDataFileWrite);
    EXPECT_TRUE(sink.BoxContains("Fast Access Data creation failed (Error Code):  -10381"));
    EXPECT_EQ(dir.Read("Styles/ZOLFA.SDB"), "old\r\n");
    EXPECT_FALSE(std::filesystem::exists(start + "A/ZOLFA.SDB"));
}

}  // namespace
}  // namespace kelvane
