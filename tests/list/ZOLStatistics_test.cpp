#include "list/ZOLStatistics.h"

#include <filesystem>

#include "list/ZOLDuplicateSelection.h"
#include "list/ZOLListTestEnv.h"
#include "support/NUVUserInterface.h"

namespace kelvane::test {
namespace {

class CapturedBoxes : public IUserDialogs {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxIcon, BoxButtons, BoxAnswer answer) override {
        texts.push_back(text);
        return answer;
    }
    std::vector<std::string> texts;
};

class FixedChooser : public IFolderChooser {
  public:
    std::optional<std::string> ChooseFolder(const std::string&, const std::string& start) override {
        offeredStart = start;
        return answer;
    }
    std::optional<std::string> answer;
    std::string offeredStart;
};

class StatisticsTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        SetUserDialogs(&boxes);
        LastDuplicatesFolder().clear();
    }
    void TearDown() override {
        SetUserDialogs(nullptr);
        ListTest::TearDown();
    }
    std::vector<std::string> SelectedNames() const {
        std::vector<std::string> names;
        for (long row = 0; row < mgr.FileList().RowCount(); ++row) {
            if (mgr.FileList().IsSelected(row)) {
                names.emplace_back(mgr.FileList().StyleRecordOfRow(row)->Text(kFieldFilename));
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    CapturedBoxes boxes;
    FixedChooser chooser;
};

TEST_F(StatisticsTest, TenIdenticalPairsInTwoHundredRecords) {
    for (int i = 0; i < 200; ++i) {
        StyleDataPacket* record =
            AddRecord({"f" + std::to_string(i), "/m/", i < 20 ? 1000 + i / 2 : 5000 + i, 64});
        if (i % 4 != 0) {
            AssignStyleField(*record, kFieldStyleType, "Pop");
        }
    }
    mgr.ShowFileList();
    const RecordCounters counters = CountRecords(mgr);
    EXPECT_EQ(counters.walked, 200);
    EXPECT_EQ(counters.shown, 200);
    EXPECT_EQ(counters.unidentified, 50);
    EXPECT_EQ(counters.duplicates, 10);
    ShowStatistics(mgr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0],
              "Total number of styles: 200\t\t\t  \nNumber of displayed styles: 200\n"
              "Total number of unidentified styles: 50     (25 %)\nTotal number of duplicate "
              "styles: 10\t(5 %)\n");
    // The status line shows the list's counts again, not "Ready".
    EXPECT_EQ(panes.texts.back(), mgr.FileList().StatusLine());
    EXPECT_NE(panes.texts.back(), "Ready");
}

TEST_F(StatisticsTest, NothingLoadedShowsTheNoStylesMessage) {
    mgr.ShowFileList();
    ShowStatistics(mgr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "No styles available for statistics");
    EXPECT_EQ(StatisticsText(RecordCounters{4, 4, 1, 0}, true).substr(0, 31),
              "Total number of midi files: 4\t\t");
}

TEST_F(StatisticsTest, FolderAndTreeCommandsSelectOnlyCopiesWithAPartnerOutside) {
    AddRecord({"top.sty", "/col/", 1, 10});
    AddRecord({"sub.sty", "/col/sub/", 1, 10});  // the copy lies under the chosen folder
    AddRecord({"mine.sty", "/col/", 2, 10});
    AddRecord({"theirs.sty", "/other/", 2, 10});
    AddRecord({"alone.sty", "/col/", 3, 10});
    mgr.ShowFileList();
    chooser.answer = " /COL ";
    ASSERT_EQ(SelectDuplicatesOfFolder(mgr, chooser, false), 0);
    EXPECT_EQ(SelectedNames(), (Names{"mine.sty"}));
    EXPECT_EQ(LastDuplicatesFolder(), "/COL/");
    mgr.FileList().ClearSelection();
    ASSERT_EQ(SelectDuplicatesOfFolder(mgr, chooser, true), 0);
    EXPECT_EQ(SelectedNames(), (Names{"mine.sty"}));
    chooser.answer.reset();
    mgr.FileList().ClearSelection();
    ASSERT_EQ(SelectDuplicatesOfFolder(mgr, chooser, false), 0);
    EXPECT_TRUE(SelectedNames().empty());
}

TEST_F(StatisticsTest, CopyOnlyInTheTrashFolderDoesNotCount) {
    TempDir trash;
    Config().trashFolder = trash.Path().string();
    AddRecord({"keep.sty", "/col/", 1, 10});
    AddRecord({"binned.sty", trash.Folder(), 1, 10});
    mgr.ShowFileList();
    chooser.answer = "/col/";
    ASSERT_EQ(SelectDuplicatesOfFolder(mgr, chooser, false), 0);
    EXPECT_TRUE(SelectedNames().empty());
    Config().trashFolder = "/no/such/trash";  // a missing trash folder counts as not set
    ASSERT_EQ(SelectDuplicatesOfFolder(mgr, chooser, false), 0);
    EXPECT_EQ(SelectedNames(), (Names{"keep.sty"}));
}

TEST_F(StatisticsTest, AllExceptOneKeepsTheRichestOrTheFirstMember) {
    AddRecord({"one.sty", "/a/", 1, 10, "x"});
    AddRecord({"two.sty", "/b/", 1, 10, "longest"});
    AddRecord({"three.sty", "/c/", 1, 10, "mid"});
    AddRecord({"p1.sty", "/a/", 2, 10});
    AddRecord({"p2.sty", "/b/", 2, 10});
    AddRecord({"single.sty", "/a/", 3, 10});
    mgr.ShowFileList();
    ASSERT_EQ(SelectAllExceptOneOfEach(mgr), 0);
    EXPECT_EQ(SelectedNames(), (Names{"one.sty", "p2.sty", "three.sty"}));
}

TEST_F(StatisticsTest, AllExceptOneSelectsTrashRowsWithoutAKeeperOfTheirOwn) {
    TempDir trash;
    Config().trashFolder = trash.Folder();
    AddRecord({"binned.sty", trash.Folder(), 1, 10, "a much longer aux"});
    AddRecord({"kept.sty", "/a/", 1, 10});
    AddRecord({"lonely.sty", trash.Folder(), 2, 10});
    mgr.ShowFileList();
    ASSERT_EQ(SelectAllExceptOneOfEach(mgr), 0);
    EXPECT_EQ(SelectedNames(), (Names{"binned.sty", "lonely.sty"}));
}

TEST_F(StatisticsTest, SelectionCommandsDoNothingInTheSongList) {
    StyleDataPacket* a = AddRecord({"a.sty", "/a/", 1, 10});
    AddRecord({"b.sty", "/b/", 1, 10});
    AddSong(a, "song");
    mgr.ShowSongList();
    chooser.answer = "/a/";
    EXPECT_EQ(SelectDuplicatesOfFolder(mgr, chooser, false), 0);
    EXPECT_EQ(SelectAllExceptOneOfEach(mgr), 0);
    EXPECT_EQ(mgr.SelectedCount(), 0);
    EXPECT_EQ(mgr.FileList().SelectedCount(), 0);
    EXPECT_TRUE(chooser.offeredStart.empty());
}

}  // namespace
}  // namespace kelvane::test
