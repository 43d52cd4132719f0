#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/ZOLCommonStringPool.h"

namespace kelvane {
namespace {

std::vector<std::string> Enumerate(const CommonStringPool& pools, int pool) {
    std::vector<std::string> texts;
    for (const PooledText* t = pools.Next(pool, nullptr); t != nullptr; t = pools.Next(pool, t)) {
        texts.emplace_back(t->text);
    }
    return texts;
}

TEST(CommonStringPool, EqualTextsShareOneEntryAndCaseMatters) {
    CommonStringPool pools;
    const PooledText* a = pools.Intern(9, "Lumira");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(pools.Intern(9, std::string("Lumira")), a);
    EXPECT_NE(pools.Intern(9, "lumira"), a);
    EXPECT_NE(pools.Intern(10, "Lumira"), a);  // every field has its own pool
    EXPECT_EQ(pools.Count(9), 2u);
    EXPECT_EQ(pools.Find(9, "Lumira"), a);
    EXPECT_EQ(pools.Find(9, "LUMIRA"), nullptr);
    // Texts are bytes: an embedded NUL is part of the text.
    EXPECT_NE(pools.Intern(9, std::string_view("Lum\0ra", 6)), pools.Intern(9, "Lum"));
}

TEST(CommonStringPool, PoolNumbersOutside0To46AreRefused) {
    CommonStringPool pools;
    EXPECT_EQ(pools.Intern(-1, "x"), nullptr);
    EXPECT_EQ(pools.Intern(kStringPoolCount, "x"), nullptr);
    EXPECT_NE(pools.Intern(kStringPoolCount - 1, "x"), nullptr);
    EXPECT_EQ(pools.Next(kStringPoolCount, nullptr), nullptr);
    EXPECT_EQ(pools.Count(kStringPoolCount), 0u);
}

TEST(CommonStringPool, EmptyTextIsThePermanentOneOutsideEveryPool) {
    CommonStringPool pools;
    EXPECT_EQ(pools.Intern(5, ""), CommonStringPool::EmptyText());
    EXPECT_EQ(pools.Count(5), 0u);
    EXPECT_EQ(pools.Next(5, CommonStringPool::EmptyText()), nullptr);
    pools.Clear();
    EXPECT_EQ(CommonStringPool::EmptyText()->text, "");
}

TEST(CommonStringPool, EnumerationWalksBucketsByUnsignedFirstByte) {
    CommonStringPool pools;
    // 'b' is bucket 2; 'A', 'a' and 0xE1 (225 % 32) all fall into bucket 1.
    for (const char* text : {"b", "A", "\xE1x", "a"}) {
        pools.Intern(3, text);
    }
    EXPECT_EQ(Enumerate(pools, 3), (std::vector<std::string>{"A", "\xE1x", "a", "b"}));
    EXPECT_TRUE(Enumerate(pools, 4).empty());
    // A cursor from another pool is not a position in this one.
    EXPECT_EQ(pools.Next(4, pools.Find(3, "A")), nullptr);
}

TEST(CommonStringPool, EntriesKeepTheirAddressWhilePoolsGrow) {
    CommonStringPool pools;
    const PooledText* first = pools.Intern(5, "Style 0");
    const std::string huge(200 * 1024, 'h');  // longer than a text chunk
    const PooledText* big = pools.Intern(5, huge);
    for (int i = 1; i < 100000; ++i) {
        pools.Intern(5, "Style " + std::to_string(i));
    }
    EXPECT_EQ(pools.Count(5), 100001u);
    EXPECT_EQ(first->text, "Style 0");
    EXPECT_EQ(big->text, huge);
    EXPECT_EQ(pools.Intern(5, "Style 0"), first);
    EXPECT_EQ(pools.Find(5, "Style 99999")->text, "Style 99999");
    EXPECT_EQ(Enumerate(pools, 5).size(), 100001u);
}

TEST(CommonStringPool, ClearEmptiesEveryPoolAndRefillingAllocatesNothing) {
    CommonStringPool pools;
    auto fill = [&pools] {
        for (int i = 0; i < 20000; ++i) {
            pools.Intern(i % kStringPoolCount, "text " + std::to_string(i));
        }
    };
    fill();
    const size_t allocations = pools.Stats().allocations;
    pools.Clear();
    for (int pool = 0; pool < kStringPoolCount; ++pool) {
        EXPECT_EQ(pools.Count(pool), 0u);
        EXPECT_EQ(pools.Next(pool, nullptr), nullptr);
    }
    EXPECT_EQ(pools.Find(0, "text 0"), nullptr);
    fill();
    EXPECT_EQ(pools.Stats().allocations, allocations);
    EXPECT_EQ(pools.Stats().texts, 20000u);

    // A text longer than any chunk after a clear gets a chunk of its own.
    pools.Clear();
    const std::string huge(100 * 1024, 'x');
    EXPECT_EQ(pools.Intern(1, huge)->text, huge);
    EXPECT_EQ(pools.Intern(1, "after")->text, "after");
}

}  // namespace
}  // namespace kelvane
