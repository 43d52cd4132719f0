#include <gtest/gtest.h>

#include "fileops/FileOpsTestEnv.h"
#include "fileops/ZOLCdromTest.h"

namespace kelvane::test {
namespace {

using CdromTestCommand = FileOpsTest;

TEST_F(CdromTestCommand, KeepsTheIncompatibleRowsAndReportsTheirNumber) {
    const std::string longFolder = "tree/" + std::string(65, 'f');
    Record("tree", std::string(64, 'n') + ".sty");  // 68 characters
    Record("tree", std::string(60, 'n') + ".sty");  // exactly 64
    Record(longFolder, "a.sty");
    Record("tree/ok", "b.sty");
    ShowRows();
    prompts.cdromChoices = {CdromCompatChoice{false, true}};
    EXPECT_EQ(CdromCompatibilityTestCommand(tree), 2);
    ASSERT_EQ(ListViewMgr().RowCount(), 2);
    EXPECT_EQ(ListViewMgr().StyleRecordOfRow(1)->Text(kFieldFilename), "a.sty");
    EXPECT_EQ(panes.line.back(),
              "Compatibility test done - 2 incompatibilities found          (Use 'F5'-Key to "
              "redraw the original list)");
    EXPECT_TRUE(StatusShown("Working - please wait"));
    // The start folder's own parts are not examined.
    ShowRows();
    prompts.cdromChoices = {CdromCompatChoice{false, true}};
    EXPECT_EQ(CdromCompatibilityTestCommand(Folder(longFolder)), 1);
}

TEST_F(CdromTestCommand, CancelNoChoiceAndTheSongListRunNoTest) {
    Record("tree", std::string(70, 'n') + ".sty");
    ShowRows();
    EXPECT_EQ(CdromCompatibilityTestCommand(tree), -1);  // cancelled
    prompts.cdromChoices = {CdromCompatChoice{false, false}};
    EXPECT_EQ(CdromCompatibilityTestCommand(tree), -1);
    EXPECT_EQ(ListViewMgr().RowCount(), 1);
    prompts.cdromChoices = {CdromCompatChoice{true, false}};
    EXPECT_EQ(CdromCompatibilityTestCommand(tree), 0);  // every file passes
    EXPECT_EQ(ListViewMgr().RowCount(), 0);
    ListViewMgr().SetViewMode(Songs);
    prompts.cdromChoices = {CdromCompatChoice{false, true}};
    EXPECT_EQ(CdromCompatibilityTestCommand(tree), -1);
    EXPECT_TRUE(sink.BoxContains("This function is not available in this mode"));
    EXPECT_EQ(prompts.cdromChoices.size(), 1u);  // the dialog did not open
}

}  // namespace
}  // namespace kelvane::test
