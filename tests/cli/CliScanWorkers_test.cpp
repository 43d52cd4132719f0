// kelvane-cli scan with several analysing workers, run as a program: a hard rescan of real
// MIDI files and real (or built) style files gives the output and the data files of a single
// worker, byte for byte; a scan killed with SIGKILL leaves only whole data files, and the next
// scan removes the killed scan's temporary files and gives what a clean scan gives.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <map>

#include "cli/CliRunner.h"
#include "scan/TreeScanTestEnv.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr const char* kOpenMsx = "/usr/share/games/openttd/baseset/openmsx";

class CliScanWorkersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"kelvane.CFA", "kelvane.CFM"}) {
            test::SetMTime(cli.home.Folder() + name, test::Shifted(-86400));
        }
        root = tree.Folder();
    }
    void Copy(const fs::path& from, const std::string& relative) {
        const std::string target = root + relative;
        fs::create_directories(fs::path(target).parent_path());
        fs::copy_file(from, target, fs::copy_options::overwrite_existing);
        test::SetMTime(target, test::Shifted(-3600));
    }
    // Data files (and any other file the scan's names match) below the tree: path -> bytes.
    std::map<std::string, std::string> DataFiles(const std::string& name) const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.path().filename() == name) {
                files[entry.path().string()] = test::ReadFileBytes(entry.path());
            }
        }
        return files;
    }
    std::vector<std::string> TemporaryFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string name = entry.path().filename().string();
            if (name.front() == '.' && name.ends_with(".tmp")) {
                names.push_back(entry.path().string());
            }
        }
        return names;
    }
    void RemoveAll(const std::string& name) {
        for (const auto& [path, bytes] : DataFiles(name)) {
            fs::remove(path);
        }
    }
    // A hard rescan with one worker and with four: the same output and the same data files.
    void ExpectSameWithOneAndFour(const std::vector<std::string>& mode, const std::string& data) {
        std::vector<std::string> args = {"scan"};
        args.insert(args.end(), mode.begin(), mode.end());
        args.insert(args.end(), {"-s", "--hard", "--songs", "--jobs", "1", root});
        const test::CliResult one = cli.Run(args);
        ASSERT_EQ(one.status, 0) << one.err;
        const std::map<std::string, std::string> oneFiles = DataFiles(data);
        args[args.size() - 2] = "4";
        const test::CliResult four = cli.Run(args);
        ASSERT_EQ(four.status, 0) << four.err;
        EXPECT_EQ(one.out, four.out);
        EXPECT_EQ(one.err, four.err);
        EXPECT_EQ(oneFiles, DataFiles(data));
        EXPECT_GT(oneFiles.size(), 3u);
    }

    test::CliRunner cli;
    test::TempDir tree;
    std::string root;
};

TEST_F(CliScanWorkersTest, HardRescanOfRealMidiFilesIsTheSameWithOneAndFourWorkers) {
    if (!fs::is_directory(kOpenMsx)) {
        GTEST_SKIP() << kOpenMsx << " is missing (Debian package openttd-openmsx)";
    }
    int number = 0;
    for (const auto& entry : fs::directory_iterator(kOpenMsx)) {
        if (entry.path().extension() == ".mid") {
            const std::string name = entry.path().filename().string();
            for (const char* folder : {"", "a/", "a/b/", "c/", "c/d/e/"}) {
                Copy(entry.path(), folder + std::to_string(number++ % 7) + " " + name);
            }
        }
    }
    ExpectSameWithOneAndFour({"-m"}, "ZOLMIDI.SDB");
}

TEST_F(CliScanWorkersTest, HardRescanOfStylesIsTheSameWithOneAndFourWorkers) {
    const fs::path corpus = test::StyleCorpusDir();
    int number = 0;
    if (!corpus.empty()) {
        for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
            if (entry.is_regular_file() &&
                IsAnalysedFileName(entry.path().filename().string(), true)) {
                Copy(entry.path(), std::to_string(number % 5) + "/" + std::to_string(number) + " " +
                                       entry.path().filename().string());
                ++number;
            }
        }
    }
    // Built styles with Music Finder songs (a title twice: the later record wins) beside them.
    for (int i = 0; i < 60; ++i) {
        const std::string path = tree.Write(
            "built/" + std::to_string(i % 6) + "/s" + std::to_string(i) + ".sty",
            test::StyleBytes(
                400000 + static_cast<uint32_t>(i) * 100,
                {{.title = "Tune", .genre = "Pop"}, {.title = "Tune", .genre = "Jazz"}}));
        test::SetMTime(path, test::Shifted(-3600));
    }
    ExpectSameWithOneAndFour({}, "ZOL.SDB");
}

TEST_F(CliScanWorkersTest, KilledScanKeepsWholeDataFilesAndTheNextScanCleansUp) {
    for (int folder = 0; folder < 60; ++folder) {
        for (int file = 0; file < 40; ++file) {
            const std::string path =
                tree.Write("f" + std::to_string(folder / 10) + "/" + std::to_string(folder) + "/s" +
                               std::to_string(file) + ".sty",
                           test::StyleBytes(300000 + static_cast<uint32_t>(folder * 100 + file)));
            test::SetMTime(path, test::Shifted(-3600));
        }
    }
    const test::CliResult clean = cli.Run({"scan", "-s", root});
    ASSERT_EQ(clean.status, 0) << clean.err;
    const std::map<std::string, std::string> whole = DataFiles("ZOL.SDB");
    ASSERT_EQ(whole.size(), 60u);

    // Killed right at the start, a little later, and after data files appeared.
    const std::vector<std::function<void(pid_t)>> kills = {
        [](pid_t pid) { kill(pid, SIGKILL); },
        [](pid_t pid) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            kill(pid, SIGKILL);
        },
        [this](pid_t pid) {
            test::WaitFor([this] { return !DataFiles("ZOL.SDB").empty(); });
            kill(pid, SIGKILL);
        },
        [this](pid_t pid) {
            test::WaitFor([this] { return !TemporaryFiles().empty(); });
            kill(pid, SIGKILL);
        },
    };
    for (std::size_t point = 0; point < kills.size(); ++point) {
        RemoveAll("ZOL.SDB");
        cli.Run({"scan", "-s", "--jobs", "3", root}, kills[point]);
        for (const auto& [path, bytes] : DataFiles("ZOL.SDB")) {
            EXPECT_EQ(bytes, whole.at(path)) << "kill point " << point << ": " << path;
        }
        const test::CliResult next = cli.Run({"scan", "-s", "--jobs", "3", root});
        ASSERT_EQ(next.status, 0) << next.err;
        EXPECT_EQ(next.out, clean.out) << "kill point " << point;
        EXPECT_EQ(DataFiles("ZOL.SDB"), whole) << "kill point " << point;
        EXPECT_THAT(TemporaryFiles(), ::testing::IsEmpty()) << "kill point " << point;
    }
}

TEST_F(CliScanWorkersTest, JobsTakesANumberFromOneToSixtyFour) {
    tree.Write("a.sty", test::StyleBytes(500000));
    for (const char* bad : {"0", "65", "two", ""}) {
        const test::CliResult run = cli.Run({"scan", "--jobs", bad, root});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_THAT(run.err, HasSubstr("--jobs takes a number from 1 to 64")) << bad;
    }
    EXPECT_EQ(cli.Run({"list", "--jobs=64", root}).status, 0);
    EXPECT_EQ(cli.Run({"scan", "--jobs"}).status, 2);
}

}  // namespace
}  // namespace kelvane
