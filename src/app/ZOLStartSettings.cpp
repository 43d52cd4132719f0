#include "app/ZOLStartSettings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "app/FirstStart.h"
#include "app/ZOLCfgKeywords.h"
#include "app/ZOLMain.h"
#include "app/ZOLSettingsValues.h"
#include "list/ZOLFilterDlgLogic.h"
#include "platform/SettingsStore.h"
#include "support/NUVConfig.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr const char* kGeneral = "General";
constexpr int kStartTraceLevel = 10;

std::string Text(const char* section, const char* key, const std::string& defaultValue) {
    return Trimmed(SettingsStore().ReadText(section, key, defaultValue));
}

int Number(const char* section, const char* key, int defaultValue) {
    return SettingsStore().ReadInt(section, key, defaultValue);
}

void ReadGeneralValues() {
    ConfigValues& config = Config();
    const char* mode = ModeSection();
    config.trashFolder = Text(kGeneral, "TrashFolder", "");
    // A stored sort order replaces any SORT_SEQUENCE of the configuration files; without one the
    // keyword's choice stands, so that the keyword is not always overruled by a default.
    if (SettingsStore().Contains(kGeneral, "DefaultSortOrder")) {
        config.sortSequence = SortSequenceName(Text(kGeneral, "DefaultSortOrder", "Default"));
    }
    config.quickCopyPath = Text(kGeneral, "QuickCopyPath", ConfigValues{}.quickCopyPath);
    config.uppercaseShortFilenamesOnCopyToA =
        Number(mode, "DefaultUppercaseShortFilenamesOnCopyToA", 0);
    config.listViewFontSize = Number(mode, "DefaultListViewFontSize", 0);
    config.autoCorrectIllegalFileDates = Number(mode, "AutoCorrectIllegalFileDates", 0);
    config.changeBackgroundColorIfFilterIsActive =
        Number(mode, "ChangeBackgroundColorIfFilterIsActive", 1);
    config.scanWorkers = ScanWorkersSetting(Number(kGeneral, "ScanWorkers", 0));
    config.renameToStyOnCopyToA =
        IsStyleMode() ? Number(mode, "DefaultRenameToStyOnCopyToA", 0) : 0;
    config.defaultStartPath = Text(mode, "DefaultStartPath", HomeFolder());
    config.defaultIncludeSubdirectories = Number(mode, "DefaultIncludeSubdirectories", 0);
}

void FixStartFolder() {
    ConfigValues& config = Config();
    TrimBlanks(config.defaultStartPath);
    if (config.defaultStartPath.empty()) {
        config.defaultStartPath = HomeFolder();
    }
    TrimBlanks(config.startPath);
    if (config.startPath.empty()) {
        config.startPath = config.defaultStartPath;
    }
    config.includeSubfolders =
        config.includeSubfoldersRequest == -1
            ? (LastIncludeSubfolders(config.defaultIncludeSubdirectories != 0) ? 1 : 0)
            : (config.includeSubfoldersRequest != 0 ? 1 : 0);
    if (config.startPath.back() != '/') {
        config.startPath.push_back('/');
    }
    config.effectiveStartPath = config.startPath;
}

void ReadProgramsAndColumns() {
    ConfigValues& config = Config();
    const char* programs = ProgramSection();
    const bool style = IsStyleMode();
    config.player1 = Text(programs, style ? "StylePlayer" : "MidiPlayer", "");
    config.player2 = Text(programs, style ? "StylePlayer2" : "MidiPlayer2", "");
    config.karaokePlayer = style ? std::string() : Text(programs, "KaraokePlayer", "");
    config.casmEditor = style ? Text(programs, "StyleCASMEditor", "") : std::string();
    config.editor1 = Text(programs, style ? "StyleEditor" : "MidiEditor", "");
    config.editor2 = Text(programs, style ? "StyleEditor2" : "MidiEditor2", "");
    config.dumpProgram = Text(programs, "DumpProgram", "");
    config.playWith = Number(programs, "PlayWith", 0) == 1 ? 1 : 0;
    config.soundFont = Text(kGeneral, "SoundFont", "");
    config.columnAutoresize =
        Number(style ? "Columns" : "ColumnsMidi", "DefaultColumnAutoresize", 2);
    const char* keys = style ? "FunctionKeys" : "FunctionKeysMidi";
    for (std::size_t i = 0; i < config.functionKeys.size(); ++i) {
        const std::string key = "FunctionKey" + std::to_string(i + 1);
        config.functionKeys[i] = Number(keys, key.c_str(), 0);
    }
}

}  // namespace

const char* ModeSection() {
    return IsStyleMode() ? "General" : "GeneralMidi";
}

const char* ProgramSection() {
    return IsStyleMode() ? "ExternalPrograms" : "ExternalProgramsMidi";
}

std::string HomeFolder() {
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && *env != '\0') {
        home = env;
    } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr) {
        home = user->pw_dir;
    }
    EnsureTrailingBackslash(home);
    return home;
}

void ReadStartSettings() {
    ReadGeneralValues();
    FixStartFolder();
    Config().helpFilePath = HelpFilePath();
    ReadProgramsAndColumns();
    StyleFilterDialog().Clear();
    SongFilterDialog().Clear();
    TraceFormat(kStartTraceLevel, true, "%s%s", "Start path : ", Config().startPath.c_str());
}

}  // namespace kelvane
