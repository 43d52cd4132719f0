// kelvane-cli sections, run as a program on fixture files, and the chart counts that
// kelvane-cli list --stats appends to the statistics.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "scan/TreeScanTestEnv.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class CliSectionsTest : public ::testing::Test {
  protected:
    test::CliResult Cli(std::vector<std::string> args) { return cli.Run(args); }

    test::CliRunner cli;
    test::TempDir files;
};

TEST_F(CliSectionsTest, PrintsAStylesSectionsAndASongsChannels) {
    test::SmfBuilder smf(0, 480);
    smf.AddTrack()
        .TimeSignature(0, 3, 4)
        .Marker(0, "SFF1")
        .ProgramChange(0, 9, 0)
        .Marker(1440, "Main A")
        .Note(0, 8, 36, 100, 240)
        .Note(0, 10, 40, 100, 240)
        .Marker(2400, "Fill In AA")  // at 4320, the start of bar 4
        .Note(0, 15, 70, 90, 100)
        .EndOfTrack(1340);
    const std::string style =
        files.Write("Waltz.sty", test::StyleFileBuilder(smf).Casm(std::string(8, '\0')).Bytes());
    test::CliResult run = Cli({"sections", style});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(),
                ElementsAre("Main A\t2\t2\t1 0 1 0 0 0 0 0", "Fill In AA\t4\t1\t0 0 0 0 0 0 0 1"));
    EXPECT_THAT(run.err, IsEmpty());

    run = Cli({"sections", "-m", style});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(), ElementsAre("9\t-\t1\t36-36", "11\t-\t1\t40-40", "16\t-\t1\t70-70"));
}

TEST_F(CliSectionsTest, UnreadableFilesAndBadUsageFail) {
    test::CliResult run = Cli({"sections", files.Folder() + "missing.sty"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("cannot read"));
    EXPECT_THAT(run.out, IsEmpty());
    run = Cli({"sections", "-m", files.Write("text.mid", "not a MIDI file")});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("text.mid' holds no MIDI data"));
    EXPECT_EQ(Cli({"sections"}).status, 2);
    EXPECT_EQ(Cli({"sections", "a.sty", "b.sty"}).status, 2);
    EXPECT_EQ(Cli({"sections", "--bars", "a.sty"}).status, 2);
}

TEST_F(CliSectionsTest, ListStatsAppendsTheChartCountsOfTheRowsShown) {
    files.Write("Pop/8Beat.sty", test::StyleBytes(500000));
    files.Write("Pop/Ballad.prs", test::StyleBytes(600000));
    files.Write("Latin/Bossa Nova.sst", test::StyleBytes(461538));
    files.Write("Latin/Copy of 8Beat.sty", test::StyleBytes(500000));
    test::CliResult run = Cli({"list", "-s", "--stats", files.Folder()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("Total number of duplicate styles: 1\t(25 %)\n\n"
                                   "Tempo (BPM):\n  100-109\t1\n  120-129\t2\n  130-139\t1\n"
                                   "Time signatures:\n  4/4\t4\n"));
    EXPECT_THAT(run.out, HasSubstr("Duplicate files: 1 / 4 (25 %)\n"));
    // The chart follows the filter: two rows shown, no copy among them.
    run = Cli({"list", "-s", "--stats", "--filter", "TEMPO=<>120", files.Folder()});
    EXPECT_THAT(run.out, HasSubstr("Tempo (BPM):\n  100-109\t1\n  130-139\t1\nTime"));
    EXPECT_THAT(run.out, HasSubstr("Duplicate files: 0 / 2 (0 %)\n"));
}

}  // namespace
}  // namespace kelvane
