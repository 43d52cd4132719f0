// The tweak id against a slow, literal rendering of its definition (sort the first count
// 32-bit words, then swap neighbours until nothing moves, twice), and the item array's growth.
#include "analysis/ZOLTweak.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/FaultPoints.h"
#include "support/NUVCrc32.h"
#include "support/NUVTrace.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

struct Item {
    int32_t tick;
    uint16_t kind;
    uint16_t note;
};

int32_t LiteralTweakId(std::vector<Item> items) {
    const size_t count = items.size();
    if (count == 0) {
        return 0;
    }
    if (count >= 2) {
        std::vector<uint32_t> words;
        for (const Item& item : items) {
            words.push_back(static_cast<uint32_t>(item.tick));
            words.push_back(item.kind | (uint32_t{item.note} << 16));
        }
        std::sort(words.begin(), words.begin() + static_cast<ptrdiff_t>(count));
        for (size_t i = 0; i < count; ++i) {
            items[i] = {static_cast<int32_t>(words[2 * i]), static_cast<uint16_t>(words[2 * i + 1]),
                        static_cast<uint16_t>(words[2 * i + 1] >> 16)};
        }
        for (bool changed = true; changed;) {
            changed = false;
            for (size_t i = 0; i + 1 < count; ++i) {
                if (items[i].tick == items[i + 1].tick && items[i].kind > items[i + 1].kind) {
                    std::swap(items[i], items[i + 1]);
                    changed = true;
                }
            }
        }
        for (bool changed = true; changed;) {
            changed = false;
            for (size_t i = 0; i + 1 < count; ++i) {
                if (items[i].tick == items[i + 1].tick && items[i].kind == items[i + 1].kind &&
                    items[i].note > items[i + 1].note) {
                    std::swap(items[i], items[i + 1]);
                    changed = true;
                }
            }
        }
    }
    std::vector<uint8_t> bytes;
    for (const Item& item : items) {
        const uint32_t tick = static_cast<uint32_t>(item.tick);
        for (uint32_t value :
             {tick, tick >> 8, tick >> 16, tick >> 24, uint32_t{item.kind},
              uint32_t{item.kind} >> 8, uint32_t{item.note}, uint32_t{item.note} >> 8}) {
            bytes.push_back(static_cast<uint8_t>(value));
        }
    }
    uint32_t crc = 0;
    NUVCalcCRC32ofBuffer(bytes.data(), bytes.size(), crc);
    return static_cast<int32_t>(crc);
}

TEST(ZOLTweak, IdEqualsTheLiteralProcedureOnRandomNotes) {
    std::mt19937 random(7);
    CZOLTweak tweak;
    for (int round = 0; round < 400; ++round) {
        const size_t count = round < 8 ? size_t(round) : random() % (round % 5 == 0 ? 3000 : 300);
        // Few distinct ticks make long runs of equal ticks; wide ticks exercise every byte.
        const uint32_t tickRange = round % 3 == 0 ? 4 : round % 3 == 1 ? 400 : 0xFFFFFFFF;
        std::vector<Item> items;
        tweak.Reset();
        int32_t trackTick = 0;
        for (size_t i = 0; i < count; ++i) {
            Item item{static_cast<int32_t>(random() % tickRange), uint16_t(1 + random() % 2),
                      uint16_t(random() % (round % 7 == 0 ? 65536 : 128))};
            if (round % 4 == 3) {
                // As read: ascending ticks within each track, a few tracks.
                trackTick = random() % 500 == 0 ? 0 : trackTick + int32_t(random() % 50);
                item.tick = trackTick;
            }
            if (round % 11 == 0) {
                item.kind = static_cast<uint16_t>(random());  // any kind the sort may see
            }
            items.push_back(item);
            tweak.Add(item.tick, item.kind, item.note);
        }
        ASSERT_EQ(tweak.TweakId(), LiteralTweakId(items)) << "round " << round;
    }
}

TEST(ZOLTweak, TracksOfVeryDifferentLengthsMergeLikeOneSort) {
    // As a file is read: a short conductor track, then up to eight tracks of ascending ticks
    // whose ranges overlap, some a single note long, some thousands; equal ticks across
    // tracks are common.
    std::mt19937 random(11);
    CZOLTweak tweak;
    for (int round = 0; round < 300; ++round) {
        std::vector<Item> items;
        tweak.Reset();
        const int tracks = 1 + int(random() % 8);
        for (int track = 0; track < tracks; ++track) {
            const size_t length = track == 0  ? 1 + random() % 3
                                  : round % 3 ? 1 + random() % (round % 2 ? 2 : 2000)
                                              : 1 + random() % 200;
            int32_t tick = int32_t(random() % 100);
            for (size_t i = 0; i < length; ++i) {
                tick += int32_t(random() % (round % 4 == 0 ? 2 : 120));
                const Item item{tick, uint16_t(1 + random() % 2), uint16_t(random() % 128)};
                items.push_back(item);
                tweak.Add(item.tick, item.kind, item.note);
            }
        }
        ASSERT_EQ(tweak.TweakId(), LiteralTweakId(items)) << "round " << round;
    }
}

TEST(ZOLTweak, OnlyTheFirstCountWordsAreSorted) {
    // Sorting the items would make both orders equal; sorting the first two words does not.
    CZOLTweak tweak;
    tweak.AddNoteOn(5, 0, 60, 100);
    tweak.AddNoteOn(3, 0, 62, 100);
    const int32_t first = tweak.TweakId();
    tweak.Reset();
    tweak.AddNoteOn(3, 0, 62, 100);
    tweak.AddNoteOn(5, 0, 60, 100);
    EXPECT_NE(tweak.TweakId(), first);
    EXPECT_EQ(first, LiteralTweakId({{5, 1, 60}, {3, 1, 62}}));
}

TEST(ZOLTweak, ResetZeroesTheItemsAndNoNotesGiveZero) {
    CZOLTweak tweak;
    tweak.AddNoteOn(10, 0, 60, 100);
    tweak.AddNoteOff(20, 0, 60, 0);
    EXPECT_NE(tweak.TweakId(), 0);
    tweak.Reset();
    EXPECT_EQ(tweak.Count(), 0u);
    EXPECT_EQ(tweak.Tick(0), 0);
    EXPECT_EQ(tweak.Note(1), 0);
    EXPECT_EQ(tweak.TweakId(), 0);
    EXPECT_EQ(tweak.MaxUsed(), 2u);
}

TEST(ZOLTweak, GrowsByDoublingAndDropsNotesWhenMemoryRunsOut) {
    test::TempDir dir;
    SetTraceFolder(dir.Folder());
    CZOLTweak tweak;
    ASSERT_EQ(tweak.Capacity(), CZOLTweak::kInitialItems);
    for (size_t i = 0; i <= CZOLTweak::kInitialItems; ++i) {
        ASSERT_EQ(tweak.AddNoteOn(static_cast<int32_t>(i), 0, int(i % 128), 1), 0);
    }
    EXPECT_EQ(tweak.Capacity(), 2 * CZOLTweak::kInitialItems);
    EXPECT_EQ(tweak.Tick(CZOLTweak::kInitialItems - 1), int32_t(CZOLTweak::kInitialItems - 1));
    EXPECT_EQ(tweak.Note(CZOLTweak::kInitialItems), CZOLTweak::kInitialItems % 128);

    ArmedFault noMemory(FaultPoint::TweakGrowth);
    while (tweak.Count() < tweak.Capacity()) {
        tweak.AddNoteOff(1, 0, 1, 0);
    }
    EXPECT_EQ(tweak.AddNoteOff(2, 0, 2, 0), status::kTweakOutOfMemory);
    EXPECT_EQ(tweak.AddNoteOff(3, 0, 3, 0), status::kTweakOutOfMemory);
    EXPECT_EQ(tweak.Count(), tweak.Capacity());
    TraceOff();
    const std::string trace = dir.Read("NUVTRACE.TRC");
    // Logged once, not once per dropped note.
    const size_t first = trace.find("Running out of memory for tweak array...");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(trace.find("Running out of memory", first + 1), std::string::npos);
    EXPECT_EQ(tweak.TweakId(), 0);  // an id over part of the notes would mislead
    SetTraceFolder("");
}

TEST(ZOLTweak, AFileBeyondTheCapGetsNoTweakIdAndTheNextFileDoes) {
    test::TempDir dir;
    SetTraceFolder(dir.Folder());
    CZOLTweak tweak;
    for (size_t i = 0; i < CZOLTweak::kMaxItems; ++i) {
        ASSERT_EQ(tweak.AddNoteOn(static_cast<int32_t>(i), 0, 60, 1), 0) << i;
    }
    EXPECT_EQ(tweak.Capacity(), CZOLTweak::kMaxItems);
    EXPECT_NE(tweak.TweakId(), 0);
    EXPECT_FALSE(tweak.Overflowed());
    EXPECT_EQ(tweak.AddNoteOn(1, 0, 60, 1), status::kTweakOutOfMemory);
    EXPECT_EQ(tweak.AddNoteOn(2, 0, 60, 1), status::kTweakOutOfMemory);
    EXPECT_TRUE(tweak.Overflowed());
    EXPECT_EQ(tweak.TweakId(), 0);
    EXPECT_EQ(tweak.Capacity(), CZOLTweak::kMaxItems);
    tweak.Reset();
    tweak.AddNoteOn(5, 0, 60, 100);
    EXPECT_NE(tweak.TweakId(), 0);
    TraceOff();
    const std::string trace = dir.Read("NUVTRACE.TRC");
    const size_t first = trace.find("more notes than the tweak array holds");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(trace.find("more notes than the tweak array holds", first + 1), std::string::npos);
    SetTraceFolder("");
}

}  // namespace
}  // namespace kelvane
