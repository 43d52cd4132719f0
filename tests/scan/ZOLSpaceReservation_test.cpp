#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "scan/ScanTestEnv.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLSpaceReservation.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

using SpaceReservationTest = test::ScanTest;

TEST_F(SpaceReservationTest, TenCommentLinesOf105BytesReplaceAnyOldFile) {
    const std::string path = dir.Write("ZOLSPACE.SDE", "old");
    chmod(path.c_str(), 0444);
    ASSERT_EQ(ReserveDestinationSpace(dir.Folder()), 0);
    const std::string text = dir.Read("ZOLSPACE.SDE");
    ASSERT_EQ(text.size(), 1050u);
    const std::string line =
        "# ========= This file was used to allocate some space on the disk === You can delete "
        "it ==============\n\r\n";
    ASSERT_EQ(line.size(), 105u);
    EXPECT_EQ(text.substr(0, 105), line);
    EXPECT_EQ(text.substr(945), line);

    // The scan meets it among the extra data files: it yields no record.
    RecordList records;
    EXPECT_EQ(ProcessStyleDataFile(path, dir.Folder(), records), 0);
    EXPECT_TRUE(records.empty());

    EXPECT_EQ(ReleaseDestinationSpace(dir.Folder()), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NE(ReleaseDestinationSpace(dir.Folder()), 0);
}

TEST_F(SpaceReservationTest, MidiModeExtensionAndMissingFolder) {
    Start(kRunModeMidi);
    ASSERT_EQ(ReserveDestinationSpace(dir.Folder()), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.Folder() + "ZOLSPACE.SDM"));
    EXPECT_EQ(ReserveDestinationSpace(dir.Folder() + "missing/"), status::kSpaceFileCreate);
}

}  // namespace
}  // namespace kelvane
