// Faults during copy and move: full and read-only destinations, a vanished source, a
// read-only clash and an abort half way. In every case no file is lost, the data files say
// what the disk holds, and no space reservation or temporary file stays behind.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileops/FileOpsTestEnv.h"
#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLMoveFile.h"
#include "support/FaultPoints.h"

namespace kelvane::test {
namespace {

using Strings = std::vector<std::string>;
using Authors = std::map<std::string, std::string>;

constexpr long kPage = 4096;

// A small tmpfs mounted for the test (root only); unmounted at the end.
class ScopedTmpfs {
  public:
    explicit ScopedTmpfs(const std::filesystem::path& where) : path_(where) {
        std::filesystem::create_directories(path_);
        if (geteuid() != 0) {
            reason_ = "mounting a small file system needs root";
        } else if (mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=300k") != 0) {
            reason_ = std::string("mount failed: ") + std::strerror(errno);
        } else {
            mounted_ = true;
        }
    }
    ~ScopedTmpfs() {
        if (mounted_) {
            umount2(path_.c_str(), MNT_DETACH);
        }
    }
    bool Mounted() const { return mounted_; }
    const std::string& Reason() const { return reason_; }
    bool RemountReadOnly() const {
        return mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=300k") == 0;
    }
    long FreePages() const {
        struct statvfs info {};
        statvfs(path_.c_str(), &info);
        return static_cast<long>(info.f_bavail * info.f_frsize / kPage);
    }

  private:
    std::filesystem::path path_;
    bool mounted_ = false;
    std::string reason_;
};

class CopyMoveFaultsTest : public FileOpsTest {
  protected:
    // Every file in `folder` named by a record of its data file (or move file), and every
    // record there naming a file present; the authors follow the files.
    void ExpectRecordsMatchFiles(const std::string& relativeFolder, bool moveFile) {
        const Authors authors = DataFileAuthors(relativeFolder, moveFile);
        Strings styles;
        for (const std::string& name : Names(relativeFolder)) {
            if (name.ends_with(".sty")) {
                styles.push_back(name);
                EXPECT_EQ(authors.count(name), 1u) << relativeFolder << name;
                if (authors.count(name) != 0) {
                    EXPECT_EQ(authors.at(name), "by " + name);
                }
            }
        }
        EXPECT_EQ(authors.size(), styles.size()) << relativeFolder;
        ExpectNoLeftovers(relativeFolder);
    }
    // A scan of the folder after the operation finds every style file on disk with the value
    // the user gave it, and nothing else.
    void ExpectRescanAgrees(const std::string& relativeFolder) {
        Authors expected;
        const std::filesystem::path base = dir.Path() / relativeFolder;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_regular_file() && name.ends_with(".sty")) {
                expected[std::filesystem::relative(entry.path(), base).string()] = "by " + name;
            }
        }
        EXPECT_EQ(RescanAuthors(relativeFolder), expected) << relativeFolder;
    }
    // Each of the files is in exactly one of the two folders, whole.
    void ExpectNothingLost(const Strings& names, const std::string& source,
                           const std::string& destination) {
        for (const std::string& name : names) {
            const bool inSource = Exists(source + "/" + name);
            const bool inDestination = Exists(destination + "/" + name);
            EXPECT_NE(inSource, inDestination) << name;
            const std::string where = (inSource ? source : destination) + "/" + name;
            EXPECT_EQ(Read(where), contents_.at(name)) << where;
        }
    }
    Strings MakeStyles(const std::string& folder, int count, size_t bytes) {
        Strings names;
        for (int i = 0; i < count; ++i) {
            const std::string name = "S" + std::to_string(i) + ".sty";
            std::string body = name;
            body.resize(bytes, static_cast<char>('a' + i));
            contents_[name] = body;
            File(folder + "/" + name, body);
            Record(folder, name);
            names.push_back(name);
        }
        WriteDataFiles();
        return names;
    }

    std::map<std::string, std::string> contents_;
};

TEST_F(CopyMoveFaultsTest, FullDestinationAbortLosesNothing) {
    ScopedTmpfs full(dir.Path() / "full");
    if (!full.Mounted()) {
        GTEST_SKIP() << full.Reason();
    }
    // Three files of 100 KiB: two fit into 300 KiB, the third does not.
    const Strings names = MakeStyles("tree/a", 3, 100 * 1024);
    Select({});
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("full")), status::kAbortedByUser);
    EXPECT_EQ(prompts.deviceFull, 1);
    ExpectNothingLost(names, "tree/a", "full");
    EXPECT_EQ(Names("tree/a").size(), 2u);  // the third and the data file
    ExpectRecordsMatchFiles("full", true);
    ExpectRecordsMatchFiles("tree/a", false);
    EXPECT_FALSE(sink.BoxContains("Error"));
    ExpectRescanAgrees("tree");
    ExpectRescanAgrees("full");
}

TEST_F(CopyMoveFaultsTest, ChangedMediaRetriesTheSameFile) {
    ScopedTmpfs full(dir.Path() / "full");
    if (!full.Mounted()) {
        GTEST_SKIP() << full.Reason();
    }
    const Strings names = MakeStyles("tree/a", 2, 100 * 1024);
    File("full/filler.bin", std::string(150 * 1024, 'f'));
    Select({});
    // The user makes room on the medium (as another medium would) and presses Changed Media.
    prompts.beforeDeviceFullAnswer = [this] {
        std::filesystem::remove(dir.Path() / "full/filler.bin");
    };
    prompts.deviceFullAnswers = {device_full::kChangedMedia};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("full")), 0);
    EXPECT_EQ(prompts.deviceFull, 1);
    EXPECT_TRUE(prompts.fileExists.empty());  // nothing half-copied was left to clash with
    EXPECT_EQ(Names("full"), (Strings{"S0.sty", "S1.sty", "ZOLMOVE.SDE"}));
    ExpectRecordsMatchFiles("full", true);
    ExpectRecordsMatchFiles("tree/a", false);
    ExpectRescanAgrees("full");
}

TEST_F(CopyMoveFaultsTest, MoveFileAppendFitsIntoTheReleasedReservation) {
    ScopedTmpfs full(dir.Path() / "full");
    if (!full.Mounted()) {
        GTEST_SKIP() << full.Reason();
    }
    // An earlier move file of several pages, then a file that takes all the room but the
    // reservation's page.
    RecordList earlier;
    for (int i = 0; i < 40; ++i) {
        StyleDataPacket* record = NewStyleRecord();
        AssignStyleField(*record, kFieldFilename, "Old" + std::to_string(i) + ".sty");
        AssignStyleField(*record, kFieldAuthor, std::string(300, 'a'));
        earlier.Append(record);
    }
    ASSERT_EQ(AppendToMoveFile(Folder("full") + "ZOLMOVE.SDE", earlier), 0);
    earlier.ReleaseAll();
    const std::string before = Read("full/ZOLMOVE.SDE");
    ASSERT_GT(before.size(), 3u * kPage);
    const long freePages = full.FreePages();
    ASSERT_GT(freePages, 2);
    const Strings names = MakeStyles("tree/a", 1, static_cast<size_t>((freePages - 1) * kPage));
    Select({});
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("full")), 0);
    EXPECT_EQ(prompts.deviceFull, 0);
    const std::string after = Read("full/ZOLMOVE.SDE");
    EXPECT_EQ(after.compare(0, before.size(), before), 0);
    EXPECT_EQ(DataFileAuthors("full", true).count("S0.sty"), 1u);
    EXPECT_FALSE(Exists("tree/a/S0.sty"));
    ExpectNoLeftovers("full");
}

TEST_F(CopyMoveFaultsTest, FailedMoveFileAppendKeepsOldLinesAndUndoesTheCopy) {
    std::filesystem::create_directories(dir.Path() / "out");
    RecordList earlier;
    StyleDataPacket* old = NewStyleRecord();
    AssignStyleField(*old, kFieldFilename, "Old.sty");
    earlier.Append(old);
    ASSERT_EQ(AppendToMoveFile(Folder("out") + "ZOLMOVE.SDE", earlier), 0);
    earlier.ReleaseAll();
    const std::string before = Read("out/ZOLMOVE.SDE");
    const Strings names = MakeStyles("tree/a", 1, 100);
    Select({});
    ArmedFault full(FaultPoint::MoveFileAppend, 10);  // the medium fills up ten bytes in
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("out")), status::kAbortedByUser);
    EXPECT_EQ(prompts.deviceFull, 1);
    EXPECT_EQ(Read("out/ZOLMOVE.SDE"), before);
    EXPECT_EQ(Names("out"), Strings{"ZOLMOVE.SDE"});
    EXPECT_TRUE(Exists("tree/a/S0.sty"));
    ExpectRecordsMatchFiles("tree/a", false);
    ExpectRescanAgrees("tree");
}

TEST_F(CopyMoveFaultsTest, ReadOnlyDestinationChangesNothing) {
    ScopedTmpfs medium(dir.Path() / "ro");
    if (medium.Mounted()) {
        File("ro/keep.txt", "kept");
        ASSERT_TRUE(medium.RemountReadOnly());
    } else if (geteuid() != 0) {
        std::filesystem::create_directories(dir.Path() / "ro");
        File("ro/keep.txt", "kept");
        std::filesystem::permissions(dir.Path() / "ro", std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    } else {
        GTEST_SKIP() << medium.Reason();
    }
    const Strings names = MakeStyles("tree/a", 2, 100);
    Select({});
    prompts.deviceFullAnswers = {device_full::kChangedMedia, device_full::kAbort};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("ro")), status::kAbortedByUser);
    EXPECT_EQ(prompts.deviceFull, 2);  // the retry met the same medium
    EXPECT_EQ(Names("ro"), Strings{"keep.txt"});
    ExpectNothingLost(names, "tree/a", "ro");
    ExpectRecordsMatchFiles("tree/a", false);
    ExpectRescanAgrees("tree");
}

TEST_F(CopyMoveFaultsTest, VanishedSourceCountsAsDone) {
    const Strings names = MakeStyles("tree/a", 3, 100);
    std::filesystem::create_directories(dir.Path() / "out");
    Select({});
    std::filesystem::remove(dir.Path() / "tree/a/S1.sty");
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("out")), 0);
    EXPECT_EQ(CopyMoveState().entries.at(1).outcome, CopyMoveOutcome::SourceMissing);
    EXPECT_EQ(Names("out"), (Strings{"S0.sty", "S2.sty", "ZOLMOVE.SDE"}));
    ExpectRecordsMatchFiles("out", true);
    // The vanished file's record stays until the next scan finds the file gone.
    EXPECT_EQ(DataFileAuthors("tree/a"), (Authors{{"S1.sty", "by S1.sty"}}));
    ExpectRescanAgrees("tree");
    ExpectRescanAgrees("out");
}

TEST_F(CopyMoveFaultsTest, ReadOnlyClashIsNeverReplaced) {
    const Strings names = MakeStyles("tree/a", 2, 100);
    File("out/S0.sty", "protected");
    std::filesystem::permissions(dir.Path() / "out/S0.sty", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    Select({});
    prompts.fileExistsAnswers = {file_exists::kReplaceAll, file_exists::kSkip};
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("out")), 0);
    EXPECT_EQ(Read("out/S0.sty"), "protected");
    EXPECT_TRUE(Exists("tree/a/S0.sty"));
    EXPECT_FALSE(Exists("tree/a/S1.sty"));
    EXPECT_EQ(DataFileAuthors("out", true), (Authors{{"S1.sty", "by S1.sty"}}));
    ExpectRecordsMatchFiles("tree/a", false);
    ExpectRescanAgrees("tree");
}

TEST_F(CopyMoveFaultsTest, AbortHalfWayKeepsWhatWasDone) {
    const Strings names = MakeStyles("tree/a", 3, 100);
    File("tree/b/S1.sty", "clash");
    Record("tree/b", "S1.sty", "by S1.sty");
    WriteDataFiles();
    SelectRecords({Find("tree/a", "S0.sty"), Find("tree/a", "S1.sty"), Find("tree/a", "S2.sty")});
    // Abort is pressed while the clash prompt for the second file is open.
    prompts.fileExistsAnswers = {file_exists::kSkip};
    struct AbortOnQuestion : ScriptedPrompts {
        int FileExists(const FileExistsQuestion& question) override {
            ScanState().abortFlag = 1;
            return ScriptedPrompts::FileExists(question);
        }
    } aborting;
    aborting.fileExistsAnswers = {file_exists::kSkip};
    SetFileOpPrompts(&aborting);
    EXPECT_EQ(CopyMoveSelectedTo(CopyMoveKind::Move, Folder("tree/b")), status::kAbortedByUser);
    EXPECT_TRUE(StatusShown("Moving files aborted: 1 file moved, 1 skipped"));
    EXPECT_EQ(ScanState().abortFlag.load(), 0);
    EXPECT_EQ(Names("tree/b"), (Strings{"S0.sty", "S1.sty", "ZOL.SDB"}));
    EXPECT_EQ(Read("tree/b/S1.sty"), "clash");
    EXPECT_EQ(Names("tree/a"), (Strings{"S1.sty", "S2.sty", "ZOL.SDB"}));
    ExpectRecordsMatchFiles("tree/b", false);
    EXPECT_EQ(Find("tree/b", "S0.sty")->changed, 0);
    EXPECT_FALSE(sink.BoxContains("Error"));
    ExpectRescanAgrees("tree");
}

}  // namespace
}  // namespace kelvane::test
