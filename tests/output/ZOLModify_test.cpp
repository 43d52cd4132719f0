#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "output/ZOLModify.h"
#include "output/ZOLModifySong.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLScanState.h"
#include "support/NUVUserInterface.h"
#include "support/TestEnv.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane::test {
namespace {

using Strings = std::vector<std::string>;

class RecordedBoxes : public IUserDialogs {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxIcon, BoxButtons,
                         BoxAnswer defaultAnswer) override {
        texts.push_back(text);
        return defaultAnswer;
    }
    Strings texts;
};

class ModifyTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(kRunModeStyle); }
    void TearDown() override { Stop(); }
    void Start(int mode) {
        Stop();
        SetRunMode(mode);
        ASSERT_EQ(InitRecordStore(), 0);
        Config() = ConfigValues{};
        ResetScanState();
        SetFilterDuplicatesMode(kShowAll);
        SetUserDialogs(&boxes);
        ListViewMgr().RegisterList(ListKind::Files, nullptr);
        ListViewMgr().RegisterList(ListKind::Songs, nullptr);
        ListViewMgr().SetViewMode(Files);
    }
    void Stop() {
        SetUserDialogs(nullptr);
        StyleFilterDialog().Clear();
        SongFilterDialog().Clear();
        ListViewMgr().DropAllRows();
        ListViewMgr().SetViewMode(Files);
        FreeRecordStore();
        ResetRunMode();
        ResetScanState();
    }
    StyleDataPacket* Record(const std::string& name) {
        StyleDataPacket* record = NewStyleRecord();
        AssignStyleField(*record, kFieldPath, dir.Folder());
        AssignStyleField(*record, kFieldFilename, name);
        AssignStyleField(*record, kFieldAuthor, "Author of " + name);
        AssignStyleField(*record, kFieldUsage, "Usage of " + name);
        AssignStyleField(*record, kFieldStyleType, "Pop");
        AssignStyleField(*record, kFieldTimeSig, "3/4");
        record->SetNumber(kFieldAnalyser, 18);
        record->SetNumber(kFieldTempo, 96);
        RecordStore().records.Append(record);
        return record;
    }
    SongDataPacket* Song(StyleDataPacket* record, const std::string& title, int status = 1) {
        SongDataPacket* song = NewSongRecord();
        AssignSongField(*song, kSongFieldTitle, title);
        AssignSongField(*song, kSongFieldGenre, "Genre " + title);
        song->SetNumber(kSongFieldTempo, 100);
        song->SetNumber(kSongFieldStatus, status);
        AppendSong(*record, song);
        return song;
    }
    void SelectAll() {
        ListViewMgr().ForceRebuild(false, nullptr, false);
        ListViewMgr().SelectAll();
    }
    // Field values of the folder's data file by file name.
    std::map<std::string, std::string> Stored(int field) {
        RecordList list;
        const std::string path = dir.Folder() + CurrentModeNames().dataFile;
        if (std::filesystem::exists(path)) {
            EXPECT_EQ(ProcessStyleDataFile(path, dir.Folder(), list), 0);
        }
        std::map<std::string, std::string> values;
        for (const StyleDataPacket* record : list) {
            values[std::string(record->Text(kFieldFilename))] =
                record->TypeOf(field) == FT_NUMBER ? std::to_string(record->Number(field))
                                                   : std::string(record->Text(field));
        }
        list.ReleaseAll();
        return values;
    }
    Strings Titles(const StyleDataPacket* record) {
        Strings titles;
        for (const SongDataPacket* song : record->songs) {
            titles.emplace_back(song->Text(kSongFieldTitle));
        }
        return titles;
    }
    static ModifyFieldTexts Texts(std::initializer_list<std::pair<int, std::string>> values) {
        ModifyFieldTexts texts{};
        for (const auto& [id, text] : values) {
            texts[static_cast<size_t>(id)] = text;
        }
        return texts;
    }
    static SongFieldTexts SongTexts(std::initializer_list<std::pair<int, std::string>> values) {
        SongFieldTexts texts{};
        for (const auto& [id, text] : values) {
            texts[static_cast<size_t>(id)] = text;
        }
        return texts;
    }

    CapturingSink sink;
    RecordedBoxes boxes;
    TempDir dir;
};

TEST_F(ModifyTest, EmptyFieldsKeepAndBlankFieldsClearOnEveryRecord) {
    StyleDataPacket* a = Record("A.sty");
    StyleDataPacket* b = Record("B.sty");
    SelectAll();
    CZOLModifyLogic logic;
    EXPECT_EQ(logic.InitialTexts()[kFieldAuthor], "");  // several records: nothing filled in
    EXPECT_FALSE(logic.SongButtonsEnabled());
    const DialogOkResult result = logic.Ok(Texts({{kFieldUsage, " "}, {kFieldAux, "  x  "}}));
    EXPECT_TRUE(result.close);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(a->Text(kFieldAuthor), "Author of A.sty");
    EXPECT_EQ(b->Text(kFieldUsage), "");
    EXPECT_EQ(b->Text(kFieldAux), "x");
    EXPECT_EQ(Stored(kFieldUsage),
              (std::map<std::string, std::string>{{"A.sty", ""}, {"B.sty", ""}}));
    EXPECT_EQ(Stored(kFieldAuthor).at("B.sty"), "Author of B.sty");
    EXPECT_EQ(a->changed, 0);  // written
}

TEST_F(ModifyTest, GenreChangesOnlyWhenTheTextDiffersBeyondCase) {
    StyleDataPacket* record = Record("A.sty");
    ModifyFieldTexts texts = Texts({{kFieldStyleType, "pop"}});
    ASSERT_EQ(ApplyModifyFields(*record, texts), 0);
    EXPECT_EQ(record->Text(kFieldStyleType), "Pop");
    EXPECT_EQ(record->Number(kFieldAnalyser), 18);
    texts = Texts({{kFieldStyleType, " Pop"}});
    ASSERT_EQ(ApplyModifyFields(*record, texts), 0);
    EXPECT_EQ(record->Text(kFieldStyleType), "Pop");
    EXPECT_EQ(record->Number(kFieldAnalyser), -18);
    ASSERT_EQ(ApplyModifyFields(*record, Texts({{kFieldStyleSubtype, "Slow"}})), 0);
    EXPECT_EQ(record->Number(kFieldAnalyser), -18);  // stays negative
    record->SetNumber(kFieldAnalyser, 0);
    ASSERT_EQ(ApplyModifyFields(*record, Texts({{kFieldStyleSubtype, " "}})), 0);
    EXPECT_EQ(record->Text(kFieldStyleSubtype), "");
    EXPECT_EQ(record->Number(kFieldAnalyser), -1);
}

TEST_F(ModifyTest, RanksAreValidatedMyRankFirstAndStored) {
    StyleDataPacket* record = Record("A.sty");
    SelectAll();
    CZOLModifyLogic logic;
    EXPECT_FALSE(logic.Ok(Texts({{kFieldRank, "abc"}, {kFieldMyRank, "-1"}})).close);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_NE(sink.boxes[0].text.find("Illegal input for \"My Rank\""), std::string::npos);
    EXPECT_FALSE(logic.Ok(Texts({{kFieldRank, "abc"}})).close);
    EXPECT_NE(sink.boxes.back().text.find("Illegal input for \"Rank\""), std::string::npos);
    EXPECT_NE(sink.boxes.back().text.find("(0..n)"), std::string::npos);
    EXPECT_EQ(record->changed, 0);  // refused: nothing applied
    EXPECT_TRUE(logic.Ok(Texts({{kFieldRank, "012"}, {kFieldMyRank, "7"}})).close);
    EXPECT_EQ(record->Number(kFieldRank), 10);
    EXPECT_EQ(record->Number(kFieldMyRank), 7);
    ASSERT_EQ(ApplyModifyFields(*record, Texts({{kFieldRank, " "}})), 0);
    EXPECT_EQ(record->Number(kFieldRank), 0);
    EXPECT_EQ(record->Number(kFieldMyRank), 7);
}

TEST_F(ModifyTest, MidiOnlyFieldsAreStoredInMidiModeOnly) {
    StyleDataPacket* style = Record("A.sty");
    ASSERT_EQ(ApplyModifyFields(*style, Texts({{kFieldPerformer, "Band"}})), 0);
    EXPECT_EQ(style->Text(kFieldPerformer), "");
    EXPECT_FALSE(ModifyFieldShown(kFieldPerformer));
    Start(kRunModeMidi);
    StyleDataPacket* midi = Record("A.mid");
    ASSERT_EQ(
        ApplyModifyFields(*midi, Texts({{kFieldPerformer, " Band "}, {kFieldUploadDate, "2020"}})),
        0);
    EXPECT_EQ(midi->Text(kFieldPerformer), "Band");
    EXPECT_EQ(midi->Text(kFieldUploadDate), "2020");
    EXPECT_EQ(ModifyDialogTitle(), "Modify Midi Data");
    SelectAll();
    CZOLModifyLogic logic;
    EXPECT_FALSE(logic.SongListShown());
    EXPECT_EQ(logic.InitialTexts()[kFieldPerformer], "Band");
}

TEST_F(ModifyTest, OneRecordFillsTheFieldsAndCancelLeavesItsSongs) {
    StyleDataPacket* record = Record("A.sty");
    Song(record, "One");
    Song(record, "Two");
    record->SetNumber(kFieldRank, 3);
    SelectAll();
    {
        CZOLModifyLogic logic;
        EXPECT_EQ(logic.InitialTexts()[kFieldRank], "3");
        EXPECT_EQ(logic.InitialTexts()[kFieldUsage], "Usage of A.sty");
        ASSERT_TRUE(logic.SongButtonsEnabled());
        EXPECT_FALSE(logic.RemoveSongs({}));
        EXPECT_TRUE(logic.RemoveSongs({0, 1}));
        EXPECT_TRUE(logic.Songs().empty());
        EXPECT_FALSE(logic.RemoveSongs({0}));
        EXPECT_EQ(logic.ModifySong({0}), nullptr);
    }  // Cancel
    EXPECT_EQ(Titles(record), (Strings{"One", "Two"}));
    EXPECT_EQ(record->mdbChanged, 0);
    EXPECT_EQ(boxes.texts,
              (Strings{"Please select the songs to be removed in the list.",
                       "There are no songs to be removed.", "There are no songs to be modified."}));
}

TEST_F(ModifyTest, OkPutsTheWorkingCopysSongsIntoTheRecord) {
    StyleDataPacket* record = Record("A.sty");
    Song(record, "One");
    Song(record, "Two");
    SelectAll();
    CZOLModifyLogic logic;
    EXPECT_TRUE(logic.RemoveSongs({0}));
    std::unique_ptr<CZOLModifySongLogic> added = logic.AddSong(false);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Title(), "Add Song");
    EXPECT_FALSE(added->NoteShown());
    EXPECT_EQ(added->InitialTexts()[kSongFieldTempo], "96");
    EXPECT_EQ(added->InitialTexts()[kSongFieldTimeSig], "3/4");
    SongFieldTexts texts = added->InitialTexts();
    texts[kSongFieldTitle] = "Three";
    EXPECT_TRUE(added->Ok(texts).close);
    EXPECT_EQ(logic.ModifySong({}), nullptr);
    EXPECT_EQ(logic.ModifySong({0, 1}), nullptr);
    std::unique_ptr<CZOLModifySongLogic> modified = logic.ModifySong({0});
    ASSERT_NE(modified, nullptr);
    EXPECT_TRUE(modified->NoteShown());
    EXPECT_TRUE(modified->Ok(SongTexts({{kSongFieldArtist, "Smith"}})).close);
    EXPECT_EQ(Titles(record), (Strings{"One", "Two"}));  // not before OK
    EXPECT_TRUE(logic.Ok({}).close);
    EXPECT_EQ(Titles(record), (Strings{"Two", "Three"}));
    EXPECT_EQ(record->songs[0]->parent, record);
    EXPECT_EQ(record->songs[0]->Text(kSongFieldArtist), "Smith");
    EXPECT_EQ(record->songs[0]->Status(), 1);  // the artist is not in the style file
    EXPECT_EQ(record->songs[1]->Status(), kSongStatusNotInStyleFile);
    EXPECT_EQ(record->mdbChanged, 1);
    EXPECT_EQ(boxes.texts, (Strings{"Please select the song to be modified in the list.",
                                    "Please select only one song to be modified."}));
}

TEST_F(ModifyTest, CancelledAddSongIsDiscarded) {
    StyleDataPacket* record = Record("Smith-My Song@Fast Mix.sty");
    SelectAll();
    CZOLModifyLogic logic;
    {
        std::unique_ptr<CZOLModifySongLogic> added = logic.AddSong(true);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->InitialTexts()[kSongFieldArtist], "Smith");
        EXPECT_EQ(added->InitialTexts()[kSongFieldTitle], "My Song");
    }
    EXPECT_TRUE(logic.Songs().empty());
    EXPECT_TRUE(logic.Ok({}).close);
    EXPECT_TRUE(record->songs.empty());
}

TEST_F(ModifyTest, SongDialogValidatesTempoAndTimeSignature) {
    StyleDataPacket* record = Record("A.sty");
    SongDataPacket* song = Song(record, "One");
    CZOLModifySongLogic logic(song);
    for (const char* refused : {"31", "281", "abc"}) {
        EXPECT_FALSE(logic.Ok(SongTexts({{kSongFieldTempo, refused}})).close) << refused;
    }
    for (const char* refused : {"4", "4/", "/4", "17/4"}) {
        EXPECT_FALSE(logic.Ok(SongTexts({{kSongFieldTimeSig, refused}})).close) << refused;
    }
    EXPECT_NE(sink.boxes.back().text.find("Illegal input for \"Time Sig.\""), std::string::npos);
    EXPECT_EQ(song->Status(), 1);
    EXPECT_TRUE(logic.Ok(SongTexts({{kSongFieldTempo, "32"}, {kSongFieldTimeSig, "0/16"}})).close);
    EXPECT_EQ(song->Number(kSongFieldTempo), 32);
    EXPECT_EQ(song->Text(kSongFieldTimeSig), "0/16");
    EXPECT_TRUE(
        logic.Ok(SongTexts({{kSongFieldTempo, "0100"}, {kSongFieldTimeSig, "4/4 x"}})).close);
    EXPECT_EQ(song->Number(kSongFieldTempo), 100);  // decimal, not octal
    EXPECT_EQ(song->Text(kSongFieldTimeSig), "4/4 x");
    EXPECT_TRUE(logic.Ok(SongTexts({{kSongFieldTempo, "280"}})).close);
}

TEST_F(ModifyTest, OnlyFieldsOfTheStyleFileMarkTheSongChanged) {
    StyleDataPacket* record = Record("A.sty");
    SongDataPacket* song = Song(record, "One");
    CZOLModifySongLogic logic(song);
    EXPECT_TRUE(
        logic.Ok(SongTexts({{kSongFieldTitle, "one"}, {kSongFieldRealTitle, " Real "}})).close);
    EXPECT_EQ(song->Text(kSongFieldTitle), "One");
    EXPECT_EQ(song->Text(kSongFieldRealTitle), "Real");
    EXPECT_EQ(song->Status(), 1);
    EXPECT_EQ(record->changed, 1);
    EXPECT_TRUE(logic.Ok(SongTexts({{kSongFieldGenre, " "}})).close);
    EXPECT_EQ(song->Text(kSongFieldGenre), "");
    EXPECT_EQ(song->Status(), kSongStatusNotInStyleFile);
    song->SetNumber(kSongFieldStatus, 1);
    EXPECT_TRUE(logic.Ok(SongTexts({{kSongFieldTempo, "100"}})).close);  // same number
    EXPECT_EQ(song->Status(), kSongStatusNotInStyleFile);
}

TEST_F(ModifyTest, SongRowsWithoutNewSongsOnlyTakeTheProgramsOwnFields) {
    StyleDataPacket* record = Record("A.sty");
    Song(record, "One");
    Song(record, "Two");
    ListViewMgr().SetViewMode(Songs);
    SelectAll();
    EXPECT_EQ(CheckModifyCommand(), ModifyTarget::SongDialog);
    CZOLModifySongLogic logic;
    EXPECT_FALSE(logic.InFileFieldsEnabled());
    EXPECT_TRUE(logic.InitialTexts()[kSongFieldTitle].empty());  // two rows: nothing filled in
    EXPECT_TRUE(
        logic
            .Ok(SongTexts(
                {{kSongFieldTitle, "Other"}, {kSongFieldArtist, "Band"}, {kSongFieldTempo, "1"}}))
            .close);
    EXPECT_EQ(Titles(record), (Strings{"One", "Two"}));
    EXPECT_EQ(record->songs[1]->Text(kSongFieldArtist), "Band");
    EXPECT_EQ(record->songs[1]->Status(), 1);
    EXPECT_EQ(record->changed, 0);  // the data file was written
    EXPECT_EQ(Stored(kFieldFilename).count("A.sty"), 1u);

    record->songs[0]->SetNumber(kSongFieldStatus, kSongStatusNotInStyleFile);
    CZOLModifySongLogic withNew;
    EXPECT_TRUE(withNew.InFileFieldsEnabled());
}

TEST_F(ModifyTest, MainViewAddSongFromFilenameWritesTheDataFile) {
    StyleDataPacket* record = Record("Miller-Title-Part2.sty");
    Record("Other.sty");
    ListViewMgr().ForceRebuild(false, nullptr, false);
    EXPECT_EQ(AddSongFromFilenameCommand(), nullptr);
    SelectAll();
    EXPECT_EQ(AddSongFromFilenameCommand(), nullptr);
    EXPECT_EQ(boxes.texts, (Strings{"Please select one line to be modified",
                                    "Please select only one line to be modified"}));
    ListViewMgr().ForceRebuild(false, nullptr, false);
    ListViewMgr().CurrentList()->Select(0);
    std::unique_ptr<CZOLModifySongLogic> logic = AddSongFromFilenameCommand();
    ASSERT_NE(logic, nullptr);
    EXPECT_EQ(logic->InitialTexts()[kSongFieldArtist], "Miller");
    EXPECT_EQ(logic->InitialTexts()[kSongFieldTitle], "Title-Part2");
    EXPECT_TRUE(logic->Ok(logic->InitialTexts()).close);
    EXPECT_EQ(Titles(record), Strings{"Title-Part2"});
    EXPECT_EQ(record->songs[0]->Text(kSongFieldArtist), "Miller");
    EXPECT_EQ(record->songs[0]->Number(kSongFieldTempo), 96);
    EXPECT_EQ(record->changed, 0);
    EXPECT_EQ(Stored(kFieldFilename).count("Miller-Title-Part2.sty"), 1u);
}

TEST_F(ModifyTest, ReadOnlyTreeAndEmptySelectionAreRefused) {
    Record("A.sty");
    ListViewMgr().ForceRebuild(false, nullptr, false);
    EXPECT_EQ(CheckModifyCommand(), ModifyTarget::None);
    SelectAll();
    EXPECT_EQ(CheckModifyCommand(), ModifyTarget::ModifyDialog);
    ScanState().readOnlyMedium = 1;
    EXPECT_EQ(CheckModifyCommand(), ModifyTarget::None);
    EXPECT_EQ(AddSongFromFilenameCommand(), nullptr);
    EXPECT_EQ(boxes.texts, (Strings{"Please select one or more lines to be modified\n\n(you can "
                                    "use Ctrl-A to select all lines)",
                                    "Modify style data is not possible on readonly devices",
                                    "Modify style data is not possible on readonly devices"}));
}

TEST_F(ModifyTest, ComboValuesAreTheDistinctTextsOfAField) {
    Record("A.sty");
    StyleDataPacket* b = Record("B.sty");
    AssignStyleField(*b, kFieldStyleType, "Ballad");
    EXPECT_EQ(ExistingFieldValues(kFieldStyleType), (Strings{"Ballad", "Pop"}));
    EXPECT_EQ(ModifyFieldLabel(kFieldStyleType), "Style Type (Genre)");
}

}  // namespace
}  // namespace kelvane::test
