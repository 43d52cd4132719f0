#include "records/ZOLPacketPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVANE_TEST_LEAKS 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELVANE_TEST_LEAKS 1
#endif
#ifdef KELVANE_TEST_LEAKS
#include <sanitizer/lsan_interface.h>
#endif

namespace kelvane {
namespace {

struct TestPacket {
    bool inFreePool = false;
    std::string text;  // on the heap once filled: a packet not destroyed would leak it
};

// Enough packets to fill the small blocks and two blocks of huge pages.
constexpr size_t kMany = 30000;

TEST(PacketPoolTest, PacketsOfGrowingBlocksAreFreshDistinctAndReusedAfterRelease) {
    PacketPool<TestPacket, 16> pool;
    std::vector<TestPacket*> packets;
    for (size_t i = 0; i < kMany; ++i) {
        TestPacket* packet = pool.Take();
        ASSERT_NE(packet, nullptr);
        ASSERT_TRUE(packet->text.empty()) << i;
        packet->text = "a text longer than the small-string buffer " + std::to_string(i);
        packets.push_back(packet);
    }
    EXPECT_GT(pool.Allocations(), 1u);
    for (size_t i = 0; i < kMany; ++i) {
        ASSERT_EQ(packets[i]->text,
                  "a text longer than the small-string buffer " + std::to_string(i));
    }
    std::vector<TestPacket*> sorted = packets;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());

    for (size_t i = 0; i < kMany; i += 2) {
        EXPECT_TRUE(pool.Give(packets[i]));
    }
    EXPECT_FALSE(pool.Give(packets[0]));
    const size_t blocks = pool.Allocations();
    for (size_t i = 0; i < kMany / 2; ++i) {
        TestPacket* again = pool.Take();
        ASSERT_NE(again, nullptr);
        EXPECT_FALSE(again->inFreePool);
    }
    EXPECT_EQ(pool.Allocations(), blocks);
    EXPECT_EQ(pool.InUse(), kMany);

    // Everything goes at once (the sanitizers see a packet that is not destroyed), and the
    // pool starts over.
    pool.FreeAll();
    EXPECT_EQ(pool.Allocated(), 0u);
    TestPacket* fresh = pool.Take();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->text.empty());
}

// The blocks do not come from the heap: the leak checker must still see the texts their
// packets hold, in use or waiting on the free stack (a fuzzer checks for leaks after each input).
TEST(PacketPoolTest, TextsHeldByPacketsAreNoLeak) {
#ifdef KELVANE_TEST_LEAKS
    PacketPool<TestPacket, 16> pool;
    for (size_t i = 0; i < 100; ++i) {
        TestPacket* packet = pool.Take();
        ASSERT_NE(packet, nullptr);
        packet->text = "a text longer than the small-string buffer " + std::to_string(i);
        if (i % 2 == 0) {
            pool.Give(packet);
        }
    }
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#else
    GTEST_SKIP() << "only with the leak checker (the sanitizer build)";
#endif
}

}  // namespace
}  // namespace kelvane
