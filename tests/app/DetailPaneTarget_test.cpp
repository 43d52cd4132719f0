// What the detail pane shows for a row (the row's file, read as a style or, in midi mode, as a
// song; nothing outside the rows) and how it is remembered in the mode's settings section.
#include "app/DetailPaneTarget.h"

#include "AppTestEnv.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

class DetailPaneTargetTest : public test::AppFixture {
  protected:
    void TearDown() override {
        ListViewMgr().ClearBothLists();
        AppFixture::TearDown();
    }
    void StartWithRecord(std::vector<std::string> args, const std::string& name) {
        Start(std::move(args));
        ListViewMgr().RegisterList(ListKind::Files, nullptr);
        ListViewMgr().RegisterList(ListKind::Songs, nullptr);
        ListViewMgr().ShowFileList();
        StyleDataPacket* record = NewStyleRecord();
        ASSERT_NE(record, nullptr);
        AssignStyleField(*record, kFieldPath, "/music/");
        AssignStyleField(*record, kFieldFilename, name);
        RecordStore().records.Append(record);
        ListViewMgr().ForceRebuild(false, nullptr, false);
    }
};

TEST_F(DetailPaneTargetTest, RowsGiveTheirFileReadAsTheModeSays) {
    StartWithRecord({"-m"}, "song.mid");
    const CMyListCtrl& list = ListViewMgr().FileList();
    EXPECT_EQ(PictureTargetOfRow(list, 0, kRunModeMidi),
              (PictureTarget{"/music/song.mid", PictureKind::kSong}));
    EXPECT_EQ(PictureTargetOfRow(list, 0, kRunModeStyle).kind, PictureKind::kStyle);
    EXPECT_TRUE(PictureTargetOfRow(list, 1, kRunModeMidi).path.empty());
    EXPECT_TRUE(PictureTargetOfRow(list, -1, kRunModeMidi).path.empty());
}

TEST_F(DetailPaneTargetTest, SettingsAreKeptPerModeAndTheHeightBounded) {
    StartWithRecord({}, "a.sty");
    EXPECT_FALSE(LoadDetailPaneSettings().shown);
    ASSERT_EQ(StoreDetailPaneSettings({true, 99999}), 0);
    EXPECT_TRUE(LoadDetailPaneSettings().shown);
    EXPECT_EQ(LoadDetailPaneSettings().height, kMaxDetailPaneHeight);
    EXPECT_EQ(SettingsStore().ReadInt("General", "DetailPane", 0), 1);
    EXPECT_EQ(SettingsStore().ReadInt("GeneralMidi", "DetailPane", 0), 0);
}

}  // namespace
}  // namespace kelvane
