#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

#include <gtest/gtest.h>

#include "support/NUVFileInfo.h"
#include "support/NUVFileOps.h"
#include "support/NUVTrace.h"
#include "support/NUVWalk.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

// Records a walk as events: "enter F", "file F name", "leave F result".
struct WalkRecorder {
    std::vector<std::string> events;
    std::vector<std::string> files;  // folder + name of every file seen

    void Attach(WalkContext& context) {
        context.fileCallback = [this](WalkContext& walk) {
            events.push_back("file " + walk.currentFolder);
            files.push_back(walk.currentFolder + walk.currentFileName);
            return 0;
        };
        context.folderHandler = [this](WalkContext& walk, const std::string& folder) {
            events.push_back("enter " + folder);
            const StatusCode result = ProcessAllFilesOfDirectory(walk, folder);
            events.push_back("leave " + folder);
            return result;
        };
    }
};

// True when the events form a depth-first visit: a folder's files come before any of its
// subfolders, and each subfolder is finished before the next one starts.
::testing::AssertionResult IsDepthFirst(const std::vector<std::string>& events) {
    std::vector<std::pair<std::string, bool>> stack;  // folder, a subfolder was entered
    for (const std::string& event : events) {
        const auto space = event.find(' ');
        const std::string kind = event.substr(0, space);
        const std::string folder = event.substr(space + 1);
        if (kind == "enter") {
            if (!stack.empty()) {
                if (folder.rfind(stack.back().first, 0) != 0) {
                    return ::testing::AssertionFailure() << folder << " entered outside parent";
                }
                stack.back().second = true;
            }
            stack.emplace_back(folder, false);
        } else if (kind == "leave") {
            if (stack.empty() || stack.back().first != folder) {
                return ::testing::AssertionFailure() << folder << " left out of order";
            }
            stack.pop_back();
        } else if (stack.empty() || stack.back().first != folder || stack.back().second) {
            return ::testing::AssertionFailure() << "file of " << folder << " out of order";
        }
    }
    return ::testing::AssertionSuccess();
}

WalkContext ContextFor(const std::string& pattern, int recurse) {
    WalkContext context;
    InitWalkContext(context);
    context.fileSpec = pattern;
    context.recurse = recurse;
    return context;
}

TEST(WalkContext, InitialValuesAndCopyKeepsTheFileTime) {
    WalkContext context;
    context.lineNumber = 5;
    context.ignorePathNotFound = 0;
    context.folderHandler = nullptr;
    InitWalkContext(context);
    EXPECT_EQ(context.lineNumber, -1);
    EXPECT_EQ(context.ignorePathNotFound, 1);
    EXPECT_EQ(context.ignoreAccessDenied, 0);
    EXPECT_TRUE(static_cast<bool>(context.folderHandler));

    context.fileSpec = "/x/*.sty";
    context.lastWriteTime = 11;
    WalkContext copy;
    copy.lastWriteTime = 22;
    CopyWalkContext(copy, context);
    EXPECT_EQ(copy.fileSpec, "/x/*.sty");
    EXPECT_EQ(copy.lastWriteTime, 22u);
}

TEST(Walk, VisitsDepthFirstFilesBeforeSubfolders) {
    test::TempDir dir;
    for (const char* path : {"r1.sty", "r2.sty", "a/a1.sty", "a/deep/d1.sty", "a/deep/d2.sty",
                             "a/a2.sty", "b/b1.sty", "b/x/y/z.sty", "c/readme.txt"}) {
        dir.Write(path, "x");
    }
    // "*.*" takes every name: the subfolders come from the same listing as the files.
    for (const auto& [pattern, files] : {std::pair{"*.sty", 8u}, std::pair{"*.*", 9u}}) {
        SCOPED_TRACE(pattern);
        WalkContext context = ContextFor(dir.Folder() + pattern, 1);
        WalkRecorder recorder;
        recorder.Attach(context);
        EXPECT_EQ(ProcessAllFiles(context), 0);
        EXPECT_TRUE(IsDepthFirst(recorder.events));
        EXPECT_EQ(recorder.files.size(), files);
        EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(),
                             "enter " + dir.Folder() + "c/"),
                  1);
    }
}

TEST(Walk, CallbackSeesFolderNameAndTime) {
    test::TempDir dir;
    const std::string path = dir.Write("sub/song.sty", "x");
    ASSERT_EQ(SetFileTimes(path, FileTimeFromUnix(1400000000, 0)), 1);
    WalkContext context = ContextFor(dir.Folder() + "sub/*.*", 0);
    std::string seen;
    FileTime time = 0;
    context.fileCallback = [&](WalkContext& walk) {
        seen = walk.currentFolder + "|" + walk.currentFileName;
        time = walk.lastWriteTime;
        return 0;
    };
    EXPECT_EQ(ProcessAllFiles(context), 0);
    EXPECT_EQ(seen, dir.Folder() + "sub/|song.sty");
    EXPECT_EQ(time, FileTimeFromUnix(1400000000, 0));
}

TEST(Walk, FileTimeOnRequestIsLookedUpOnlyWhenAskedAndMissesAVanishedFile) {
    test::TempDir dir;
    const std::string kept = dir.Write("a.sty", "x");
    const std::string doomed = dir.Write("b.sty", "x");
    ASSERT_EQ(SetFileTimes(kept, FileTimeFromUnix(1400000000, 0)), 1);
    WalkContext context = ContextFor(dir.Folder() + "*.sty", 0);
    context.fileTimesOnRequest = 1;
    std::map<std::string, std::pair<FileTime, bool>> seen;  // time before asking, found
    context.fileCallback = [&](WalkContext& walk) {
        if (walk.currentFileName == "a.sty") {
            ::unlink(doomed.c_str());  // whichever comes second is gone once it is listed
        }
        const FileTime before = walk.lastWriteTime;
        const bool found = CurrentFileTime(walk);
        seen[walk.currentFileName] = {found ? walk.lastWriteTime : before, found};
        return 0;
    };
    EXPECT_EQ(ProcessAllFiles(context), 0);
    EXPECT_EQ(seen["a.sty"], std::make_pair(FileTimeFromUnix(1400000000, 0), true));
    // b.sty was listed first (and still there) or after a.sty (and gone by then).
    if (seen.count("b.sty") != 0 && !seen["b.sty"].second) {
        EXPECT_EQ(seen["b.sty"].first, FileTime{0});
    }
}

TEST(Walk, NothingFoundIsMinus202EvenThroughEmptySubfolders) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.Path() / "e1/e2");
    std::filesystem::create_directories(dir.Path() / "e3");
    WalkContext context = ContextFor(dir.Folder() + "*.*", 1);
    EXPECT_EQ(ProcessAllFiles(context), status::kNoFilesFound);
    context = ContextFor(dir.Folder() + "e3/*.*", 0);
    EXPECT_EQ(ProcessAllFiles(context), status::kNoFilesFound);
}

TEST(Walk, FilesPassedOverByTheCallbackStillCount) {
    test::TempDir dir;
    dir.Write("notes.txt", "x");
    WalkContext context = ContextFor(dir.Folder() + "*.*", 1);
    context.fileCallback = [](WalkContext&) { return 0; };
    EXPECT_EQ(ProcessAllFiles(context), 0);
}

TEST(Walk, NeverEntersDotFoldersOrFolderLinks) {
    test::TempDir dir;
    dir.Write(".hidden/a.sty", "x");
    dir.Write("real/b.sty", "x");
    ASSERT_EQ(symlink("real", (dir.Folder() + "loop").c_str()), 0);
    ASSERT_EQ(symlink(".", (dir.Folder() + "real/self").c_str()), 0);
    for (const char* pattern : {"*.sty", "*.*"}) {
        SCOPED_TRACE(pattern);
        WalkContext context = ContextFor(dir.Folder() + pattern, 1);
        WalkRecorder recorder;
        recorder.Attach(context);
        EXPECT_EQ(ProcessAllFiles(context), 0);
        EXPECT_EQ(recorder.files, std::vector<std::string>{dir.Folder() + "real/b.sty"});
    }
}

TEST(Walk, FollowsFolderLinksWhenAskedAndReportsEachLoopOnce) {
    test::TempDir dir;
    dir.Write(".hidden/a.sty", "x");
    dir.Write("real/b.sty", "x");
    ASSERT_EQ(symlink("real", (dir.Folder() + "linked").c_str()), 0);
    ASSERT_EQ(symlink(".", (dir.Folder() + "real/self").c_str()), 0);
    ASSERT_EQ(symlink("..", (dir.Folder() + "real/up").c_str()), 0);
    for (const char* pattern : {"*.sty", "*.*"}) {
        SCOPED_TRACE(pattern);
        test::CapturingSink sink;
        WalkContext context = ContextFor(dir.Folder() + pattern, 1);
        context.followFolderLinks = 1;
        WalkRecorder recorder;
        recorder.Attach(context);
        EXPECT_EQ(ProcessAllFiles(context), 0);
        std::sort(recorder.files.begin(), recorder.files.end());
        EXPECT_EQ(recorder.files, (std::vector<std::string>{dir.Folder() + "linked/b.sty",
                                                            dir.Folder() + "real/b.sty"}));
        // "self" and "up" are met below "linked" and below "real": two loops, each told once.
        EXPECT_EQ(sink.boxes.size(), 2u);
        EXPECT_TRUE(context.foldersOnPath.empty());
    }
}

TEST(Walk, MissingStartFolderIsQuietUnlessAskedOtherwise) {
    test::TempDir dir;
    WalkContext context = ContextFor(dir.Folder() + "gone/*.sty", 1);
    WalkRecorder recorder;
    recorder.Attach(context);
    EXPECT_EQ(ProcessAllFiles(context), status::kNoFilesFound);
    EXPECT_TRUE(recorder.files.empty());
    context = ContextFor(dir.Folder() + "gone/*.sty", 1);
    context.ignorePathNotFound = 0;
    EXPECT_EQ(ProcessAllFiles(context), status::kPathNotFound);
}

TEST(Walk, UnreadableSubfolderIsSkippedOrEndsTheWalk) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "running as root: folder permissions are not enforced";
    }
    test::TempDir dir;
    dir.Write("open/a.sty", "x");
    dir.Write("locked/b.sty", "x");
    ASSERT_EQ(chmod((dir.Folder() + "locked").c_str(), 0), 0);
    WalkContext context = ContextFor(dir.Folder() + "*.sty", 1);
    context.ignoreAccessDenied = 1;
    WalkRecorder recorder;
    recorder.Attach(context);
    EXPECT_EQ(ProcessAllFiles(context), 0);
    EXPECT_EQ(recorder.files, std::vector<std::string>{dir.Folder() + "open/a.sty"});
    context = ContextFor(dir.Folder() + "*.sty", 1);
    EXPECT_EQ(ProcessAllFiles(context), status::kAccessDenied);
}

TEST(Walk, AbortInADeepFolderStopsEveryLevel) {
    test::TempDir dir;
    dir.Write("a/b/c/stop.sty", "x");
    dir.Write("a/b/c/d/later.sty", "x");
    dir.Write("z/other.sty", "x");
    WalkContext context = ContextFor(dir.Folder() + "*.sty", 1);
    std::vector<StatusCode> levelResults;
    int files = 0;
    context.fileCallback = [&files](WalkContext& walk) {
        ++files;
        return walk.currentFileName == "stop.sty" ? status::kAbortedByUser : 0;
    };
    context.folderHandler = [&levelResults](WalkContext& walk, const std::string& folder) {
        const StatusCode result = ProcessAllFilesOfDirectory(walk, folder);
        levelResults.push_back(result);
        return result;
    };
    EXPECT_EQ(ProcessAllFiles(context), 0);
    // Root, a, b and c all returned -206; nothing below c was visited. "z" may come first.
    const auto aborted = std::count(levelResults.begin(), levelResults.end(), -206);
    EXPECT_EQ(aborted, 4);
    EXPECT_EQ(levelResults.back(), -206);
    EXPECT_LE(files, 2);
}

TEST(Walk, OtherCallbackFailuresTravelUpUnchanged) {
    test::TempDir dir;
    dir.Write("a/b/bad.sty", "x");
    WalkContext context = ContextFor(dir.Folder() + "*.sty", 1);
    context.fileCallback = [](WalkContext&) { return -10380; };
    EXPECT_EQ(ProcessAllFiles(context), -10380);
    context = ContextFor(dir.Folder() + "*.sty", 1);
    context.folderHandler = nullptr;
    EXPECT_EQ(ProcessAllFiles(context), status::kNoFolderHandler);
}

TEST(Walk, FolderRemovedDuringTheWalkGivesACleanStatus) {
    test::TempDir dir;
    dir.Write("one/a.sty", "x");
    dir.Write("one/b.sty", "x");
    dir.Write("two/c.sty", "x");
    dir.Write("two/sub/d.sty", "x");
    for (int ignore : {1, 0}) {
        WalkContext context = ContextFor(dir.Folder() + "*.sty", 1);
        context.ignorePathNotFound = ignore;
        int files = 0;
        // The first file seen removes its own folder and the other one.
        context.fileCallback = [&](WalkContext&) {
            if (files++ == 0) {
                std::filesystem::remove_all(dir.Path() / "one");
                std::filesystem::remove_all(dir.Path() / "two");
            }
            return 0;
        };
        const StatusCode result = ProcessAllFiles(context);
        EXPECT_EQ(files, 1);
        EXPECT_EQ(result, ignore == 1 ? 0 : status::kWalkFolderError);
        dir.Write("one/a.sty", "x");
        dir.Write("one/b.sty", "x");
        dir.Write("two/c.sty", "x");
        dir.Write("two/sub/d.sty", "x");
    }
}

TEST(DeleteMatchingFiles, PlainFilesOnlyAndReadOnlyNeedsForce) {
    test::TempDir dir;
    dir.Write("a.SDE", "x");
    dir.Write("keep.txt", "x");
    dir.Write("dir.SDE/inner", "x");
    const std::string locked = dir.Write("locked.SDE", "x");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    EXPECT_EQ(DeleteMatchingFiles(dir.Folder(), "locked.SDE", false), -104);
    EXPECT_EQ(DeleteMatchingFiles(dir.Path().string(), "*.SDE", true), 0);
    EXPECT_EQ(FileExists(dir.Folder() + "a.SDE"), 0);
    EXPECT_EQ(FileExists(locked), 0);
    EXPECT_EQ(FileExists(dir.Folder() + "keep.txt"), 1);
    EXPECT_EQ(FolderExists(dir.Folder() + "dir.SDE"), 1);
    EXPECT_EQ(DeleteMatchingFiles(dir.Folder(), "*.SDE", false), 0);
    EXPECT_EQ(DeleteMatchingFiles(dir.Folder() + "gone", "*.SDE", false), -203);
}

}  // namespace
}  // namespace kelvane
