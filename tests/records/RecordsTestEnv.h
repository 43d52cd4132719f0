// Shared set-up of the records tests: a fresh record store and a chosen run mode per test.
#pragma once

#include <gtest/gtest.h>

#include "records/ZOLRecordStore.h"
#include "support/ZOLRunMode.h"

namespace kelvane::test {

class RecordStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { StartStore(kRunModeStyle); }
    void TearDown() override {
        FreeRecordStore();
        ResetRunMode();
    }
    static void StartStore(int mode) {
        FreeRecordStore();
        SetRunMode(mode);
        ASSERT_EQ(InitRecordStore(), 0);
    }
};

// The same tests in style mode and in midi mode.
class BothModesTest : public RecordStoreTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override { StartStore(GetParam()); }
};

inline std::string ModeName(const ::testing::TestParamInfo<int>& info) {
    return info.param == kRunModeMidi ? "Midi" : "Style";
}

}  // namespace kelvane::test
