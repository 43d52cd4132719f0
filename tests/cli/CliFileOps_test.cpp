// kelvane-cli copy, move, trash, rename, modify, write-mdb and cdrom-test, run as a program
// over trees of style files: what they print, what lands on disk and in the data files, and
// what a following `list` shows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

#include "cli/CliRunner.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/TreeScanTestEnv.h"
#include "scan/ZOLDataFileWriter.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

class CliFileOpsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::SetMTime(cli.home.Folder() + "kelvane.CFA", test::Shifted(-86400));
        Put("a/Ballad.prs", test::StyleBytes(600000, {{.title = "Wave"}}));
        Put("a/Ballad.txt", "notes");
        Put("a/Beat.sty", test::StyleBytes(500000));
        root = tree.Folder();
        dest = tree.Folder() + "../" + fs::path(tree.Path()).filename().string() + "-out/";
        fs::create_directories(dest);
        dest = fs::canonical(dest).string() + "/";
    }
    void TearDown() override { fs::remove_all(dest); }
    void Put(const std::string& relative, const std::string& bytes) {
        test::SetMTime(tree.Write(relative, bytes), test::Shifted(-3600));
    }
    test::CliResult Cli(std::vector<std::string> args, const std::string& input = {}) {
        return cli.Run(args, {}, input);
    }
    // Filename and author of each row `list` shows for the folder.
    std::vector<std::string> Listed(const std::string& folder, const std::string& show = "") {
        std::vector<std::string> args{"list",     "-s", "--columns", "L_FILENAME,AUTHOR",
                                      "--format", "csv"};
        if (!show.empty()) {
            args.insert(args.end(), {"--columns", show});
        }
        args.push_back(folder);
        const test::CliResult run = Cli(args);
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<std::string> lines = run.Lines();
        if (!lines.empty()) {
            lines.erase(lines.begin());  // the header
        }
        return lines;
    }
    std::vector<std::string> Names(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::CliRunner cli;
    test::TempDir tree;
    std::string root;
    std::string dest;
};

TEST_F(CliFileOpsTest, CopyOutsideTheTreeTakesTheHandKeptValuesAlong) {
    ASSERT_EQ(Cli({"modify", "-s", "--quick", "Ballad", "--set", "AUTHOR= Me ", root}).status, 0);
    const test::CliResult run = Cli({"copy", "-s", "--to", dest, root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(),
                ElementsAre("copied " + root + "a/Ballad.prs -> " + dest + "Ballad.prs",
                            "copied " + root + "a/Beat.sty -> " + dest + "Beat.sty"));
    EXPECT_THAT(Names(dest), ElementsAre("Ballad.prs", "Ballad.txt", "Beat.sty", "ZOLMOVE.SDE"));
    EXPECT_THAT(Listed(dest), ElementsAre("Ballad.prs,Me", "Beat.sty,"));
    // A second copy meets the files: skipped by default, auto-renamed on request.
    test::CliResult again = Cli({"copy", "-s", "--quick", "Beat", "--to", dest, root});
    EXPECT_THAT(again.Lines(), ElementsAre("skipped " + root + "a/Beat.sty (exists)"));
    again = Cli({"copy", "-s", "--quick", "Beat", "--to", dest, "--on-clash", "auto-rename", root});
    EXPECT_THAT(again.Lines(),
                ElementsAre("copied " + root + "a/Beat.sty -> " + dest + "Beat-0.sty (renamed)"));
    EXPECT_THAT(again.err, HasSubstr("1 done, 0 skipped, 1 renamed"));
    // A destination that does not exist is named and refused, without a prompt.
    const test::CliResult missing = Cli({"copy", "-s", "--to", dest + "usb", root});
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("the destination folder does not exist: " + dest + "usb"));
    EXPECT_FALSE(fs::exists(dest + "usb"));
}

TEST_F(CliFileOpsTest, MoveWithinTheTreeAndAskOnTheTerminal) {
    fs::create_directories(tree.Path() / "b");
    Put("b/Beat.sty", test::StyleBytes(700000));
    ASSERT_EQ(Cli({"list", "-s", root}).status, 0);
    // "x" is no answer; "s" skips.
    test::CliResult run = Cli(
        {"move", "-s", "--quick", "a/", "--to", root + "b", "--on-clash", "ask", root}, "x\ns\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("File already exists in destination folder"));
    EXPECT_THAT(run.err, HasSubstr("1 Skip (s)"));
    EXPECT_THAT(run.Lines(), Contains("skipped " + root + "a/Beat.sty (exists)"));
    EXPECT_THAT(Names(root + "b"), ElementsAre("Ballad.prs", "Ballad.txt", "Beat.sty", "ZOL.SDB"));
    EXPECT_EQ(test::ReadFileBytes(root + "b/Beat.sty"), test::StyleBytes(700000));
    // The end of the input closes the prompt: Abort.
    run = Cli({"move", "-s", "--quick", "a/", "--to", root + "b", "--on-clash", "ask", root});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(fs::exists(root + "a/Beat.sty"));
    EXPECT_THAT(Listed(root), ElementsAre("Ballad.prs,", "Beat.sty,", "Beat.sty,"));
}

TEST_F(CliFileOpsTest, TrashAsksUnlessYes) {
    const std::string trash = dest;
    test::CliResult run = Cli({"trash", "-s", "--quick", "Beat", "--trash", trash, root});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("to the trash"));
    EXPECT_TRUE(fs::exists(root + "a/Beat.sty"));
    run = Cli({"trash", "-s", "--quick", "Beat", "--trash", trash, root}, "y\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(), ElementsAre("moved " + root + "a/Beat.sty -> " + trash + "Beat.sty"));
    Put("a/Beat.sty", test::StyleBytes(510000));
    run = Cli({"trash", "-s", "--quick", "Beat", "--trash", trash, "--yes", root});
    EXPECT_THAT(run.Lines(),
                ElementsAre("moved " + root + "a/Beat.sty -> " + trash + "Beat-0.sty (renamed)"));
    EXPECT_THAT(Listed(root), ElementsAre("Ballad.prs,"));
    EXPECT_EQ(Cli({"trash", "-s", "--trash", root + "missing", root}).status, 2);
}

TEST_F(CliFileOpsTest, RenameTakesTheCompanionsAndTheRecord) {
    ASSERT_EQ(Cli({"modify", "-s", "--quick", "Ballad", "--set", "USAGE=live", root}).status, 0);
    test::CliResult run = Cli({"rename", "-s", "--quick", "Ballad", "--name", "Slow", root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(),
                ElementsAre("renamed " + root + "a/Ballad.prs -> " + root + "a/Slow.prs"));
    EXPECT_THAT(Names(root + "a"), ElementsAre("Beat.sty", "Slow.prs", "Slow.txt", "ZOL.SDB"));
    EXPECT_THAT(Listed(root, "L_FILENAME,USAGE"), Contains("Slow.prs,live"));
    run = Cli({"rename", "-s", "--quick", "Slow", "--name", "Beat.prs", root});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("Selected file already exists"));
    EXPECT_EQ(Cli({"rename", "-s", "--name", "X", root}).status, 1);  // two rows listed
}

TEST_F(CliFileOpsTest, ModifyRefusesBadValuesKeysAndReadOnlyMedia) {
    test::CliResult run = Cli({"modify", "-s", "--set", "RANK=abc", root});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("Illegal input for \"Rank\""));
    EXPECT_EQ(Cli({"modify", "-s", "--set", "TEMPO=100", root}).status, 2);
    EXPECT_EQ(Cli({"modify", "-s", "--read-only", "--set", "AUTHOR=x", root}).status, 1);
    run = Cli({"modify", "-s", "--set", "rank=012", "--set", "STYLE_TYPE= Rock", root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(), ElementsAre("modified 2 records"));
    EXPECT_THAT(Listed(root, "L_FILENAME,RANK,STYLE_TYPE"),
                ElementsAre("Ballad.prs,10,Rock", "Beat.sty,10,Rock"));
    // Songs: the fields of the style file only while a listed song is not in it.
    run = Cli({"modify", "-s", "--songs", "--set", "GENRE=Jazz", root});
    EXPECT_EQ(run.status, 2);
    run = Cli({"modify", "-s", "--songs", "--set", "ARTIST=Smith", root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(
        Cli({"list", "-s", "--songs", "--columns", "SONG_TITLE,ARTIST", "--format", "csv", root})
            .Lines(),
        Contains("Wave,Smith"));
}

TEST_F(CliFileOpsTest, WriteMdbWritesChangedSongsIntoTheFile) {
    // A data file holding a song the user added (status 2), written after the files.
    ResetRunMode();
    SetRunMode(kRunModeStyle);
    ASSERT_EQ(InitRecordStore(), 0);
    RecordList list;
    for (const char* name : {"Ballad.prs", "Beat.sty"}) {
        StyleDataPacket* record = NewStyleRecord();
        ASSERT_EQ(AnalyseFile(*record, root + "a/" + name, name), 0);
        list.Append(record);
    }
    SongDataPacket* song = NewSongRecord();
    AssignSongField(*song, kSongFieldTitle, "Added");
    song->SetNumber(kSongFieldTempo, 100);
    song->SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
    AppendSong(*list[1], song);
    ASSERT_EQ(WriteStyleDataFile(root + "a/ZOL.SDB", root + "a/", list), 0);
    list.ReleaseAll();
    FreeRecordStore();
    ResetRunMode();

    test::CliResult run = Cli({"write-mdb", "-s", root});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(test::ReadFileBytes(root + "a/Beat.sty"), test::StyleBytes(500000));
    run = Cli({"write-mdb", "-s", "--yes", root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("2 style files processed in total\n\n1 style file has been "
                                   "updated\n1 style file was up-to-date\n0 style files"));
    EXPECT_EQ(test::ReadFileBytes(root + "a/Beat.sty"),
              test::StyleBytes(500000, {{.tempo = 600000, .title = "Added"}}));
    EXPECT_THAT(Cli({"list", "-s", "--songs", "--columns", "SONG_TITLE,SONG_STATUS", "--format",
                     "csv", root})
                    .Lines(),
                Contains("Added,In style file"));
}

TEST_F(CliFileOpsTest, WriteMdbGoesOnPastADamagedStyleAndEndsWithStatusOne) {
    const std::string damaged = test::StyleFileBuilder(test::StyleMidi({"SFF1", "Main A"}))
                                    .Mdb({{.title = "Old"}}, 5)
                                    .Bytes();
    Put("a/A damaged.sty", damaged);
    ResetRunMode();
    SetRunMode(kRunModeStyle);
    ASSERT_EQ(InitRecordStore(), 0);
    RecordList list;
    for (const char* name : {"A damaged.sty", "Ballad.prs", "Beat.sty"}) {
        StyleDataPacket* record = NewStyleRecord();
        ASSERT_EQ(AnalyseFile(*record, root + "a/" + name, name), 0);
        list.Append(record);
    }
    for (std::size_t i : {0, 2}) {
        SongDataPacket* song = NewSongRecord();
        AssignSongField(*song, kSongFieldTitle, "Added");
        song->SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
        AppendSong(*list[i], song);
    }
    ASSERT_EQ(WriteStyleDataFile(root + "a/ZOL.SDB", root + "a/", list), 0);
    list.ReleaseAll();
    FreeRecordStore();
    ResetRunMode();

    const test::CliResult run = Cli({"write-mdb", "-s", "--yes", root});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("Error writing mdb records - Error nr: "));
    EXPECT_THAT(run.err, HasSubstr(" -10311 " + root + "a/A damaged.sty"));
    EXPECT_THAT(run.out, HasSubstr("3 style files processed in total\n\n1 style file has been "
                                   "updated\n1 style file was up-to-date\n0 style files"));
    EXPECT_THAT(run.out, HasSubstr("\n1 style file could not be written and was left as it was"));
    EXPECT_EQ(test::ReadFileBytes(root + "a/A damaged.sty"), damaged);
    EXPECT_NE(test::ReadFileBytes(root + "a/Beat.sty"), test::StyleBytes(500000));
}

TEST_F(CliFileOpsTest, CdromTestListsTheNamesThatDoNotFit) {
    const std::string longName = std::string(70, 'n') + ".sty";
    Put("a/" + longName, test::StyleBytes(520000));
    const test::CliResult run = Cli({"cdrom-test", "-s", "--columns", "L_FILENAME", root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(), Contains(longName));
    EXPECT_THAT(run.Lines(), Not(Contains("Beat.sty")));
    EXPECT_THAT(run.Lines().back(), HasSubstr("Compatibility test done - 1 incompatibilities"));
    EXPECT_EQ(Cli({"cdrom-test", "-s", "--songs", root}).status, 2);
}

TEST_F(CliFileOpsTest, FullDestinationLosesNothing) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    const std::string media = dest + "media";
    fs::create_directories(media);
    if (mount("tmpfs", media.c_str(), "tmpfs", 0, "size=300k") != 0) {
        GTEST_SKIP() << "mount failed";
    }
    for (int i = 0; i < 3; ++i) {
        test::StyleFileBuilder big(test::StyleMidi({"SFF1", "SInt", "Main A"}, 480, 500000 + i));
        Put("a/Big" + std::to_string(i) + ".sty", big.Casm(std::string(100 * 1024, 'c')).Bytes());
    }
    const test::CliResult run = Cli({"move", "-s", "--quick", "Big", "--to", media, root});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("full or write protected"));
    const std::vector<std::string> moved = Names(media);
    const std::vector<std::string> listedThere = Listed(media);
    const std::vector<std::string> listedHere = Listed(root);
    umount2(media.c_str(), MNT_DETACH);
    EXPECT_THAT(moved, ElementsAre("Big0.sty", "Big1.sty", "ZOLMOVE.SDE"));
    EXPECT_THAT(listedThere, UnorderedElementsAre("Big0.sty,", "Big1.sty,"));
    EXPECT_THAT(listedHere, Contains("Big2.sty,"));
    EXPECT_THAT(listedHere, Not(Contains("Big0.sty,")));
    EXPECT_THAT(Names(root + "a"), Not(Contains(HasSubstr("ZOLSPACE"))));
}

}  // namespace
}  // namespace kelvane
