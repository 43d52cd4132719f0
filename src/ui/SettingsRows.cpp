#include "ui/SettingsRows.h"

namespace kelvane {
namespace {

using C = SettingControl;
using M = SettingModes;
using V = SettingsValues;

constexpr const char* kBrowse = "@button_browse@&Browse";
constexpr const char* kBrowse2 = "@button_browse2@B&rowse";

constexpr const char* kStylePlayerText =
    "If you want to play styles you need an external style player program.\nFill in the full "
    "path and name of this program below.";
constexpr const char* kMidiPlayerText =
    "If you want to play midi files you need an external midi player program.\nFill in the "
    "full path and name of this program below.";
constexpr const char* kStyleEditorText =
    "If you want to edit styles you need an external style editor program.\nFill in the full "
    "path and name of this program below.";
constexpr const char* kMidiEditorText =
    "If you want to edit midis you need an external midi editor (sequencer) program.\nFill in "
    "the full path and name of this program below.";

const SettingRow kFolderRows[] = {
    {"DefaultStartPath", C::FolderPath, "Default style file folder",
     "Specify the style file folder which should be selected after starting the program below.",
     &V::defaultStartPath, nullptr, kBrowse, "Browse for start folder", M::Style},
    {"DefaultStartPath", C::FolderPath, "Default midi file folder",
     "Specify the midi file folder which should be selected after starting the program below.",
     &V::defaultStartPath, nullptr, kBrowse, "Browse for start folder", M::Midi},
    {"DefaultIncludeSubdirectories", C::CheckBox, nullptr, "@check_box@Incl. Subfolders", nullptr,
     &V::defaultIncludeSubdirectories},
    {"TrashFolder", C::FolderPath, "Trash folder",
     "Specify the folder which should be used when moving files to trash below.", &V::trashFolder,
     nullptr, kBrowse2, "Browse for trash folder"},
};

const SettingRow kPlayerRows[] = {
    {"StylePlayer", C::ProgramPath, "External Style Player", kStylePlayerText, &V::player1, nullptr,
     kBrowse, "Browse for Style Player", M::Style},
    {"StylePlayer2", C::ProgramPath, "External Style Player 2 (optional)", kStylePlayerText,
     &V::player2, nullptr, kBrowse2, "Browse for Style Player", M::Style},
    {"MidiPlayer", C::ProgramPath, "External Midi Player", kMidiPlayerText, &V::player1, nullptr,
     kBrowse, "Browse for Midi Player", M::Midi},
    {"MidiPlayer2", C::ProgramPath, "External Midi Player 2 (optional)", kMidiPlayerText,
     &V::player2, nullptr, kBrowse2, "Browse for Midi Player", M::Midi},
    {"KaraokePlayer", C::ProgramPath, "External Karaoke Player",
     "If you want to play karaoke files you may need an external karaoke player program.\nFill "
     "in the full path and name of this program below.",
     &V::karaokePlayer, nullptr, kBrowse, "Browse for Karaoke Player", M::Midi},
    {"PlayWith", C::Choice, "Play with", "B&uilt-in player", nullptr, &V::playWith, nullptr,
     nullptr, M::Both, 1},
    {"PlayWith", C::Choice, "Play with",
     "E&xternal player named above (the built-in player when none is named)", nullptr, &V::playWith,
     nullptr, nullptr, M::Both, 0},
    {"SoundFont", C::FilePath, "SoundFont of the built-in player",
     "The General MIDI SoundFont (.sf2 file) the built-in player sounds with.\nLeave it empty "
     "to use the one installed on this computer.",
     &V::soundFont, nullptr, "@button_browse3@Br&owse", "Browse for SoundFont", M::Both, 0,
     "SoundFont Files (*.sf2)"},
};

const SettingRow kEditorRows[] = {
    {"StyleEditor", C::ProgramPath, "External Style Editor", kStyleEditorText, &V::editor1, nullptr,
     kBrowse, "Browse for Style Editor", M::Style},
    {"StyleEditor2", C::ProgramPath, "External Style Editor 2 (optional)", kStyleEditorText,
     &V::editor2, nullptr, kBrowse2, "Browse for Style Editor", M::Style},
    {"StyleCASMEditor", C::ProgramPath, "External Style CASM Editor",
     "If you want to edit the CASM section of styles you need an external CASM editor "
     "program.\nFill in the full path and name of this program below.",
     &V::casmEditor, nullptr, kBrowse, "Browse for CASM Editor", M::Style},
    {"MidiEditor", C::ProgramPath, "External Midi Editor", kMidiEditorText, &V::editor1, nullptr,
     kBrowse, "Browse for Midi Editor", M::Midi},
    {"MidiEditor2", C::ProgramPath, "External Midi Editor 2 (optional)", kMidiEditorText,
     &V::editor2, nullptr, kBrowse2, "Browse for Midi Editor", M::Midi},
};

const SettingRow kToolRows[] = {
    {"DumpProgram", C::ProgramPath, "External Dump Program",
     "If you want to dump files you need an external dump program.\nFill in the full path and "
     "name of this program below.",
     &V::dumpProgram, nullptr, kBrowse, "Browse for Dump Program"},
};

const SettingRow kMiscellaneousRows[] = {
    {"AutoCorrectIllegalFileDates", C::CheckBox, "Miscellaneous",
     "Automatically correct file dates pointing into the future.", nullptr,
     &V::autoCorrectIllegalFileDates},
    {"ChangeBackgroundColorIfFilterIsActive", C::CheckBox, "Miscellaneous",
     "Change background color if filter condition is active.", nullptr,
     &V::changeBackgroundColorIfFilterIsActive},
};

}  // namespace

std::span<const SettingRow> FolderRows() {
    return kFolderRows;
}

std::span<const SettingRow> PlayerRows() {
    return kPlayerRows;
}

std::span<const SettingRow> EditorRows() {
    return kEditorRows;
}

std::span<const SettingRow> ToolRows() {
    return kToolRows;
}

std::span<const SettingRow> MiscellaneousRows() {
    return kMiscellaneousRows;
}

}  // namespace kelvane
