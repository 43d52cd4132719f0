#include "analysis/ZOLGrouping.h"

#include <gtest/gtest.h>

#include <vector>

#include "../records/RecordsTestEnv.h"
#include "records/ZOLStyleData.h"

namespace kelvane {
namespace {

class GroupingTest : public test::RecordStoreTest {
  protected:
    StyleDataPacket* Add(int32_t id, int32_t size, int32_t related = 0) {
        StyleDataPacket* record = NewStyleRecord();
        record->SetNumber(kFieldFileId, id);
        record->SetNumber(kFieldFilesize, size);
        record->SetNumber(kFieldRelatedId, related);
        RecordStore().records.Append(record);
        return record;
    }
    std::vector<StyleDataPacket*> Order() const {
        return {RecordStore().records.begin(), RecordStore().records.end()};
    }
};

TEST_F(GroupingTest, EqualIdsStandTogetherBehindTheirLowByteBucket) {
    StyleDataPacket* a = Add(5, 10);
    StyleDataPacket* b = Add(261, 10);  // low byte 5 as well
    StyleDataPacket* c = Add(5, 10);
    GroupByFileId(RecordStore().records);
    EXPECT_EQ(Order(), (std::vector<StyleDataPacket*>{a, c, b}));
}

TEST_F(GroupingTest, BucketsComeInLowByteOrderAndIdsCompareSigned) {
    StyleDataPacket* high = Add(0x102, 1);       // bucket 2
    StyleDataPacket* negative = Add(-254, 1);    // 0xFFFFFF02: bucket 2, below 0x102 as signed
    StyleDataPacket* bucketOne = Add(0x201, 1);  // bucket 1
    GroupByFileId(RecordStore().records);
    EXPECT_EQ(Order(), (std::vector<StyleDataPacket*>{bucketOne, negative, high}));
}

TEST_F(GroupingTest, EqualIdsOrderBySizeAndKeepScanOrderWhenBothEqual) {
    StyleDataPacket* big = Add(7, 300);
    StyleDataPacket* firstSmall = Add(7, 100);
    StyleDataPacket* secondSmall = Add(7, 100);
    GroupByFileId(RecordStore().records);
    EXPECT_EQ(Order(), (std::vector<StyleDataPacket*>{firstSmall, secondSmall, big}));
}

TEST_F(GroupingTest, RelatedGroupingUsesTheRelatedIdNotTheFileId) {
    StyleDataPacket* a = Add(1, 10, 9);
    StyleDataPacket* b = Add(2, 10, 3);
    StyleDataPacket* c = Add(3, 10, 9);
    GroupByRelatedId(RecordStore().records);
    EXPECT_EQ(Order(), (std::vector<StyleDataPacket*>{b, a, c}));
}

}  // namespace
}  // namespace kelvane
