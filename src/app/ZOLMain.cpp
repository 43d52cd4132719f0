#include "app/ZOLMain.h"

#include <sys/stat.h>

#include "analysis/ZOLSearchTags.h"
#include "app/ZOLCfgKeywords.h"
#include "app/ZOLCommandLine.h"
#include "app/ZOLStartSettings.h"
#include "list/ZOLSortSequence.h"
#include "platform/ProgramDir.h"
#include "platform/SettingsStore.h"
#include "records/ZOLRecordStore.h"
#include "support/NUVConfig.h"
#include "support/NUVConfigEdit.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// The trace and the start messages always name the style-mode product.
constexpr const char* kTraceProductName = "Kelvane";
constexpr int kStartTraceLevel = 10;
constexpr int kStartMessageBoxLevel = 4;

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void StoreSetting(const char* section, const char* key, const std::string& value) {
    // Settings failures are logged, never shown in a box.
    if (SettingsStore().WriteText(section, key, value) != 0) {
        TraceFormat(trace::kAlways, true, "%s %s %s", "Error - Cannot store setting - ", section,
                    key);
    }
}

// Steps 5 and 6: the installer's one-time choice, then the user's language.
void SelectLanguage() {
    if (Lang().InitialLanguageSelection() == status::kOk) {
        StoreSetting("Global", "Language", Lang().CurrentLanguageShortName());
    }
    Lang().SetLanguage(Trimmed(SettingsStore().ReadText("Global", "Language", "eng")));
}

StatusCode ReadKeywordFile(const std::string& name) {
    return ReadConfigFile(name, ProcessCfgKeyword, '!', ',');
}

// Steps 9 to 11: the program configuration file (-c or program folder + "kelvane.CFG").
void ReadProgramConfigFile(const std::string& optionName) {
    if (ProgramFolder().empty()) {
        NUV_WARNING(
            "%s", Translate("Internal Error - Error determining path of executable file").c_str());
    }
    std::string name = optionName;
    if (name.empty()) {
        name = FileOnExePath(kProgramBaseName, "CFG");
    }
    if (name.empty() || name.size() > kMaxConfigFileName) {
        NUV_WARNING("%s", Translate("Error when determining configuration file name").c_str());
    } else {
        NUV_DEBUG("%s %s", "CFG NAME CALCULATED", name.c_str());
    }
    Config().programConfigFile = name;
    // A missing file is reported by the reader; a failing keyword stops only this file.
    ReadKeywordFile(name);
    NUV_DEBUG("%s%d", "CFG FILE read - Debug Level = ", DebugLevel());
}

// Steps 12 to 14: the run mode is fixed from here on.
void FixRunMode() {
    if (RunMode() == kRunModeNone) {
        SetRunMode(kRunModeStyle);
    }
    const bool midi = RunMode() == kRunModeMidi;
    TraceFormat(kStartTraceLevel, true, "%s%s", "Program name : ", kTraceProductName);
    TraceFormat(kStartTraceLevel, true, "%s%s", "Program version : ", kProgramVersion);
    TraceFormat(kStartTraceLevel, true, "%s",
                midi ? "Running mode : Midi" : "Running mode : Style");
    SetTraceHeader(kTraceProductName, kProgramVersion, midi ? "- midi mode" : "- style mode");
}

// Steps 15 and 16: without a readable analyser configuration file the program does not start.
StatusCode ReadAnalyserConfigFile() {
    const std::string name = FileOnExePath(kProgramBaseName, CurrentModeNames().analyserExtension);
    if (name.empty()) {
        NUV_WARNING("%s", Translate("Unable to calculate analyser cfg filename").c_str());
    } else {
        NUV_DEBUG("%s %s", "ANALYSER CFG NAME CALCULATED", name.c_str());
    }
    Config().analyserConfigFile = name;
    const StatusCode result = ReadKeywordFile(name);
    NUV_DEBUG("%s%d", "ANALYSER CFG FILE read - Error code = ", result);
    return result;
}

}  // namespace

void ResetStartState() {
    Config() = ConfigValues{};
    ResetRunMode();
    ClearSearchTags();
    Lang().SetLanguage("eng");
    SetDebugLevel(ConfigValues{}.debugLevel);
    if (TraceLevel() > 0) {
        TraceOff();
    }
}

std::string WindowTitle() {
    return CurrentModeNames().productName + "  " + kProgramVersion + "        " + Translate("by") +
           " Tessary";
}

std::string HelpFilePath() {
    const std::string base = ProgramFolder() + "help/" + kProgramBaseName +
                             (RunMode() == kRunModeMidi ? "MIDI" : "") + "_";
    const std::string own = base + Lang().CurrentLanguageShortName() + "/";
    return IsFolder(own) ? own : base + "eng/";
}

StatusCode CZOLApp::StartUp(const std::vector<std::string>& args, StartResult& result) {
    SetMessageBoxLevel(kStartMessageBoxLevel);
    SetTraceHeader(kTraceProductName, kProgramVersion, "");
    ResetStartState();
    // The copy/move queue needs no start of its own: it is built with its first operation.
    SelectLanguage();
    if (const StatusCode store = InitRecordStore(); store != status::kOk) {
        return store;
    }
    StartOptions options;
    if (const StatusCode parsed = ParseStartOptions(args, options); parsed != status::kOk) {
        return parsed;
    }
    result.documentArgument = options.documentArgument;
    ReadProgramConfigFile(options.configFile);
    FixRunMode();
    if (const StatusCode analyser = ReadAnalyserConfigFile(); analyser != status::kOk) {
        return analyser;
    }
    ReadStartSettings();
    // "DefaultSortOrder" (or a SORT_SEQUENCE keyword it did not replace) is applied at once.
    SelectSortSequence(Config().sortSequence);
    result.windowTitle = WindowTitle();
    return status::kOk;
}

StartResult CZOLApp::InitInstance(const std::vector<std::string>& args) {
    SettingsStore().Open(ChooseSettingsCompany());
    StartResult result;
    result.status = StartUp(args, result);
    return result;
}

StartResult CZOLApp::InitInstance(int argc, char** argv) {
    return InitInstance(std::vector<std::string>(argv, argv + argc));
}

StatusCode CZOLApp::ExitInstance() {
    FreeRecordStore();
    return status::kOk;
}

}  // namespace kelvane
