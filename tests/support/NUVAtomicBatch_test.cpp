// Replacements made durable together: nothing is replaced before the flush, the order of the
// commits is kept, a failure stops the queue there and nothing is left behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/NUVAtomicFile.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

class AtomicBatchTest : public ::testing::Test {
  protected:
    // Replaces `name` with `text` through a committed atomic file.
    bool Replace(const std::string& name, const std::string& text) {
        CNuvAtomicFile file;
        return file.Open(dir.Folder() + name, false) && file.Write(text) && file.Commit();
    }
    size_t Entries() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir.Path()), {}));
    }
    test::TempDir dir;
};

TEST_F(AtomicBatchTest, QueuedFilesReplaceTheirTargetsOnlyWhenFlushed) {
    dir.Write("a", "old a");
    CNuvAtomicBatch batch;
    ASSERT_TRUE(Replace("a", "new a"));
    ASSERT_TRUE(Replace("b", "new b"));
    EXPECT_EQ(batch.Pending(), 2u);
    EXPECT_EQ(dir.Read("a"), "old a");
    EXPECT_FALSE(fs::exists(dir.Path() / "b"));
    ASSERT_TRUE(batch.Flush());
    EXPECT_EQ(batch.Placed(), 2u);
    EXPECT_EQ(batch.Pending(), 0u);
    EXPECT_EQ(dir.Read("a"), "new a");
    EXPECT_EQ(dir.Read("b"), "new b");
    EXPECT_EQ(Entries(), 2u);  // no temporary file left
}

TEST_F(AtomicBatchTest, FailureKeepsTheTargetsFromThereOnAndLeavesNoTemporaries) {
    dir.Write("sub/x", "old x");
    dir.Write("z", "old z");
    CNuvAtomicBatch batch;
    ASSERT_TRUE(Replace("y", "new y"));
    ASSERT_TRUE(Replace("sub/x", "new x"));
    ASSERT_TRUE(Replace("z", "new z"));
    // The target cannot be replaced any more: a folder stands in its place.
    fs::remove(dir.Path() / "sub" / "x");
    fs::create_directories(dir.Path() / "sub" / "x" / "inner");
    EXPECT_FALSE(batch.Flush());
    EXPECT_EQ(batch.Placed(), 1u);
    EXPECT_EQ(batch.FailedPath(), dir.Folder() + "sub/x");
    EXPECT_NE(batch.Error(), 0);
    EXPECT_EQ(dir.Read("y"), "new y");
    EXPECT_EQ(dir.Read("z"), "old z");
    EXPECT_EQ(Entries(), 3u);  // y, z and sub
    EXPECT_EQ(static_cast<size_t>(std::distance(fs::directory_iterator(dir.Path() / "sub"), {})),
              1u);
}

TEST_F(AtomicBatchTest, BackgroundFlushPlacesWhatWasQueuedAndReportsItsFailureOnce) {
    dir.Write("sub/x", "old x");
    CNuvAtomicBatch batch;
    ASSERT_TRUE(Replace("a", "new a"));
    ASSERT_TRUE(batch.StartFlush());
    ASSERT_TRUE(Replace("b", "new b"));  // queued while the flush runs: waits for the next
    EXPECT_EQ(batch.Pending(), 1u);
    ASSERT_TRUE(batch.WaitFlush());
    EXPECT_FALSE(batch.Flushing());
    EXPECT_EQ(batch.Placed(), 1u);
    EXPECT_EQ(dir.Read("a"), "new a");
    EXPECT_FALSE(fs::exists(dir.Path() / "b"));

    ASSERT_TRUE(Replace("sub/x", "new x"));
    fs::remove(dir.Path() / "sub" / "x");
    fs::create_directories(dir.Path() / "sub" / "x" / "inner");
    ASSERT_TRUE(batch.StartFlush());   // b, then x, which fails
    EXPECT_FALSE(batch.StartFlush());  // the failure is seen: nothing more starts
    EXPECT_EQ(batch.FailedPath(), dir.Folder() + "sub/x");
    EXPECT_EQ(dir.Read("b"), "new b");
    EXPECT_TRUE(batch.WaitFlush());  // reported once; the next flush starts clean
    ASSERT_TRUE(Replace("c", "new c"));
    ASSERT_TRUE(batch.Flush());
    EXPECT_EQ(dir.Read("c"), "new c");
    EXPECT_EQ(Entries(), 4u);  // a, b, c and sub: no temporary file left
}

TEST_F(AtomicBatchTest, BatchLeftUnflushedChangesNothingAndAfterItCommitsAreDirect) {
    dir.Write("a", "old a");
    {
        CNuvAtomicBatch batch;
        ASSERT_TRUE(Replace("a", "lost"));
    }
    EXPECT_EQ(dir.Read("a"), "old a");
    EXPECT_EQ(Entries(), 1u);
    ASSERT_TRUE(Replace("a", "direct"));
    EXPECT_EQ(dir.Read("a"), "direct");
}

}  // namespace
}  // namespace kelvane
