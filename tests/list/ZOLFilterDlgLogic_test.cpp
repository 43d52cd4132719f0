#include "list/ZOLFilterDlgLogic.h"

#include "list/ZOLFilterSubjects.h"
#include "list/ZOLListTestEnv.h"

namespace kelvane::test {
namespace {

using FilterDialogTest = ListTest;

TEST_F(FilterDialogTest, FirstFailingInputInDialogOrderIsReportedAndThePreviousFilterStays) {
    AddRecord({"a.sty", "/m/", 1, 10, "", "Rock", 120});
    AddRecord({"b.sty", "/m/", 2, 10, "", "Jazz", 90});
    FilterInputs good;
    good.fields[kFieldStyleName] = "rock";
    ASSERT_EQ(StyleFilterDialog().Confirm(good, kShowAll, nullptr), 0);
    FilterInputs bad;
    bad.fields[kFieldTempo] = "fast";           // confirmed after the style type
    bad.fields[kFieldStyleType] = "OR broken";  // confirmed before the tempo
    int failed = 0;
    EXPECT_EQ(StyleFilterDialog().Confirm(bad, kShowUniqueFiles, &failed),
              status::kFilterSyntaxError);
    EXPECT_EQ(failed, kFieldStyleType);
    EXPECT_TRUE(sink.BoxContains("Illegal OR at beginning of string for"));
    EXPECT_FALSE(sink.BoxContains("Illegal value for"));
    EXPECT_EQ(FilterDuplicatesMode(), kShowAll);
    EXPECT_EQ(StyleFilterDialog().Inputs(), good);
    mgr.ShowFileList();
    EXPECT_EQ(FileRows(), Names{"a.sty"});
}

TEST_F(FilterDialogTest, DescriptionFollowsItsOwnOrderWithTabsAsBlanks) {
    FilterInputs inputs;
    inputs.quick = "beat";
    inputs.fields[kFieldFilesize] = ">\t100";
    inputs.fields[kFieldStyleName] = "pop";
    inputs.fields[kFieldStyleType] = "Dance";
    inputs.fields[kFieldAuthor] = "   ";
    ASSERT_EQ(StyleFilterDialog().Confirm(inputs, kShowAll, nullptr), 0);
    EXPECT_EQ(StyleFilterDialog().Description(),
              " [Style Type (Genre)=Dance] [Style Name=pop] [Filesize=> 100] [Quick=beat]");
    EXPECT_TRUE(StyleFilterDialog().Active());
    ASSERT_EQ(StyleFilterDialog().Confirm(FilterInputs{}, kShowAll, nullptr), 0);
    EXPECT_FALSE(StyleFilterDialog().Active());
}

TEST_F(FilterDialogTest, QuickSearchJoinsTheFieldsOfTheMode) {
    StyleDataPacket* record = AddRecord({"a.sty", "/m/", 1, 10, "aux", "Name"});
    std::string buffer;
    EXPECT_EQ(StyleQuickSearchText(*record, buffer), "a.sty /m/ Name    aux       ");
    SongDataPacket* song = AddSong(record, "Title", kSongStatusNotInStyleFile);
    AssignSongField(*song, kSongFieldArtist, "Artist");
    EXPECT_EQ(SongQuickSearchText(*song, "Not in style file", buffer),
              "Title       a.sty Artist Not in style file");
}

TEST_F(FilterDialogTest, SongFilterTestsTheStatusTextAndTheStyleFileName) {
    StyleDataPacket* a = AddNamed("alpha.sty");
    StyleDataPacket* b = AddNamed("beta.sty");
    AddSong(a, "One", kSongStatusInStyleFile);
    AddSong(b, "Two", kSongStatusNotInStyleFile);
    FilterInputs inputs;
    inputs.fields[kSongFieldStatus] = "Not*";
    ASSERT_EQ(SongFilterDialog().Confirm(inputs, -1, nullptr), 0);
    mgr.ShowSongList();
    ASSERT_EQ(mgr.RowCount(), 1);
    EXPECT_EQ(mgr.StyleRecordOfRow(0), b);
    EXPECT_EQ(SongFilterDialog().Description(), " [Song Status=Not*]");
    inputs = FilterInputs{};
    inputs.fields[kSongFieldStyleFilename] = "alpha";  // no dialog input of its own
    ASSERT_EQ(SongFilterDialog().Confirm(inputs, -1, nullptr), 0);
    Rebuild();
    ASSERT_EQ(mgr.RowCount(), 1);
    EXPECT_EQ(mgr.StyleRecordOfRow(0), a);
}

TEST_F(FilterDialogTest, SongsOfRejectedStylesAreNotShown) {
    AddSong(AddRecord({"a.sty", "/m/", 1, 10, "", "Rock"}), "One");
    AddSong(AddRecord({"b.sty", "/m/", 2, 10, "", "Jazz"}), "Two");
    FilterInputs inputs;
    inputs.fields[kFieldStyleName] = "jazz";
    ASSERT_EQ(StyleFilterDialog().Confirm(inputs, kShowAll, nullptr), 0);
    mgr.ShowSongList();
    ASSERT_EQ(mgr.RowCount(), 1);
    EXPECT_EQ(mgr.SongRecordOfRow(0)->Text(kSongFieldTitle), "Two");
    EXPECT_EQ(mgr.SongList().Counters().walked, 2);
}

TEST_F(FilterDialogTest, PickListsHoldDistinctNonEmptyValues) {
    StyleDataPacket* a = AddRecord({"a", "/one/"});
    AddRecord({"b", "/two/"});
    AddRecord({"c", "/one/"});
    AssignStyleField(*a, kFieldCasm, "Yes");
    std::vector<std::string> paths = StyleFilterDialog().PickList(kFieldPath);
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{"/one/", "/two/"}));
    EXPECT_EQ(StyleFilterDialog().PickList(kFieldCasm), std::vector<std::string>{"Yes"});
    EXPECT_TRUE(StyleFilterDialog().PickList(kFieldFilename).empty());
    EXPECT_EQ(SongFilterDialog().PickList(kSongFieldStatus),
              (std::vector<std::string>{"In style file", "Not in style file"}));
    EXPECT_EQ(PickListWidth(paths, fileDisplay, 1000), 5 * 10 + 22);
    EXPECT_EQ(PickListWidth(paths, fileDisplay, 40), 40);
}

TEST_F(FilterDialogTest, MidiModeConfirmsItsOwnFields) {
    Start(kRunModeMidi);
    EXPECT_TRUE(StyleFilterDialog().IsInputField(kFieldTracks));
    EXPECT_FALSE(StyleFilterDialog().IsInputField(kFieldKeyboard));
    FilterInputs inputs;
    inputs.fields[kFieldTracks] = "x";
    int failed = 0;
    EXPECT_EQ(StyleFilterDialog().Confirm(inputs, kShowAll, &failed), status::kFilterIllegalNumber);
    EXPECT_EQ(failed, kFieldTracks);
    EXPECT_TRUE(sink.BoxContains("'Tracks'"));
}

}  // namespace
}  // namespace kelvane::test
