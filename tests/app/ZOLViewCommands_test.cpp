#include <gtest/gtest.h>

#include <algorithm>

#include "AppTestEnv.h"
#include "app/ZOLFunctionKeys.h"
#include "app/ZOLViewCommands.h"
#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

using C = ViewCommand;
constexpr ViewContext kStyleFiles{kRunModeStyle, false};
constexpr ViewContext kStyleSongs{kRunModeStyle, true};
constexpr ViewContext kMidi{kRunModeMidi, false};

std::vector<std::string> MenuTexts(const MenuDefinition& menu, const ViewContext& context) {
    std::vector<std::string> texts;
    for (const MenuEntry& entry : menu.entries) {
        texts.push_back(entry.IsSeparator() ? "-" : MenuItemKey(entry.command, context));
    }
    return texts;
}

const MenuDefinition& MenuTitled(const std::vector<MenuDefinition>& menus,
                                 const std::string& title) {
    const auto found = std::find_if(menus.begin(), menus.end(), [&](const MenuDefinition& menu) {
        return menu.titleKey == title;
    });
    EXPECT_NE(found, menus.end()) << title;
    return *found;
}

bool Contains(const std::vector<C>& commands, C command) {
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

TEST(ViewCommandTable, EveryRowSitsAtItsOwnNumber) {
    for (int row = 0; row < static_cast<int>(C::Count); ++row) {
        EXPECT_EQ(CommandTableRowNumber(static_cast<std::size_t>(row)), row);
    }
    EXPECT_EQ(CommandTableRowNumber(static_cast<std::size_t>(C::Count)), -1);
}

TEST(ViewCommandTable, MidiModeUsesMidiWordingAndRemovesStyleItems) {
    EXPECT_EQ(MenuItemKey(C::OpenFolder, kMidi), "@menu_open_midi_folder@&Open Midi Folder");
    EXPECT_EQ(MenuItemKey(C::About, kMidi), "@menu_help_about_midi@&About Morvane");
    EXPECT_EQ(MenuItemKey(C::MoveToTrash, kMidi),
              "@menu_file_move_to_trash@Move selected files to &trash");
    for (const C removed : {C::ViewStyles, C::ViewSongs, C::EditCasm, C::WriteMdbRecords,
                            C::AddSongFromFilename, C::ImportDefaultData, C::ToggleSongStyle}) {
        EXPECT_FALSE(CommandPresent(removed, kRunModeMidi)) << CommandName(removed);
        EXPECT_TRUE(CommandPresent(removed, kRunModeStyle)) << CommandName(removed);
        EXPECT_FALSE(CommandEnabled(removed, {kRunModeMidi, true}));
    }
    // Midi mode has no song list: a stray song flag changes neither wording nor greying.
    EXPECT_EQ(MenuItemKey(C::Modify, {kRunModeMidi, true}),
              "@menu_edit_modify_mididata@&Modify Midi Data");
    EXPECT_TRUE(CommandEnabled(C::RenameFile, {kRunModeMidi, true}));
}

TEST(ViewCommandTable, SongListSwitchesFiveTextsAndGreysFileItems) {
    EXPECT_EQ(MenuItemKey(C::Modify, kStyleSongs), "@menu_edit_modify_songdata@&Modify Song Data");
    EXPECT_EQ(MenuItemKey(C::Filter, kStyleSongs),
              "@menu_view_zol_filter_songs@&Filter/Search Songs");
    EXPECT_EQ(MenuItemKey(C::ExportCsv, kStyleSongs),
              "@menu_file_export_csv_file_song@Export Song Data to CS&V File");
    EXPECT_EQ(MenuItemKey(C::ExportData, kStyleSongs),
              "@menu_file_export_styledata@Expo&rt Style Data");
    EXPECT_EQ(MenuItemKey(C::ImportData, kStyleSongs),
              "@menu_file_import_styledata@&Import Style Data");
    // Back on the file list the style wording returns.
    EXPECT_EQ(MenuItemKey(C::Modify, kStyleFiles),
              "@menu_edit_modify_styledata@&Modify Style Data");
    EXPECT_EQ(MenuItemKey(C::Filter, kStyleFiles),
              "@menu_view_zol_filter_styles@&Filter/Search Styles");

    for (const C greyed : {C::RenameFile, C::MoveSelected, C::MoveToTrash, C::ViewSongs,
                           C::SelectDuplicatesOfFolder, C::SelectDuplicatesOfTree,
                           C::SelectAllExceptOne, C::WriteMdbRecords, C::AddSongFromFilename}) {
        EXPECT_FALSE(CommandEnabled(greyed, kStyleSongs)) << CommandName(greyed);
        EXPECT_TRUE(CommandEnabled(greyed, kStyleFiles)) << CommandName(greyed);
    }
    EXPECT_TRUE(CommandEnabled(C::ViewStyles, kStyleSongs));
    EXPECT_FALSE(CommandEnabled(C::ViewStyles, kStyleFiles));
    EXPECT_TRUE(CommandEnabled(C::CopySelected, kStyleSongs));
    EXPECT_EQ(ToggleButtonKey(true), "@button_song_style_mode_styles@View Styles");
    EXPECT_EQ(ToggleButtonKey(false), "@button_song_style_mode_songs@View Songs");
}

TEST(ViewCommandTable, CopyToItemsEndWithTheQuickCopyPathAndSlash) {
    EXPECT_EQ(MenuItemLabel(C::CopyToQuickPath, kStyleFiles, "/media/usb"),
              "Copy se&lected Style Files to /media/usb/");
    EXPECT_EQ(MenuItemLabel(C::CopyToQuickPath, kMidi, "/mnt/stick"),
              "Copy Se&lected Midi Files to /mnt/stick/");
    EXPECT_EQ(PopupItemLabel(C::CopyToQuickPath, "/mnt/stick"), "Copy to /mnt/stick/");
    // Only the copy-to items take the path.
    EXPECT_EQ(MenuItemLabel(C::CopySelected, kStyleFiles, "/mnt/stick"),
              "&Copy selected Style Files");
}

TEST(ViewCommandTable, QuickCopyTextsNameTheConfiguredFolderNotADrive) {
    EXPECT_EQ(MenuItemLabel(C::UppercaseShortNames, kStyleFiles, "/mnt/stick"),
              "&Uppercase short (8.3) Filenames on /mnt/stick/");
    int named = 0;
    for (const FunctionKeyAction& action : FunctionKeyActions()) {
        const std::string text = FunctionKeyActionText(action, "/mnt/stick");
        EXPECT_EQ(text.find(":\\"), std::string::npos) << text;
        named += text == "Copy to /mnt/stick/" ? 1 : 0;
    }
    EXPECT_EQ(named, 1);
}

TEST(ViewCommandTable, PathBoxKeywordsIgnoreCaseAndNothingElse) {
    EXPECT_EQ(ParsePathBoxKeyword("<HardRescan>"), PathBoxKeyword::HardRescan);
    EXPECT_EQ(ParsePathBoxKeyword("<SOFTRESCAN>"), PathBoxKeyword::SoftRescan);
    EXPECT_EQ(ParsePathBoxKeyword("<trace1000>"), PathBoxKeyword::Trace1000);
    EXPECT_EQ(ParsePathBoxKeyword("<trace100>"), PathBoxKeyword::None);
    EXPECT_EQ(ParsePathBoxKeyword("/music/<hardrescan>"), PathBoxKeyword::None);
    EXPECT_EQ(ParsePathBoxKeyword("hardrescan"), PathBoxKeyword::None);
    EXPECT_EQ(ParsePathBoxKeyword(""), PathBoxKeyword::None);
}

TEST(MenuLayout, StyleModeHasTheSeparatorBeforeTheFilterItem) {
    const auto menus = BuildMainMenu(kRunModeStyle, false);
    const std::vector<std::string> view = MenuTexts(MenuTitled(menus, "&View"), kStyleFiles);
    ASSERT_GE(view.size(), 4u);
    EXPECT_EQ(view[0], "@menu_view_zol_view_styles@View St&yles");
    EXPECT_EQ(view[1], "@menu_view_zol_view_songs@View So&ngs");
    EXPECT_EQ(view[2], "-");
    EXPECT_EQ(view[3], "@menu_view_zol_filter_styles@&Filter/Search Styles");

    const auto midi = BuildMainMenu(kRunModeMidi, false);
    const std::vector<std::string> midiView = MenuTexts(MenuTitled(midi, "&View"), kMidi);
    EXPECT_EQ(midiView.front(), "@menu_view_zol_filter_midis@&Filter/Search Midi Files");
}

TEST(MenuLayout, MenusInOrderWithoutStraySeparatorsAndTheDeveloperMenuOnlyWhenAsked) {
    for (const int mode : {kRunModeStyle, kRunModeMidi}) {
        for (const bool special : {false, true}) {
            const auto menus = BuildMainMenu(mode, special);
            std::vector<std::string> titles;
            for (const MenuDefinition& menu : menus) {
                titles.push_back(menu.titleKey);
                ASSERT_FALSE(menu.entries.empty());
                EXPECT_FALSE(menu.entries.front().IsSeparator()) << menu.titleKey;
                EXPECT_FALSE(menu.entries.back().IsSeparator()) << menu.titleKey;
                for (std::size_t i = 1; i < menu.entries.size(); ++i) {
                    EXPECT_FALSE(menu.entries[i].IsSeparator() && menu.entries[i - 1].IsSeparator())
                        << menu.titleKey;
                }
                for (const MenuEntry& entry : menu.entries) {
                    EXPECT_TRUE(entry.IsSeparator() || CommandPresent(entry.command, mode));
                }
            }
            std::vector<std::string> expected = {"&File",       "&Edit",     "&View", "&Go to",
                                                 "&Duplicates", "&Advanced", "&Help"};
            if (special) {
                expected.push_back("&NUV-Spezial");
            }
            EXPECT_EQ(titles, expected);
        }
    }
}

TEST(MenuLayout, RowContextMenuByListAndSelection) {
    const auto one = RowContextMenu(false, 1);
    EXPECT_TRUE(Contains(one, C::RenameFile));
    EXPECT_TRUE(Contains(one, C::ExploreFolder));
    EXPECT_FALSE(Contains(RowContextMenu(false, 2), C::RenameFile));
    EXPECT_TRUE(Contains(RowContextMenu(false, 2), C::MoveToTrash));
    const auto songs = RowContextMenu(true, 1);
    EXPECT_EQ(songs,
              (std::vector<C>{C::Play, C::Edit, C::CopySelected, C::CopyToQuickPath, C::Modify}));
}

TEST(MenuLayout, ButtonRowFollowsModeAndRescanFlags) {
    const auto style = FormButtons(kRunModeStyle, false, false);
    EXPECT_TRUE(Contains(style, C::ToggleSongStyle));
    EXPECT_FALSE(Contains(style, C::HardRescan));
    EXPECT_FALSE(Contains(style, C::SoftRescan));
    const auto midi = FormButtons(kRunModeMidi, true, true);
    EXPECT_FALSE(Contains(midi, C::ToggleSongStyle));
    EXPECT_TRUE(Contains(midi, C::HardRescan));
    EXPECT_TRUE(Contains(midi, C::SoftRescan));
    for (const C command : midi) {
        EXPECT_FALSE(ButtonKey(command, false).empty()) << CommandName(command);
    }
}

TEST(FunctionKeys, ZeroAnd99KeepTheNormalMeaningOtherNumbersRunOrDoNothing) {
    std::array<int, kFunctionKeyCount> table{};
    using Kind = FunctionKeyDecision::Kind;
    EXPECT_EQ(DecideFunctionKey(5, table).kind, Kind::Normal);
    table[4] = kNoFunctionKeyAction;
    EXPECT_EQ(DecideFunctionKey(5, table).kind, Kind::Normal);
    table[2] = 25;  // F3: unused number
    EXPECT_EQ(DecideFunctionKey(3, table).kind, Kind::Nothing);
    table[2] = 2;
    EXPECT_EQ(DecideFunctionKey(3, table).kind, Kind::Nothing);
    table[1] = 1;  // F2: filter
    const FunctionKeyDecision f2 = DecideFunctionKey(2, table);
    EXPECT_EQ(f2.kind, Kind::Run);
    EXPECT_EQ(f2.command, C::Filter);
    table[11] = 32;
    EXPECT_EQ(DecideFunctionKey(12, table).command, C::ClearFilter);
    // F1 has no slot, even with a number stored; keys outside F1..F12 are left alone.
    table[0] = 1;
    EXPECT_EQ(DecideFunctionKey(1, table).kind, Kind::Normal);
    EXPECT_EQ(DecideFunctionKey(13, table).kind, Kind::Normal);
    EXPECT_EQ(DecideFunctionKey(0, table).kind, Kind::Normal);
}

TEST(FunctionKeys, EveryActionNumberOnceWithACommand) {
    std::vector<int> numbers;
    for (const FunctionKeyAction& action : FunctionKeyActions()) {
        numbers.push_back(action.number);
        EXPECT_EQ(action.command == C::None, action.number == kNoFunctionKeyAction);
    }
    std::vector<int> expected;
    for (int n = 1; n <= 32; ++n) {
        if (n != 2 && n != 25) {
            expected.push_back(n);
        }
    }
    expected.push_back(33);  // Detail Pane, added after the table's first 32 numbers
    expected.push_back(kNoFunctionKeyAction);
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(FunctionKeyActionName(24), "Toggle Song/Style Mode");
    EXPECT_EQ(FunctionKeyActionName(25), "");
    EXPECT_FALSE(FunctionKeyAssignable(1));
    EXPECT_FALSE(FunctionKeyAssignable(5));
    EXPECT_TRUE(FunctionKeyAssignable(12));
}

class TranslatedFunctionKeys : public test::AppFixture {};

TEST_F(TranslatedFunctionKeys, TranslatedNamesMapBackToTheirNumbers) {
    dir.Write("ZOL_deu.lan",
              "LANGUAGE_SHORT_NAME = deu\nLANGUAGE_FULL_NAME = Deutsch\n"
              "ORIG = Play 2\nTRNS = Abspielen 2\nORIG = (no action)\nTRNS = (keine Aktion)\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_EQ(FunctionKeyActionNumber("Abspielen 2"), 7);
    EXPECT_EQ(FunctionKeyActionNumber("(keine Aktion)"), kNoFunctionKeyAction);
    EXPECT_EQ(FunctionKeyActionNumber("Play 2"), -1);  // the English name is not shown now
    EXPECT_EQ(FunctionKeyActionNumber("Filter"), 1);   // untranslated names stay English
    ASSERT_EQ(Lang().SetLanguage("eng"), 0);
    EXPECT_EQ(FunctionKeyActionNumber("Play 2"), 7);
}

}  // namespace
}  // namespace kelvane
