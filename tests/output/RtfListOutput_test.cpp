// The RTF output's sequence as both front ends run it: what the choices see, what cancelling
// leaves, and where the document goes.
#include "output/RtfListOutput.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output/FakeTableView.h"
#include "output/PrintListJob.h"
#include "support/NUVStatus.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

// Choices that record what they were shown and answer as told.
class ScriptedChoices final : public RtfListChoices {
  public:
    bool ChooseColumns(CZOLRtfListCtrl& writer, RtfListKind kind,
                       const ListTableView& table) override {
        ++asked;
        hiddenTickedWhenAsked = writer.IsTicked(kind, 2);
        if (dropTempo) {
            writer.SetTicked(kind, table, 14, false);
        }
        return acceptColumns;
    }
    bool ChooseTarget(CZOLRtfListCtrl& writer, std::string& chosen) override {
        ++asked;
        writer.SetPageHeader("Gig");
        chosen = file;
        return acceptTarget;
    }
    void ReportFinished(const std::string& text) override { reports.push_back(text); }

    bool acceptColumns = true;
    bool acceptTarget = true;
    bool dropTempo = false;
    std::string file;
    int asked = 0;
    bool hiddenTickedWhenAsked = true;
    std::vector<std::string> reports;
};

class RtfListOutputTest : public ::testing::Test {
  protected:
    RtfListOutputTest() {
        table.AddColumn("Style Name", 100, 1);
        table.AddColumn("Tempo", 40, 14);
        table.rows = {{"Samba.sty", "104"}};
    }
    test::FakeTableView table;
    const ListOutputText text{false, "/music/", "Tempo: >100"};
    CZOLRtfListCtrl writer{false};
    ScriptedChoices choices;
    test::TempDir dir;
    test::CapturingSink sink;
};

TEST_F(RtfListOutputTest, WrittenFileIsTheDocumentOfTheChosenColumnsAndIsReported) {
    choices.file = dir.Folder() + "list.rtf";
    choices.dropTempo = true;
    ASSERT_EQ(WriteListRtf(writer, table, text, choices), 0);
    // The choice starts from the shown columns only.
    EXPECT_FALSE(choices.hiddenTickedWhenAsked);
    std::string expected;
    ASSERT_EQ(
        writer.BuildListDocument(&table, RtfListKind::Files, "/music/", "Tempo: >100", expected),
        0);
    EXPECT_EQ(test::ReadFileBytes(choices.file), expected);
    EXPECT_EQ(expected.find("104"), std::string::npos);
    EXPECT_NE(expected.find("Gig"), std::string::npos);
    EXPECT_EQ(choices.reports, std::vector<std::string>{"Finished writing rtf file"});
    EXPECT_EQ(writer.LastFileName(), choices.file);
}

TEST_F(RtfListOutputTest, DocumentTargetHandsTheBytesBackWithoutReport) {
    std::string document;
    ASSERT_EQ(WriteListRtf(writer, table, text, choices, &document), 0);
    EXPECT_NE(document.find("Samba.sty"), std::string::npos);
    EXPECT_TRUE(choices.reports.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(RtfListOutputTest, CancelledChoiceOrRefusedListWritesNothing) {
    choices.file = dir.Folder() + "list.rtf";
    choices.acceptColumns = false;
    EXPECT_EQ(WriteListRtf(writer, table, text, choices), status::kAbortedByUser);
    EXPECT_EQ(choices.asked, 1);
    choices.acceptColumns = true;
    choices.acceptTarget = false;
    EXPECT_EQ(WriteListRtf(writer, table, text, choices), status::kAbortedByUser);
    EXPECT_FALSE(std::filesystem::exists(choices.file));
    EXPECT_TRUE(choices.reports.empty());

    // A list the writer refuses is refused before any choice is asked.
    table.headerMissing = true;
    choices.asked = 0;
    EXPECT_EQ(WriteListRtf(writer, table, text, choices), status::kRtfNoHeader);
    EXPECT_EQ(choices.asked, 0);
}

TEST(PrintListJob, PagesToPrintStayWithinThePlan) {
    PrintLayout layout;
    layout.pageCount = 5;
    const auto pages = [&](bool chosen, int from, int to) {
        const PrintPageRange range = PagesToPrint(layout, chosen, from, to);
        return std::make_pair(range.first, range.last);
    };
    EXPECT_EQ(pages(false, 2, 3), std::make_pair(1L, 5L));
    EXPECT_EQ(pages(true, 0, 0), std::make_pair(1L, 5L));
    EXPECT_EQ(pages(true, 2, 3), std::make_pair(2L, 3L));
    EXPECT_EQ(pages(true, 4, 9), std::make_pair(4L, 5L));
    EXPECT_EQ(pages(true, 6, 0), std::make_pair(6L, 1L));  // nothing to print
}

}  // namespace
}  // namespace kelvane
