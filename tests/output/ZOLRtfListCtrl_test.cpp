#include <gtest/gtest.h>

#include <string>

#include "output/FakeTableView.h"
#include "output/ZOLRtfListCtrl.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

class RtfColumnChoiceTest : public ::testing::Test {
  protected:
    RtfColumnChoiceTest() {
        files.AddColumn("Nr", 30, kRowNumberFieldId);
        files.AddColumn("Style Name", 100, 1);
        files.AddColumn("Tempo", 40, 14);
        songs.AddColumn("Song Title", 120, 0);
    }
    test::FakeTableView files;
    test::FakeTableView songs;
    CZOLRtfListCtrl writer{false};
};

TEST_F(RtfColumnChoiceTest, HiddenOrUnofferedColumnsCannotBeTicked) {
    writer.ClearAll(RtfListKind::Files);
    EXPECT_FALSE(writer.SetTicked(RtfListKind::Files, files, 2, true));   // not shown
    EXPECT_FALSE(writer.SetTicked(RtfListKind::Files, files, 18, true));  // never offered
    EXPECT_TRUE(writer.SetTicked(RtfListKind::Files, files, 14, true));
    EXPECT_FALSE(writer.IsTicked(RtfListKind::Files, 2));
    EXPECT_TRUE(writer.IsTicked(RtfListKind::Files, 14));

    writer.SelectAll(RtfListKind::Files, files);
    EXPECT_TRUE(writer.IsTicked(RtfListKind::Files, kRowNumberFieldId));
    EXPECT_FALSE(writer.IsTicked(RtfListKind::Files, 2));
}

TEST_F(RtfColumnChoiceTest, ColumnHiddenSinceLastOutputLosesItsTick) {
    EXPECT_TRUE(writer.IsTicked(RtfListKind::Files, 2));  // every offered field at start
    writer.MatchShownColumns(RtfListKind::Files, files);
    EXPECT_FALSE(writer.IsTicked(RtfListKind::Files, 2));
    EXPECT_TRUE(writer.IsTicked(RtfListKind::Files, 1));
    // The song list keeps its own choice.
    EXPECT_TRUE(writer.IsTicked(RtfListKind::Songs, 2));
}

TEST_F(RtfColumnChoiceTest, MidiOnlyFieldsAreOfferedInMidiMode) {
    EXPECT_FALSE(writer.IsOffered(RtfListKind::Files, 28));
    EXPECT_TRUE(CZOLRtfListCtrl(true).IsOffered(RtfListKind::Files, 28));
    EXPECT_TRUE(writer.IsOffered(RtfListKind::Songs, 11));
    EXPECT_FALSE(writer.IsOffered(RtfListKind::Songs, 12));
}

TEST_F(RtfColumnChoiceTest, WriterKeepsItsChoicesAndWritesOnlyTickedSongColumns) {
    test::TempDir dir;
    songs.AddColumn("Genre", 80, 1);
    songs.rows = {{"Yesterday", "Ballad"}};
    writer.SetTicked(RtfListKind::Songs, songs, 1, false);
    writer.SetPageHeader("Songs");
    writer.SetOrientation(PaperOrientation::Portrait);
    const std::string path = dir.Folder() + "songs.rtf";
    ASSERT_EQ(writer.WriteListToRtf(&songs, RtfListKind::Songs, "/s/", "", path), 0);
    EXPECT_EQ(writer.LastFileName(), path);

    std::string expected;
    FieldTicks ticks;
    ticks.set(0);
    ASSERT_EQ(
        BuildRtfDocument(&songs, ticks, {"Songs", PaperOrientation::Portrait, "/s/", ""}, expected),
        0);
    const std::string written = test::ReadFileBytes(path);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.find("Ballad"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
