#include "support/NUVWorkThread.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <latch>
#include <thread>

#include "support/NUVConsoleProgress.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

TEST(WorkJobTexts, EmptyTextsGetDefaultsGivenOnesStay) {
    WorkJobTexts given;
    given.finished = "All done";
    const WorkJobTexts texts = CompleteWorkJobTexts(given);
    EXPECT_EQ(texts.working, "Working...");
    EXPECT_EQ(texts.finished, "All done");
    EXPECT_EQ(texts.error, "Finished with error");
    EXPECT_EQ(texts.aborting, "Aborting...");
    EXPECT_EQ(texts.aborted, "Aborted");
    EXPECT_EQ(texts.title, "Working");
    EXPECT_EQ(FinalStatusText(texts, -206), "Aborted");
    EXPECT_EQ(FinalStatusText(texts, -1), "Finished with error");
    EXPECT_EQ(FinalStatusText(texts, 0), "All done");
}

TEST(WorkSession, OpeningClearsTheAbortFlagAndCloseCallbackRunsOnce) {
    std::atomic<int> flag{1};
    CWorkSession session(CompleteWorkJobTexts({}), &flag);
    EXPECT_EQ(flag.load(), 0);
    session.RequestAbort();
    EXPECT_EQ(flag.load(), 1);
    EXPECT_TRUE(session.AbortRequested());

    int calls = 0;
    session.OnCloseRequested([&calls] { ++calls; });
    EXPECT_FALSE(session.WaitForClose(std::chrono::milliseconds(1)));
    session.RequestClose();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(session.CloseRequested());
    // Registered after the close: it runs at once.
    int late = 0;
    session.OnCloseRequested([&late] { ++late; });
    EXPECT_EQ(late, 1);
}

TEST(NuvWorkJob, DisplaysWorkingThenTheFinalTextThroughTheJob) {
    NuvWorkJob job;
    std::vector<std::string> shown;
    job.displayText = [&shown](const std::string& text) { shown.push_back(text); };
    job.abortFlag = 1;
    StatusCode result = 0;
    ASSERT_EQ(RunNuvWorkJob(
                  [](NuvWorkJob& running) {
                      EXPECT_NE(running.dialog, nullptr);
                      return running.Aborted() ? -206 : -3;
                  },
                  &job, {}, &result),
              0);
    EXPECT_EQ(result, -3);  // the flag was cleared when the window opened
    EXPECT_EQ(shown, (std::vector<std::string>{"Working...", "Finished with error"}));
    EXPECT_EQ(job.dialog, nullptr);

    // Without a job the shared one is used; without a function nothing runs.
    ASSERT_EQ(RunNuvWorkJob([](NuvWorkJob&) { return 0; }, nullptr, {}, &result), 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(SharedNuvWorkJob().texts.finished, "Finished");
    EXPECT_EQ(RunNuvWorkJob({}, nullptr, {}), status::kNoThreadFunction);
}

TEST(ConsoleProgressHost, CtrlCAbortsTheJobAndSaysSo) {
    test::CapturingSink sink;
    char* buffer = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    ASSERT_NE(out, nullptr);
    CConsoleProgressHost host(out);
    SetProgressHost(&host);
    NuvWorkJob job;
    std::latch waiting{1};
    StatusCode result = 0;
    std::atomic<bool> ended{false};
    // Pressed again until it lands: the host forgets a Ctrl-C from before it started waiting.
    std::thread interrupter([&waiting, &ended] {
        waiting.wait();
        while (!ended) {
            SimulateConsoleInterrupt();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    WorkJobTexts texts;
    texts.title = "Copying";
    RunNuvWorkJob(
        [&waiting](NuvWorkJob& running) {
            waiting.count_down();
            while (!running.Aborted()) {
                std::this_thread::yield();
            }
            return -206;
        },
        &job, texts, &result);
    ended = true;
    interrupter.join();
    SetProgressHost(nullptr);
    std::fclose(out);
    EXPECT_EQ(result, -206);
    EXPECT_EQ(std::string(buffer, size), "Copying ...\nAborting...\n");
    std::free(buffer);
}

}  // namespace
}  // namespace kelvane
