// kelvane-cli scan, list, fast-access, export and import, run as a program over trees of real
// style and MIDI files: outputs, data files and exit statuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/CliRunner.h"
#include "scan/TreeScanTestEnv.h"

namespace kelvane {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;
namespace fs = std::filesystem;

class CliScanTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::SetMTime(cli.home.Folder() + "kelvane.CFA", test::Shifted(-86400));
        test::SetMTime(cli.home.Folder() + "kelvane.CFM", test::Shifted(-86400));
        Put("Pop/8Beat.sty", test::StyleBytes(500000));
        Put("Pop/Ballad, \"slow\".prs", test::StyleBytes(600000, {{.title = "Wave"}}));
        Put("Latin/Bossa Nova.sst", test::StyleBytes(461538));
        Put("Latin/Copy of 8Beat.sty", test::StyleBytes(500000));
        root = tree.Folder();
    }
    std::string Put(const std::string& relative, const std::string& bytes, long age = 3600) {
        const std::string path = tree.Write(relative, bytes);
        test::SetMTime(path, test::Shifted(-age));
        return path;
    }
    test::CliResult Cli(std::vector<std::string> args) { return cli.Run(args); }

    test::CliRunner cli;
    test::TempDir tree;
    std::string root;
};

TEST_F(CliScanTest, ScanPrintsTheRecordListAsCsvAndWritesTheDataFiles) {
    const test::CliResult run = Cli({"scan", "-s", "--songs", root});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = run.Lines();
    ASSERT_EQ(lines.size(), 6u);  // header, four files, one song
    EXPECT_THAT(lines[0], StartsWith("FILE_ID,L_PATH,L_FILENAME,FILESIZE,TEMPO,STYLE_NAME,"));
    EXPECT_THAT(lines[0], HasSubstr(",USAGE,SFF,SONG.SONG_TITLE,SONG.GENRE,"));
    EXPECT_THAT(lines[0], Not(HasSubstr("UNUSED")));
    EXPECT_THAT(run.out, HasSubstr("," + root + "Pop/,\"Ballad, \"\"slow\"\".prs\","));
    // The song line names its file and fills the song columns.
    EXPECT_THAT(run.out,
                HasSubstr("\"Ballad, \"\"slow\"\".prs\"," + std::string(29, ',') + "Wave,"));
    EXPECT_THAT(run.err, HasSubstr("4 files in 3 folders: 4 analysed, 0 analysed again"));
    EXPECT_TRUE(fs::exists(root + "Pop/ZOL.SDB"));
    EXPECT_TRUE(fs::exists(root + "Latin/ZOL.SDB"));
    EXPECT_FALSE(fs::exists(root + "ZOL.SDB"));  // no style file of its own
    // Without subfolders the start folder has nothing to list.
    const test::CliResult top = Cli({"scan", root});
    EXPECT_EQ(top.status, 0);
    EXPECT_EQ(top.Lines().size(), 1u);
}

TEST_F(CliScanTest, RescansFollowChangesOnDisk) {
    ASSERT_EQ(Cli({"scan", "-s", root}).status, 0);
    EXPECT_THAT(Cli({"scan", "-s", root}).err, HasSubstr("0 analysed, 0 analysed again, 4 from"));
    test::SetMTime(root + "Pop/8Beat.sty", test::FileMTime(root + "Pop/ZOL.SDB"));  // touched
    fs::remove(root + "Latin/Bossa Nova.sst");
    fs::rename(root + "Latin/Copy of 8Beat.sty", root + "Latin/Renamed.sty");
    Put("Latin/Samba.sty", test::StyleBytes(700000));
    const test::CliResult run = Cli({"scan", "-s", root});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("4 files in 3 folders: 2 analysed, 1 analysed again, 1 from"));
    EXPECT_THAT(run.out, Not(HasSubstr("Bossa Nova.sst")));
    EXPECT_THAT(run.out, HasSubstr("Renamed.sty"));
    // The analyser configuration edited: every folder is analysed again.
    test::SetMTime(cli.home.Folder() + "kelvane.CFA", test::Shifted(1));
    EXPECT_THAT(Cli({"scan", "-s", root}).err, HasSubstr("0 analysed, 4 analysed again"));
    EXPECT_THAT(Cli({"scan", "-s", "--soft", root}).err, HasSubstr("0 analysed, 4 analysed again"));
    EXPECT_THAT(Cli({"scan", "-s", "--hard", root}).err, HasSubstr("4 analysed, 0 analysed again"));
}

TEST_F(CliScanTest, MidiModeFirstScanOfARunHonoursNewerKeyboardData) {
    Put("Midi/a.mid", test::MidiBytes("A"));
    Put("Midi/b.kar", test::MidiBytes("B"));
    const std::string kby = cli.home.Write("test.kby", "KBD_NAME = Testboard\nKBD_ID = 77\n");
    test::SetMTime(kby, test::Shifted(-86400));
    ASSERT_EQ(Cli({"scan", "-m", root + "Midi"}).status, 0);
    EXPECT_TRUE(fs::exists(root + "Midi/ZOLMIDI.SDB"));
    EXPECT_THAT(Cli({"scan", "-m", root + "Midi"}).err, HasSubstr("0 analysed again, 2 from"));
    test::SetMTime(kby, test::Shifted(1));
    const test::CliResult run = Cli({"scan", "-m", root + "Midi"});
    EXPECT_THAT(run.err, HasSubstr("0 analysed, 2 analysed again"));
    EXPECT_THAT(run.Lines()[0], HasSubstr(",KEYBOARD,STYLE_USED,MIDI_TYPE,"));
}

TEST_F(CliScanTest, FastAccessFilesListAReadOnlyCopyWithoutWalkingIt) {
    const test::CliResult made = Cli({"fast-access", root});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_THAT(made.err, HasSubstr("Fast Access Data created."));
    ASSERT_TRUE(fs::exists(root + "ZOLFA.SDB"));
    ASSERT_TRUE(fs::exists(root + "Pop/ZOLFA.SDB"));
    test::TempDir cd;
    fs::copy(root, cd.Path(), fs::copy_options::recursive);
    test::WriteFileBytes(cd.Path() / "Pop" / "late.sty", test::StyleBytes(800000));
    fs::remove(cd.Path() / "Pop" / "ZOL.SDB");
    const test::CliResult listed =
        Cli({"list", "-s", "--read-only", "--columns", "L_PATH,L_FILENAME", "--sort",
             "L_PATH,L_FILENAME", "--format", "csv", cd.Folder()});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_THAT(
        listed.Lines(),
        ElementsAre("Filepath,Filename", cd.Folder() + "Latin/,Bossa Nova.sst",
                    cd.Folder() + "Latin/,Copy of 8Beat.sty", cd.Folder() + "Pop/,8Beat.sty",
                    cd.Folder() + "Pop/,\"Ballad, \"\"slow\"\".prs\""));
    EXPECT_FALSE(fs::exists(cd.Path() / "Pop" / "ZOL.SDB"));
}

TEST_F(CliScanTest, ListAppliesFiltersSortsModesAndStatistics) {
    const std::vector<std::string> columns = {"--columns", "L_FILENAME,TEMPO", "--format", "csv"};
    auto list = [&](std::vector<std::string> more) {
        std::vector<std::string> args = {"list", "-s"};
        args.insert(args.end(), columns.begin(), columns.end());
        args.insert(args.end(), more.begin(), more.end());
        args.push_back(root);
        return Cli(args);
    };
    test::CliResult run =
        list({"--filter", "TEMPO=>=100 AND <=120", "--sort", "TEMPO:desc,L_FILENAME"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.Lines(), ElementsAre("Filename,Tempo", "8Beat.sty,120", "Copy of 8Beat.sty,120",
                                         "\"Ballad, \"\"slow\"\".prs\",100"));
    EXPECT_THAT(run.err, HasSubstr("Showing 3 styles out of 4"));
    run = list({"--show", "duplicate-files", "--sort", "L_FILENAME"});
    EXPECT_THAT(run.Lines(),
                ElementsAre("Filename,Tempo", "8Beat.sty,120", "Copy of 8Beat.sty,120"));
    run = list({"--quick", "bossa"});
    EXPECT_THAT(run.Lines(), ElementsAre("Filename,Tempo", "Bossa Nova.sst,130"));
    run = Cli(
        {"list", "-s", "--songs", "--columns", "SONG_TITLE,L_FILENAME", "--format", "csv", root});
    EXPECT_THAT(run.Lines(),
                ElementsAre("Song Title,Style Filename", "Wave,\"Ballad, \"\"slow\"\".prs\""));
    run = Cli({"list", "-s", "--stats", root});
    EXPECT_THAT(run.out, HasSubstr("Showing 4 styles out of 4"));
    EXPECT_THAT(run.out, HasSubstr("Total number of styles: 4"));
    EXPECT_THAT(run.out, HasSubstr("Total number of duplicate styles: 1"));
    // The filter language's own message, and status 2.
    run = list({"--filter", "TEMPO=>=100 AND"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("Missing data after AND"));
    EXPECT_THAT(run.out, IsEmpty());
    EXPECT_EQ(list({"--sort", "NOPE"}).status, 2);
    EXPECT_EQ(list({"--format", "xml"}).status, 2);
}

TEST_F(CliScanTest, ListAsRtfWritesTheSameDocumentToStandardOutputAndToAFile) {
    const std::vector<std::string> args = {
        "list",     "-s",  "--columns", "L_FILENAME,TEMPO",   "--sort",    "TEMPO",
        "--format", "rtf", "--title",   "Caf\xc3\xa9 {live}", "--portrait"};
    std::vector<std::string> toFile = args;
    toFile.insert(toFile.end(), {"--output", tree.Folder() + "list.rtf", root});
    std::vector<std::string> toOut = args;
    toOut.push_back(root);
    const test::CliResult printed = Cli(toOut);
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::string& doc = printed.out;
    EXPECT_THAT(doc, StartsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_THAT(doc, HasSubstr("\\paperw11906\\paperh16838"));  // portrait
    // The title's accent and braces as RTF escapes, so no reader takes them for markup.
    EXPECT_THAT(doc, HasSubstr("\r\nCaf\\'e9 \\{live\\}\r\n"));
    EXPECT_THAT(doc, HasSubstr("Path: " + root + "\r\n"));
    EXPECT_THAT(doc, HasSubstr("{\\ql\\f1\\lang1033 \r\nBallad, \"slow\".prs\r\n\\cell "));
    // Header row and four rows, in the list's order.
    size_t rows = 0;
    for (size_t at = 0; (at = doc.find("{\\f1\\lang1033 \\row }", at)) != std::string::npos; ++at) {
        ++rows;
    }
    EXPECT_EQ(rows, 5u);
    EXPECT_LT(doc.find("Ballad"), doc.find("8Beat.sty"));
    EXPECT_LT(doc.find("8Beat.sty"), doc.find("Bossa Nova.sst"));
    const test::CliResult written = Cli(toFile);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(tree.Read("list.rtf"), doc);
    EXPECT_EQ(Cli({"list", "--portrait", root}).status, 2);
}

TEST_F(CliScanTest, ExportThenImportCarriesUserValuesToIdenticalFiles) {
    ASSERT_EQ(Cli({"scan", "-s", root}).status, 0);
    // A value the user entered, as the program keeps it in the data file.
    std::string text = tree.Read("Latin/ZOL.SDB");
    const size_t bossa = text.find("|Bossa Nova.sst|");
    size_t author = bossa;
    for (int field = 0; field < 7; ++field) {  // FILESIZE .. CERTAINTY, then AUTHOR
        author = text.find('|', author + 1);
    }
    text.insert(author + 1, "Ann");
    tree.Write("Latin/ZOL.SDB", text);
    const std::string exported = tree.Folder() + "export.txt";
    test::CliResult run = Cli({"export", "-s", "--filter", "AUTHOR=Ann", root + "Latin", exported});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("Finished: 1 style data records exported."));
    EXPECT_THAT(tree.Read("export.txt"), StartsWith("V|5\r\nH|FILE_ID|"));

    test::TempDir other;
    test::WriteFileBytes(other.Path() / "bossa copy.sst", tree.Read("Latin/Bossa Nova.sst"));
    run = Cli({"import", other.Folder(), exported});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("Importing style data - finished, 1 records changed"));
    EXPECT_THAT(other.Read("ZOL.SDB"), HasSubstr("|bossa copy.sst|"));
    run = Cli({"list", "--columns", "L_FILENAME,AUTHOR", "--format", "csv", other.Folder()});
    EXPECT_THAT(run.Lines(), ElementsAre("Filename,Author", "bossa copy.sst,Ann"));

    run = Cli({"export", "-s", "--csv", "--fields", "L_FILENAME,TEMPO", "--sort", "L_FILENAME",
               root, tree.Folder() + "list.csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(tree.Read("list.csv"), StartsWith("sep=|\r\nH|L_FILENAME|TEMPO|\r\nD|"));
    EXPECT_EQ(Cli({"import", other.Folder(), other.Folder() + "missing.txt"}).status, 2);
    EXPECT_EQ(Cli({"export", "--fields", "NOPE", root, exported}).status, 2);
}

// True once the process catches SIGINT (its handler is installed).
bool CatchesInterrupt(pid_t pid) {
    const std::string status = test::ReadFileBytes("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find("SigCgt:");
    return at != std::string::npos &&
           (std::stoull(status.substr(at + 7), nullptr, 16) & (1ull << (SIGINT - 1))) != 0;
}

TEST_F(CliScanTest, CtrlCStopsTheScanWithStatus130AndFinishedFoldersOnly) {
    for (int folder = 0; folder < 20; ++folder) {
        for (int file = 0; file < 20; ++file) {
            Put(StrFormat("Many/%02d/%02d.sty", folder, file),
                test::StyleBytes(static_cast<uint32_t>(400000 + folder * 100 + file)));
        }
    }
    Put("Many/top.sty", test::StyleBytes(399999));
    const std::string many = root + "Many/";
    const test::CliResult run = cli.Run({"scan", "-s", many}, [](pid_t pid) {
        test::WaitFor([pid] { return CatchesInterrupt(pid); });
        kill(pid, SIGINT);
    });
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_THAT(run.out, IsEmpty());
    EXPECT_THAT(run.err, HasSubstr("Abort"));
    // The start folder is finished last: its data file is not written. A subfolder finished
    // before the abort has its whole data file; no temporary file is left behind.
    EXPECT_FALSE(fs::exists(many + "ZOL.SDB"));
    for (const auto& entry : fs::recursive_directory_iterator(many)) {
        const std::string name = entry.path().filename().string();
        if (name == "ZOL.SDB") {
            const std::string text = test::ReadFileBytes(entry.path());
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 24) << entry.path();
        } else {
            EXPECT_TRUE(entry.is_directory() || entry.path().extension() == ".sty") << name;
        }
    }
}

TEST_F(CliScanTest, BadUsageAndMissingFoldersGiveStatusTwo) {
    test::CliResult run = Cli({"scan", root + "nowhere"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("Folder does not exist."));
    EXPECT_EQ(Cli({"scan"}).status, 2);
    EXPECT_EQ(Cli({"scan", "--bogus", root}).status, 2);
    EXPECT_EQ(Cli({"list", "--columns"}).status, 2);
    run = Cli({"scan", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("usage: kelvane-cli scan"));
}

}  // namespace
}  // namespace kelvane
