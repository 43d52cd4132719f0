#include "list/ZOLColumnDefaults.h"

#include <map>

#include "list/ZOLColumnChoice.h"
#include "list/ZOLListTestEnv.h"
#include "platform/SettingsStore.h"
#include "support/ScopedEnv.h"

namespace kelvane::test {
namespace {

class MemorySettings : public IColumnSettingsStore {
  public:
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& fallback) override {
        const auto found = texts.find(section + "/" + key);
        return found != texts.end() ? found->second : fallback;
    }
    int ReadInt(const std::string& section, const std::string& key, int fallback) override {
        const auto found = numbers.find(section + "/" + key);
        return found != numbers.end() ? found->second : fallback;
    }
    StatusCode WriteText(const std::string& section, const std::string& key,
                         const std::string& value) override {
        texts[section + "/" + key] = value;
        return 0;
    }
    StatusCode WriteInt(const std::string& section, const std::string& key, int value) override {
        numbers[section + "/" + key] = value;
        return 0;
    }
    std::map<std::string, std::string> texts;
    std::map<std::string, int> numbers;
};

class ColumnsTest : public ListTest {
  protected:
    std::vector<int> ShownFields(const CMyListCtrl& list) const {
        std::vector<int> fields;
        for (int c = 0; c < list.ColumnCount(); ++c) {
            fields.push_back(list.FieldIdOfColumn(c));
        }
        return fields;
    }
    MemorySettings settings;
};

TEST_F(ColumnsTest, EmptySettingsGiveTheBuiltInColumnsOfTheMode) {
    ASSERT_EQ(LoadColumnDefaults(mgr, settings), 0);
    EXPECT_EQ(ShownFields(mgr.FileList()), BuiltInColumns(ListKind::Files));
    EXPECT_EQ(ShownFields(mgr.SongList()), BuiltInColumns(ListKind::Songs));
    EXPECT_EQ(mgr.FileList().Column(0)->width, 120);          // the catalogue width of Filename
    EXPECT_EQ(mgr.FileList().Column(6)->width, 8 * 10 + 22);  // "Filesize" measured
    EXPECT_FALSE(ColumnAutoresizeOn());
    Start(kRunModeMidi);
    ASSERT_EQ(LoadColumnDefaults(mgr, settings), 0);
    EXPECT_EQ(mgr.FileList().FieldIdOfColumn(1), kFieldMidiInfo);
    EXPECT_EQ(mgr.FileList().ColumnCount(), 9);
}

TEST_F(ColumnsTest, StoredColumnsLoadWithWidthsSortAndUnknownHeadersSkipped) {
    settings.numbers["Columns/NrOfDefinedDefaultColumns"] = 3;
    settings.texts["Columns/DefaultColumn1"] = "tempo";
    settings.texts["Columns/DefaultColumn2"] = "Vanished Field";
    settings.texts["Columns/DefaultColumn3"] = "Filename";
    settings.numbers["ColumnsWidth/DefaultColumn3"] = 77;
    settings.numbers["ColumnsWidth/DefaultColumnRowNr"] = 55;
    settings.numbers["Columns/DefaultSortedColumnId"] = kFieldFilename;
    settings.numbers["Columns/DefaultSortOrderAscending"] = 1;
    settings.numbers["Columns/DefaultColumnAutoresize"] = 1;
    ASSERT_EQ(LoadColumnDefaults(mgr, settings), 0);
    EXPECT_EQ(ShownFields(mgr.FileList()), (std::vector<int>{kFieldTempo, kFieldFilename}));
    EXPECT_EQ(mgr.FileList().GetSortState().primaryField, kFieldFilename);
    EXPECT_EQ(mgr.FileList().RowNumberWidth(), 55);
    EXPECT_TRUE(ColumnAutoresizeOn());
}

TEST_F(ColumnsTest, DefaultsRoundTripThroughTheDialogWithGaps) {
    ShowColumns(mgr.FileList(), {kFieldFilename, kFieldTempo, kFieldAuthor});
    mgr.FileList().SetColumnWidth(0, 140);
    mgr.ShowFileList();
    CZOLColumnChoice choice(mgr.FileList());
    ASSERT_EQ(choice.Offered()[0], "(none)");
    ASSERT_EQ(choice.Offered()[static_cast<size_t>(choice.Choice(1))], "Tempo");
    EXPECT_EQ(choice.Choice(3), CZOLColumnChoice::kNothing);
    choice.SetChoice(1, 0);  // "(none)" in column 2
    EXPECT_EQ(choice.ChosenFields(), (std::vector<int>{kFieldFilename, kFieldAuthor}));
    ASSERT_EQ(choice.SetAsDefault(mgr.FileList(), settings), 0);
    EXPECT_EQ(settings.numbers["Columns/NrOfDefinedDefaultColumns"], 2);
    EXPECT_EQ(settings.texts["Columns/DefaultColumn1"], "Filename");
    EXPECT_EQ(settings.texts["Columns/DefaultColumn2"], "Author");
    EXPECT_EQ(settings.numbers["ColumnsWidth/DefaultColumn1"], 140);
    EXPECT_EQ(settings.numbers["ColumnsWidth/DefaultColumn2"], 100);  // not at its place: default
    EXPECT_EQ(settings.numbers["ColumnsWidth/DefaultColumnRowNr"], 40);
    EXPECT_EQ(settings.numbers["Columns/DefaultSortedColumnId"], -1);
    EXPECT_EQ(settings.numbers.count("Columns/DefaultSortOrderAscending"), 0u);
    EXPECT_EQ(settings.numbers["Columns/DefaultColumnAutoresize"], 0);

    CZOLListViewMgr second;
    second.RegisterList(ListKind::Files, nullptr);
    second.RegisterList(ListKind::Songs, nullptr);
    ASSERT_EQ(LoadColumnDefaults(second, settings), 0);
    EXPECT_EQ(ShownFields(second.FileList()), (std::vector<int>{kFieldFilename, kFieldAuthor}));
    EXPECT_EQ(second.FileList().Column(0)->width, 140);
}

TEST_F(ColumnsTest, ProgramSettingsStoreKeepsTheDefaultsInItsFile) {
    TempDir dir;
    ScopedEnv file("KELVANE_SETTINGS", dir.Folder() + "settings.ini");
    SettingsStore().Open(settings::kCompany);
    ShowColumns(mgr.FileList(), {kFieldTempo, kFieldFilename});
    ASSERT_EQ(StoreColumnDefaults(mgr.FileList(), {kFieldTempo, kFieldFilename}, true,
                                  ProgramColumnSettings()),
              0);
    const std::string ini = dir.Read("settings.ini");
    EXPECT_NE(ini.find("[Columns]"), std::string::npos);
    EXPECT_NE(ini.find("DefaultColumn2=Filename"), std::string::npos);
    CZOLListViewMgr second;
    second.RegisterList(ListKind::Files, nullptr);
    second.RegisterList(ListKind::Songs, nullptr);
    ASSERT_EQ(LoadColumnDefaults(second, ProgramColumnSettings()), 0);
    EXPECT_EQ(ShownFields(second.FileList()), (std::vector<int>{kFieldTempo, kFieldFilename}));
}

TEST_F(ColumnsTest, OkOfTheDialogSkipsNoneAndKeepsRememberedWidths) {
    ShowColumns(mgr.FileList(), {kFieldFilename, kFieldTempo});
    mgr.FileList().SetColumnWidth(1, 66);
    CZOLColumnChoice choice(mgr.FileList());
    choice.SetChoice(0, 0);
    choice.SetChoice(2, choice.Choice(1));
    choice.ApplyTo(mgr.FileList());
    ASSERT_EQ(mgr.FileList().BuildColumns(true), 0);
    EXPECT_EQ(ShownFields(mgr.FileList()), (std::vector<int>{kFieldTempo, kFieldTempo}));
    EXPECT_EQ(mgr.FileList().Column(0)->width, 66);
}

TEST_F(ColumnsTest, SongDefaultsStoreTheirSortValuesInTheirOwnSection) {
    ShowColumns(mgr.SongList(), {kSongFieldTitle, kSongFieldGenre});
    mgr.SongList().SetSortKeys({kSongFieldTitle, -1, 1, 0});
    CZOLColumnChoice choice(mgr.SongList());
    choice.storeSortOrder = true;
    ASSERT_EQ(choice.SetAsDefault(mgr.SongList(), settings), 0);
    EXPECT_EQ(settings.numbers["SubColumns/NrOfDefinedDefaultSubColumns"], 2);
    EXPECT_EQ(settings.texts["SubColumns/DefaultColumn1"], "Song Title");
    EXPECT_EQ(settings.numbers["SubColumns/DefaultSortedColumnId"], kSongFieldTitle);
    EXPECT_EQ(settings.numbers["SubColumns/DefaultSortOrderAscending"], 1);
    EXPECT_EQ(settings.numbers.count("Columns/NrOfDefinedDefaultColumns"), 0u);
}

TEST_F(ColumnsTest, RowNumberToggleKeepsOrderAndWidths) {
    ShowColumns(mgr.FileList(), {kFieldFilename, kFieldTempo, kFieldAuthor});
    mgr.ShowFileList();
    mgr.FileList().MoveColumn(2, 0);
    mgr.FileList().SetColumnWidth(0, 91);
    ToggleRowNumberColumn(mgr);
    EXPECT_EQ(ShownFields(mgr.FileList()),
              (std::vector<int>{kFieldRowNumber, kFieldAuthor, kFieldFilename, kFieldTempo}));
    EXPECT_EQ(mgr.FileList().Column(0)->header, "Nr");
    EXPECT_EQ(mgr.FileList().Column(0)->width, 40);
    mgr.FileList().SetColumnWidth(0, 33);
    ToggleRowNumberColumn(mgr);
    EXPECT_EQ(ShownFields(mgr.FileList()),
              (std::vector<int>{kFieldAuthor, kFieldFilename, kFieldTempo}));
    EXPECT_EQ(mgr.FileList().Column(0)->width, 91);
    ToggleRowNumberColumn(mgr);
    EXPECT_EQ(mgr.FileList().Column(0)->width, 33);  // remembered from last time
}

TEST_F(ColumnsTest, ColumnLimitsAndHeaderStatuses) {
    CMyListCtrl& list = mgr.FileList();
    list.ClearDefinitions();
    for (int i = 0; i < kDefinitionSlotCount; ++i) {
        ASSERT_EQ(list.AppendDefinition(kFieldTempo, -1), 0);
    }
    EXPECT_EQ(list.AppendDefinition(kFieldTempo, -1), status::kColumnDefinitionsFull);
    ASSERT_EQ(list.BuildColumns(false), 0);
    EXPECT_EQ(list.ColumnCount(), 21);
    list.SetRowNumberVisible(true);
    EXPECT_EQ(list.BuildColumns(false), status::kTooManyViewColumns);
    EXPECT_TRUE(sink.BoxContains("Too many view columns defined"));
    EXPECT_EQ(list.ColumnCount(), 21);
    EXPECT_EQ(list.FieldIdOfColumn(0), kFieldTempo);

    std::string header;
    EXPECT_EQ(list.ColumnHeaderText(20, header), 0);
    EXPECT_EQ(header, "Tempo");
    EXPECT_EQ(list.ColumnHeaderText(21, header), status::kHeaderIndexTooLarge);
    EXPECT_EQ(list.ColumnHeaderText(-1, header), status::kHeaderNotFound);
    EXPECT_EQ(mgr.SongList().ColumnHeaderText(0, header), status::kHeaderNotFound);
}

TEST_F(ColumnsTest, WidthRulesForShownAndOtherFields) {
    CMyListCtrl& list = mgr.FileList();
    ShowColumns(list, {kFieldFilename});
    list.SetColumnWidth(0, 150);
    EXPECT_EQ(list.ColumnWidth(0, kFieldFilename), 150);
    EXPECT_EQ(list.ColumnWidth(0, kFieldStyleName), 120);
    EXPECT_EQ(list.ColumnWidth(0, kFieldTempo), 5 * 10 + 22);
    EXPECT_EQ(list.ColumnWidth(0, kFieldRowNumber), 20);
    EXPECT_EQ(list.ColumnWidth(0, 81), -1);
    EXPECT_EQ(list.ColumnWidth(0, 50), -1);
}

TEST_F(ColumnsTest, AutoSizeMeasuresTheWidestCellOrAsksThePlatform) {
    AddNamed("short");
    AddNamed("a much longer name");
    SetColumnAutoresize(true);
    CMyListCtrl& list = mgr.FileList();
    list.SetRowNumberVisible(true);
    ShowColumns(list, {kFieldFilename, kFieldTempo});
    mgr.ShowFileList();
    EXPECT_EQ(list.Column(0)->width, 2 * 10 + 22);   // "Nr" is wider than "0".."2"
    EXPECT_EQ(list.Column(1)->width, 18 * 10 + 22);  // the longest file name
    EXPECT_EQ(fileDisplay.platformSized.back(), 2);  // Tempo: sized by the platform
}

}  // namespace
}  // namespace kelvane::test
