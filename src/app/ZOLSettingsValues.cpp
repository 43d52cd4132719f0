#include "app/ZOLSettingsValues.h"

#include "app/ZOLStartSettings.h"
#include "list/ZOLSortSequence.h"
#include "platform/SettingsStore.h"
#include "support/NUVConfig.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr const char* kGeneral = "General";

// Collects the failures of one store: every value is tried, the first failure decides.
class SettingsWriter {
  public:
    void Text(const char* section, const char* key, const std::string& value) {
        Check(section, key, SettingsStore().WriteText(section, key, value));
    }
    void Number(const char* section, const char* key, int value) {
        Check(section, key, SettingsStore().WriteInt(section, key, value));
    }
    StatusCode Result() const { return result_; }

  private:
    void Check(const char* section, const char* key, int status) {
        if (status == 0) {
            return;
        }
        // Logged only: a settings failure never interrupts the user with a box.
        TraceFormat(trace::kAlways, true, "%s %s %s", "Error - Cannot store setting - ", section,
                    key);
        result_ = status::kCannotStoreSetting;
    }
    StatusCode result_ = status::kOk;
};

void StoreFolders(SettingsWriter& writer, const SettingsValues& values, ConfigValues& config) {
    const char* mode = ModeSection();
    config.defaultStartPath = Trimmed(values.defaultStartPath);
    config.defaultIncludeSubdirectories = values.defaultIncludeSubdirectories != 0 ? 1 : 0;
    config.trashFolder = Trimmed(values.trashFolder);
    writer.Text(mode, "DefaultStartPath", config.defaultStartPath);
    writer.Number(mode, "DefaultIncludeSubdirectories", config.defaultIncludeSubdirectories);
    writer.Text(kGeneral, "TrashFolder", config.trashFolder);
}

void StorePrograms(SettingsWriter& writer, const SettingsValues& values, ConfigValues& config) {
    const char* section = ProgramSection();
    const bool style = IsStyleMode();
    config.player1 = Trimmed(values.player1);
    config.player2 = Trimmed(values.player2);
    config.editor1 = Trimmed(values.editor1);
    config.editor2 = Trimmed(values.editor2);
    config.dumpProgram = Trimmed(values.dumpProgram);
    writer.Text(section, style ? "StylePlayer" : "MidiPlayer", config.player1);
    writer.Text(section, style ? "StylePlayer2" : "MidiPlayer2", config.player2);
    writer.Text(section, style ? "StyleEditor" : "MidiEditor", config.editor1);
    writer.Text(section, style ? "StyleEditor2" : "MidiEditor2", config.editor2);
    if (style) {
        config.casmEditor = Trimmed(values.casmEditor);
        writer.Text(section, "StyleCASMEditor", config.casmEditor);
    } else {
        config.karaokePlayer = Trimmed(values.karaokePlayer);
        writer.Text(section, "KaraokePlayer", config.karaokePlayer);
    }
    writer.Text(section, "DumpProgram", config.dumpProgram);
    config.playWith = values.playWith == 1 ? 1 : 0;
    writer.Number(section, "PlayWith", config.playWith);
    config.soundFont = Trimmed(values.soundFont);
    writer.Text(kGeneral, "SoundFont", config.soundFont);
}

void StoreFunctionKeys(SettingsWriter& writer, const SettingsValues& values, ConfigValues& config) {
    const char* section = FunctionKeySection(RunMode());
    for (int key = 1; key <= kFunctionKeyCount; ++key) {
        if (!FunctionKeyAssignable(key)) {
            continue;  // F1 and F5 are fixed
        }
        const auto index = static_cast<std::size_t>(key - 1);
        config.functionKeys[index] = values.functionKeys[index];
        const std::string name = "FunctionKey" + std::to_string(key);
        writer.Number(section, name.c_str(), config.functionKeys[index]);
    }
}

void StoreViewAndMisc(SettingsWriter& writer, const SettingsValues& values, ConfigValues& config) {
    const char* mode = ModeSection();
    const int size = values.listViewFontSize;
    config.listViewFontSize = size >= kMinListFontSize && size <= kMaxListFontSize ? size : 0;
    writer.Number(mode, "DefaultListViewFontSize", config.listViewFontSize);
    config.sortSequence = SortSequenceName(SelectSortSequence(Trimmed(values.sortOrder)));
    writer.Text(kGeneral, "DefaultSortOrder", config.sortSequence);

    config.quickCopyPath = Trimmed(values.quickCopyPath);
    writer.Text(kGeneral, "QuickCopyPath", config.quickCopyPath);
    config.uppercaseShortFilenamesOnCopyToA = values.uppercaseShortFilenamesOnCopyToA != 0;
    writer.Number(mode, "DefaultUppercaseShortFilenamesOnCopyToA",
                  config.uppercaseShortFilenamesOnCopyToA);
    if (IsStyleMode()) {
        config.renameToStyOnCopyToA = values.renameToStyOnCopyToA != 0;
        writer.Number(mode, "DefaultRenameToStyOnCopyToA", config.renameToStyOnCopyToA);
    }
    config.autoCorrectIllegalFileDates = values.autoCorrectIllegalFileDates != 0;
    writer.Number(mode, "AutoCorrectIllegalFileDates", config.autoCorrectIllegalFileDates);
    config.changeBackgroundColorIfFilterIsActive =
        values.changeBackgroundColorIfFilterIsActive != 0;
    writer.Number(mode, "ChangeBackgroundColorIfFilterIsActive",
                  config.changeBackgroundColorIfFilterIsActive);
    config.scanWorkers = ScanWorkersSetting(values.scanWorkers);
    writer.Number(kGeneral, "ScanWorkers", config.scanWorkers);
}

void StoreLanguage(SettingsWriter& writer, const SettingsValues& values) {
    if (values.languageFullName.empty() ||
        values.languageFullName == Lang().CurrentLanguageFullName()) {
        return;
    }
    if (Lang().Languages().empty()) {
        Lang().ListLanguages();
    }
    // Texts already on screen keep their language until the restart.
    Lang().SetLanguageByFullName(values.languageFullName);
    writer.Text("Global", "Language", Lang().CurrentLanguageShortName());
}

}  // namespace

int ScanWorkersSetting(int value) {
    return value >= kMinScanWorkers && value <= kMaxScanWorkers ? value : 0;
}

const std::array<const char*, 4>& SortOrderNames() {
    static const std::array<const char*, 4> names = {"Default", "Classic", "Modern", "Windows"};
    return names;
}

SettingsValues CurrentSettingsValues() {
    const ConfigValues& config = Config();
    SettingsValues values;
    values.defaultStartPath = config.defaultStartPath;
    values.defaultIncludeSubdirectories = config.defaultIncludeSubdirectories;
    values.trashFolder = config.trashFolder;
    values.player1 = config.player1;
    values.player2 = config.player2;
    values.karaokePlayer = config.karaokePlayer;
    values.editor1 = config.editor1;
    values.editor2 = config.editor2;
    values.casmEditor = config.casmEditor;
    values.dumpProgram = config.dumpProgram;
    values.playWith = config.playWith;
    values.soundFont = config.soundFont;
    values.functionKeys = config.functionKeys;
    values.listViewFontSize = config.listViewFontSize;
    values.sortOrder = config.sortSequence;
    values.languageFullName = Lang().CurrentLanguageFullName();
    values.quickCopyPath = config.quickCopyPath;
    values.uppercaseShortFilenamesOnCopyToA = config.uppercaseShortFilenamesOnCopyToA;
    values.renameToStyOnCopyToA = config.renameToStyOnCopyToA;
    values.autoCorrectIllegalFileDates = config.autoCorrectIllegalFileDates;
    values.changeBackgroundColorIfFilterIsActive = config.changeBackgroundColorIfFilterIsActive;
    values.scanWorkers = config.scanWorkers;
    return values;
}

StatusCode StoreSettingsValues(const SettingsValues& values) {
    ConfigValues& config = Config();
    SettingsWriter writer;
    StoreFolders(writer, values, config);
    StorePrograms(writer, values, config);
    StoreFunctionKeys(writer, values, config);
    StoreViewAndMisc(writer, values, config);
    StoreLanguage(writer, values);
    return writer.Result();
}

}  // namespace kelvane
