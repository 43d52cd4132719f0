// Reading a folder tree behind a progress host: the checks, the status texts, the rescan
// variants, abort and a failing scan.
#include "app/ZOLReadFolder.h"

#include <gmock/gmock.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "analysis/ZOLStyleFile.h"
#include "app/AppTestEnv.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::HasSubstr;

class ReadFolderTest : public test::AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
        ListViewMgr().RegisterList(ListKind::Files, nullptr);
        ListViewMgr().RegisterList(ListKind::Songs, nullptr);
        ListViewMgr().ShowFileList();
        for (const char* name : {"Styles/a.sty", "Styles/b.prs"}) {
            files.Write(name, test::StyleFileBuilder(test::StyleMidi({"SFF1", name})).Bytes());
        }
        folder = files.Folder() + "Styles/";
        panes.texts.clear();
    }
    void TearDown() override {
        SetScanFileAnalysis({});
        ListViewMgr().ClearBothLists();
        AppFixture::TearDown();
    }
    std::string LastPane(char pane) const {
        for (auto it = panes.texts.rbegin(); it != panes.texts.rend(); ++it) {
            if ((*it)[0] == pane) {
                return it->substr(2);
            }
        }
        return "";
    }

    test::TempDir files;
    std::string folder;
    CWaitingProgressHost waiting;
};

TEST_F(ReadFolderTest, MissingFolderIsRefusedBeforeAnythingHappens) {
    EXPECT_EQ(ReadFolderTree(folder + "nope", true, RefreshKind::Normal, waiting),
              status::kRefreshFolderMissing);
    EXPECT_THAT(dialogs.boxes, Contains("Folder does not exist.\n(Or drive is not ready)"));
    EXPECT_TRUE(panes.texts.empty());
}

TEST_F(ReadFolderTest, ReadShowsProgressThenTheListAndTheRate) {
    ASSERT_EQ(ReadFolderTree(folder, false, RefreshKind::Normal, waiting), 0);
    EXPECT_EQ(ListViewMgr().RowCount(), 2);
    EXPECT_TRUE(std::filesystem::exists(folder + "ZOL.SDB"));
    const std::vector<std::string>& t = panes.texts;
    const auto at = [&t](const std::string& text) { return std::find(t.begin(), t.end(), text); };
    ASSERT_NE(at("0:Reading style data..."), t.end());
    EXPECT_LT(at("0:Reading style data..."), at("0:Processing " + folder));
    EXPECT_LT(at("0:Processing " + folder), at("0:Preparing list..."));
    EXPECT_NE(at("0:Preparing list..."), t.end());
    EXPECT_THAT(LastPane('0'), HasSubstr("Showing 2 styles"));
    EXPECT_THAT(LastPane('1'), EndsWith(" files/sec"));
}

TEST_F(ReadFolderTest, RescanVariantsLastForOneRead) {
    ASSERT_EQ(ReadFolderTree(folder, false, RefreshKind::Normal, waiting), 0);
    ASSERT_EQ(ReadFolderTree(folder, false, RefreshKind::SoftRescan, waiting), 0);
    EXPECT_EQ(LastTreeScanCounts().reanalysed, 2);
    ASSERT_EQ(ReadFolderTree(folder, false, RefreshKind::HardRescan, waiting), 0);
    EXPECT_EQ(LastTreeScanCounts().analysed, 2);
    ASSERT_EQ(ReadFolderTree(folder, false, RefreshKind::Normal, waiting), 0);
    EXPECT_EQ(LastTreeScanCounts().reused, 2);
}

// Presses Abort once the scan is inside its first analysis.
class AbortingHost final : public IProgressHost {
  public:
    void RunModal(CWorkSession& session) override {
        while (!session.WaitForClose(std::chrono::milliseconds(1))) {
            if (inAnalysis.load()) {
                session.RequestAbort();
            }
        }
    }
    std::atomic<bool> inAnalysis{false};
};

TEST_F(ReadFolderTest, AbortLeavesAbortedInTheStatusBarAndClearsTheFlag) {
    AbortingHost host;
    SetScanFileAnalysis(
        [&host](StyleDataPacket& record, const std::string& path, const std::string& name) {
            host.inAnalysis = true;
            for (int i = 0; i < 5000 && ScanState().abortFlag.load() == 0; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return AnalyseFile(record, path, name);
        });
    EXPECT_EQ(ReadFolderTree(folder, false, RefreshKind::Normal, host), status::kAbortedByUser);
    EXPECT_EQ(LastPane('0'), "Aborted");
    EXPECT_EQ(ScanState().abortFlag.load(), 0);
    EXPECT_EQ(ListViewMgr().RowCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder + "ZOL.SDB"));
}

TEST_F(ReadFolderTest, FailingScanIsReportedAndLeavesAnEmptyList) {
    std::filesystem::remove(dir.Folder() + "kelvane.CFA");
    EXPECT_EQ(ReadFolderTree(folder, true, RefreshKind::Normal, waiting), -10420);
    EXPECT_TRUE(sink.BoxContains("Error scanning styles - Error Nr :  -10420"));
    EXPECT_EQ(ListViewMgr().RowCount(), 0);
    EXPECT_TRUE(RecordStore().records.empty());
}

}  // namespace
}  // namespace kelvane
