// The tree scan with several analysing workers against the same scan with one: the record
// list, the counts and every data file must be the same, whatever the tree holds (new,
// cached, changed and unreadable files, user values over a soft rescan, Music Finder songs);
// after Abort the data files present are the ones a whole scan writes; temporary data files
// that a dead writer left behind are gone after the next scan.
#include <gmock/gmock.h>

#include <filesystem>
#include <map>

#include "records/ZOLSongData.h"
#include "scan/TreeScanTestEnv.h"
#include "scan/ZOLDataFileLines.h"
#include "scan/ZOLDataFileWriter.h"
#include "support/NUVAtomicFile.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

constexpr int kWorkers = 3;

class TreeScanWorkersTest : public test::TreeScanTest {
  protected:
    void SetUp() override {
        TreeScanTest::SetUp();
        // Many small folders below a folder with files of its own, songs in some files,
        // duplicates, an empty file and one that is no style at all.
        for (int folder = 0; folder < 12; ++folder) {
            const std::string path =
                "set " + std::to_string(folder % 3) + "/f" + std::to_string(folder) + "/";
            for (int file = 0; file < 9; ++file) {
                const uint32_t tempo = 400000 + static_cast<uint32_t>(folder * 1000 + file * 7);
                std::vector<test::FinderRecord> songs;
                if (file % 4 == 0) {
                    songs.push_back({.title = "Song " + std::to_string(file), .genre = "Pop"});
                    songs.push_back({.title = "Song " + std::to_string(file), .genre = "Rock"});
                }
                Put(path + "s" + std::to_string(file) + ".sty", test::StyleBytes(tempo, songs));
            }
        }
        Put("top.prs", test::StyleBytes(500000));
        Put("copy of top.prs", test::StyleBytes(500000));
        Put("empty.sty", "");
        Put("set 1/not a style.sst", "plain text, no MIDI data at all");
    }

    StatusCode ScanWith(int workers, ScanOptions options = {}) {
        options.workers = workers;
        return Scan(options);
    }

    // Every data file below the tree: relative path -> bytes.
    std::map<std::string, std::string> DataFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.path().filename() == "ZOL.SDB") {
                files[entry.path().string().substr(root.size())] =
                    dir.Read(entry.path().string().substr(dir.Folder().size()));
            }
        }
        return files;
    }
    // The record list as data-file lines, in record-list order (every value and song).
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::string line;
        for (const StyleDataPacket* record : RecordStore().records) {
            BuildDataLine(line, *record, DataFileSwitches().style);
            lines.push_back(line);
            for (const SongDataPacket* song : record->songs) {
                BuildSongDataLine(line, *song, 0, DataFileSwitches().song);
                lines.push_back("  " + line);
            }
        }
        return lines;
    }
    struct Outcome {
        std::vector<std::string> lines;
        std::map<std::string, std::string> files;
        TreeScanCounts counts;
    };
    Outcome Take() const { return {Lines(), DataFiles(), Counts()}; }

    static void ExpectSame(const Outcome& one, const Outcome& many) {
        EXPECT_EQ(one.lines, many.lines);
        EXPECT_EQ(one.files, many.files);
        EXPECT_EQ(one.counts.folders, many.counts.folders);
        EXPECT_EQ(one.counts.analysed, many.counts.analysed);
        EXPECT_EQ(one.counts.reanalysed, many.counts.reanalysed);
        EXPECT_EQ(one.counts.reused, many.counts.reused);
        EXPECT_EQ(one.counts.failed, many.counts.failed);
        EXPECT_EQ(one.counts.dataFilesWritten, many.counts.dataFilesWritten);
    }

    // Copies a tree with the files' times, so that a scan of the copy decides as one of the
    // original would.
    static void CopyTree(const std::string& from, const std::string& to) {
        fs::create_directories(to);
        for (const auto& entry : fs::recursive_directory_iterator(from)) {
            const fs::path target = to / entry.path().lexically_relative(from);
            if (entry.is_directory()) {
                fs::create_directories(target);
                continue;
            }
            fs::copy_file(entry.path(), target);
            test::SetMTime(target.string(), test::FileMTime(entry.path().string()));
        }
    }

    void RemoveDataFiles() {
        for (const auto& [relative, bytes] : DataFiles()) {
            fs::remove(root + relative);
        }
    }
};

TEST_F(TreeScanWorkersTest, EveryKindOfScanGivesWhatOneWorkerGives) {
    // First read.
    ASSERT_EQ(ScanWith(1), 0);
    const Outcome first = Take();
    RemoveDataFiles();
    ASSERT_EQ(ScanWith(kWorkers), 0);
    ExpectSame(first, Take());
    EXPECT_EQ(first.counts.analysed, 12 * 9 + 4);
    EXPECT_EQ(first.files.size(), 14u);  // twelve folders, "set 1" and the start folder

    // Cached read, after the user entered values and some files changed or vanished.
    AssignStyleField(*Record("set 0/f3/s1.sty"), kFieldAuthor, "Ann");
    Record("set 0/f3/s1.sty")->changed = 1;
    ASSERT_EQ(UpdateStyleDataFiles(RecordStore().records), 0);
    // Touched: as new as its data file.
    test::SetMTime(Put("set 2/f5/s2.sty", test::StyleBytes(123456)),
                   test::FileMTime(root + "set 2/f5/ZOL.SDB"));
    fs::remove(root + "set 1/f4/s3.sty");
    Put("set 1/f7/new.sty", test::StyleBytes(654321));
    const std::string saved = home.Folder() + "saved/";
    CopyTree(root, saved);
    ASSERT_EQ(ScanWith(1), 0);
    const Outcome cached = Take();
    fs::remove_all(root);
    CopyTree(saved, root);
    ASSERT_EQ(ScanWith(kWorkers), 0);
    ExpectSame(cached, Take());
    EXPECT_EQ(cached.counts.analysed, 1);
    EXPECT_EQ(cached.counts.reanalysed, 1);

    // Soft and hard rescans: the user's value survives the soft one.
    ASSERT_EQ(ScanWith(1, {.reanalyse = true}), 0);
    const Outcome soft = Take();
    ASSERT_EQ(ScanWith(kWorkers, {.reanalyse = true}), 0);
    ExpectSame(soft, Take());
    EXPECT_EQ(test::Text(*Record("set 0/f3/s1.sty"), kFieldAuthor), "Ann");
    ASSERT_EQ(ScanWith(1, {.ignoreDataFiles = true}), 0);
    const Outcome hard = Take();
    ASSERT_EQ(ScanWith(kWorkers, {.ignoreDataFiles = true}), 0);
    ExpectSame(hard, Take());
}

TEST_F(TreeScanWorkersTest, AbortKeepsOnlyWholeDataFilesAndTheNextScanCompletesThem) {
    ASSERT_EQ(ScanWith(1), 0);
    const Outcome whole = Take();
    for (const long abortAt : {10L, 40L, 90L}) {
        RemoveDataFiles();
        hooked.onText = [abortAt](int pane, const std::string& text) {
            if (pane == 1 && text == std::to_string(abortAt)) {
                ScanState().abortFlag.store(1);
            }
        };
        EXPECT_EQ(ScanWith(kWorkers), status::kAbortedByUser) << abortAt;
        hooked.onText = nullptr;
        const std::map<std::string, std::string> kept = DataFiles();
        EXPECT_LT(kept.size(), whole.files.size()) << abortAt;
        for (const auto& [relative, bytes] : kept) {
            EXPECT_EQ(bytes, whole.files.at(relative)) << relative;
        }
        ASSERT_EQ(ScanWith(kWorkers), 0);
        EXPECT_EQ(DataFiles(), whole.files);
        EXPECT_EQ(Lines().size(), whole.lines.size());
    }
}

TEST_F(TreeScanWorkersTest, TemporaryDataFilesOfDeadWritersGoWithTheNextScan) {
    ASSERT_EQ(ScanWith(kWorkers), 0);
    // A writer that no longer runs (pid 1 is init, which never writes here, stands for a reused
    // id), one of this process (a writer that may still be working), and other hidden files.
    const std::string dead = ".ZOL.SDB.999999999-3.tmp";
    const std::string reused = ".ZOLMOVE.SDE.1-0.tmp";
    const std::string own = ".ZOL.SDB." + std::to_string(getpid()) + "-0.tmp";
    const std::string foreign = ".notes.txt.999999999-0.tmp";
    for (const std::string& name : {dead, reused, own, foreign}) {
        Put("set 2/f8/" + name, "half a data file", 0);
    }
    Put("set 1/" + dead, "half a data file", 0);
    ASSERT_EQ(ScanWith(kWorkers), 0);
    EXPECT_FALSE(fs::exists(root + "set 2/f8/" + dead));
    EXPECT_FALSE(fs::exists(root + "set 2/f8/" + reused));
    EXPECT_FALSE(fs::exists(root + "set 1/" + dead));
    EXPECT_TRUE(fs::exists(root + "set 2/f8/" + own));
    EXPECT_TRUE(fs::exists(root + "set 2/f8/" + foreign));
    // On a read-only medium nothing is deleted.
    Put("set 2/f8/" + dead, "half a data file", 0);
    SetReadOnlyMediumProbe([](const std::string&) { return 1; });
    ASSERT_EQ(ScanWith(kWorkers), 0);
    EXPECT_TRUE(fs::exists(root + "set 2/f8/" + dead));
}

}  // namespace
}  // namespace kelvane
