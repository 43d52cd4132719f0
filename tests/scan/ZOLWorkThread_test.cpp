#include <gtest/gtest.h>

#include <latch>
#include <thread>

#include "scan/ScanTestEnv.h"
#include "scan/ZOLWorkThread.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

// Presses Abort once the job says it has started, then waits like a modal window.
class AbortingHost final : public IProgressHost {
  public:
    void RunModal(CWorkSession& session) override {
        started.wait();
        title = session.Texts().title;
        information = session.Information();
        session.RequestAbort();
        session.WaitForClose();
    }
    std::latch started{1};
    std::string title;
    std::string information;
};

class WorkThreadTest : public test::ScanTest {
  protected:
    void TearDown() override {
        SetProgressHost(nullptr);
        test::ScanTest::TearDown();
    }
};

TEST_F(WorkThreadTest, FinalStatusTextFollowsTheJobsStatus) {
    struct Case {
        StatusCode result;
        const char* text;
    };
    for (const Case& c : {Case{0, "Finished"}, Case{-5, "Finished with error"},
                          Case{status::kAbortedByUser, "Aborted"}}) {
        panes.texts.clear();
        StatusCode jobStatus = 1;
        EXPECT_EQ(RunWorkJob([&c](ZolWorkJob&) { return c.result; }, {}, &jobStatus), 0);
        EXPECT_EQ(jobStatus, c.result);
        ASSERT_EQ(panes.texts.size(), 2u);
        EXPECT_EQ(panes.texts[0].second, "Working...");
        EXPECT_EQ(panes.Last(0), c.text);
    }
    WorkJobTexts given;
    given.aborted = "Stopped by you";
    RunWorkJob([](ZolWorkJob&) { return status::kAbortedByUser; }, given);
    EXPECT_EQ(panes.Last(0), "Stopped by you");
}

TEST_F(WorkThreadTest, AbortButtonReachesTheJobOnItsWorkerThread) {
    AbortingHost host;
    SetProgressHost(&host);
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id worker;
    StatusCode jobStatus = 0;
    WorkJobTexts texts;
    texts.title = "Import Style Data";
    ASSERT_EQ(RunWorkJob(
                  [&](ZolWorkJob& job) {
                      worker = std::this_thread::get_id();
                      host.started.count_down();
                      while (!job.Aborted()) {
                          std::this_thread::yield();
                      }
                      return status::kAbortedByUser;
                  },
                  texts, &jobStatus),
              0);
    EXPECT_NE(worker, caller);
    EXPECT_EQ(jobStatus, status::kAbortedByUser);
    EXPECT_EQ(panes.Last(0), "Aborted");
    EXPECT_EQ(host.title, "Import Style Data");
}

TEST_F(WorkThreadTest, OneWorkerAtATimeAndAFunctionIsRequired) {
    StatusCode inner = 0;
    RunWorkJob([&inner](ZolWorkJob&) { return RunWorkJob([](ZolWorkJob&) { return 0; }); }, {},
               &inner);
    EXPECT_EQ(inner, status::kWorkerBusy);
    EXPECT_EQ(RunWorkJob({}), status::kNoThreadFunction);
    ZolWorkJob job;
    EXPECT_EQ(RunZolWorkThread({}, job, {}), status::kNoThreadFunction);
}

TEST_F(WorkThreadTest, ScanFailureEmptiesTheListAndIsShownUnlessAbortOrWriteError) {
    struct Case {
        StatusCode result;
        bool warned;
    };
    for (const Case& c :
         {Case{status::kHeaderUnknownField, true}, Case{0, false},
          Case{status::kAbortedByUser, false}, Case{status::kDataFileOpenForWrite, false}}) {
        sink.boxes.clear();
        RecordStore().records.Append(test::MakeRecord("/a/", "x.sty", 1));
        ScanState().abortFlag = 1;
        int seenAbort = -1;
        StatusCode scanStatus = 1;
        ASSERT_EQ(RunScanWith(
                      [&](const std::string& folder, int subfolders) {
                          EXPECT_EQ(folder, "/start/");
                          EXPECT_EQ(subfolders, 1);
                          seenAbort = ScanState().abortFlag;
                          return c.result;
                      },
                      "/start/", 1, &scanStatus),
                  0);
        EXPECT_EQ(seenAbort, 0);
        EXPECT_EQ(scanStatus, c.result);
        EXPECT_EQ(RecordStore().records.empty(), c.warned) << c.result;
        EXPECT_EQ(sink.BoxContains("Error scanning styles - Error Nr :  -10372 \n "), c.warned);
        RecordStore().records.ReleaseAll();
    }
}

TEST_F(WorkThreadTest, ScanWindowAbortSetsTheScanAbortFlag) {
    Start(kRunModeMidi);
    AbortingHost host;
    SetProgressHost(&host);
    StatusCode scanStatus = 0;
    RunScanWith(
        [&host](const std::string&, int) {
            host.started.count_down();
            while (ScanState().abortFlag == 0) {
                std::this_thread::yield();
            }
            return status::kAbortedByUser;
        },
        "/s/", 0, &scanStatus);
    EXPECT_EQ(scanStatus, status::kAbortedByUser);
    EXPECT_EQ(host.title, "Reading Midi Data");
    EXPECT_EQ(host.information.rfind("Reading midi data for the first time", 0), 0u);
}

TEST_F(WorkThreadTest, ReadRateIsShownInFilesPerSecond) {
    StartReadTiming();
    // A read that began 1000 s ago: 1000 files then are one per second, 250,000 are 250.
    ScanState().readStart -= std::chrono::seconds(1000);
    ShowReadRate(1000);
    EXPECT_EQ(panes.Last(1), "1 files/sec");
    ShowReadRate(250000);
    EXPECT_EQ(panes.Last(1), "250 files/sec");
}

}  // namespace
}  // namespace kelvane
