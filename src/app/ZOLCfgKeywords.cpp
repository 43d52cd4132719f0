#include "app/ZOLCfgKeywords.h"

#include <array>
#include <limits>

#include "analysis/ZOLSearchTags.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

struct KeywordCall {
    const std::string& value;
    const std::string& fileName;
    int lineNumber;
    char separator;
};

std::string FirstField(const std::string& value, char separator) {
    std::string field;
    GetNextField(value, 0, field, separator);
    return field;
}

// The value as an integer in [low, high]; otherwise the illegal-data warning and -222.
StatusCode ReadInteger(const KeywordCall& call, int& number, int low, int high) {
    int parsed = 0;
    if (!ParseLeadingInt(call.value, parsed) || parsed < low || parsed > high) {
        ReportIllegalConfigData(call.fileName, call.lineNumber);
        return status::kConfigIllegalData;
    }
    number = parsed;
    return status::kOk;
}

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

StatusCode StartPath(const KeywordCall& call) {
    // -p and an earlier START_PATH win; a folder with blanks needs -p.
    if (Config().startPath.empty()) {
        Config().startPath = FirstField(call.value, ' ');
    }
    return status::kOk;
}

StatusCode Debug(const KeywordCall& call) {
    int level = 0;
    const StatusCode result = ReadInteger(call, level, 0, 65535);
    if (result == status::kOk) {
        Config().debugLevel = level;
        SetDebugLevel(level);
    }
    return result;
}

StatusCode SpecialMenu(const KeywordCall& call) {
    int level = 0;
    const StatusCode result = ReadInteger(call, level, kIntMin, kIntMax);
    if (result == status::kOk) {
        Config().specialMenu = level;
        Config().specialMenuCopy = level;
    }
    return result;
}

StatusCode Trace(const KeywordCall& call) {
    int level = 0;
    const StatusCode result = ReadInteger(call, level, 0, kIntMax);
    if (result == status::kOk) {
        level == 0 ? TraceOff() : TraceOn(level);
    }
    return result;
}

StatusCode Mode(const KeywordCall& call) {
    const std::string mode = Trimmed(FirstField(call.value, call.separator));
    if (mode.empty()) {
        NUV_WARNING(
            "%s %s %d",
            Translate("Incomplete data line in analyser data file (Filename/Line Nr) :").c_str(),
            call.fileName.c_str(), call.lineNumber);
        return status::kIncompleteDataLine;
    }
    if (EqualsIgnoreCase(mode, "MIDI") && RunMode() == kRunModeNone) {
        SetRunMode(kRunModeMidi);
    }
    return status::kOk;
}

StatusCode Language(const KeywordCall& call) {
    return Lang().SetLanguage(Trimmed(call.value));
}

StatusCode SortSequence(const KeywordCall& call) {
    Config().sortSequence = SortSequenceName(FirstField(call.value, ' '));
    return status::kOk;
}

StatusCode AddTag(const KeywordCall& call) {
    SearchTag row;
    StatusCode result = ParseSearchTagLine(call.value, call.separator, IsStyleMode(),
                                           CurrentModeNames().defaultSearchTagValue, row);
    if (result == status::kOk) {
        result = AddSearchTag(std::move(row));
    }
    if (result == status::kIncompleteDataLine) {
        NUV_WARNING(
            "%s %s %d",
            Translate("Incomplete data line in analyser data file (Filename/Line Nr) :").c_str(),
            call.fileName.c_str(), call.lineNumber);
    } else if (result != status::kOk) {
        NUV_WARNING(
            "%s %s %d %d",
            Translate("Error in data line in analyser data file (Filename/Line Nr) :").c_str(),
            call.fileName.c_str(), call.lineNumber, result);
    }
    return result;
}

struct KeywordRow {
    const char* name;
    int ConfigValues::*field;                  // a plain integer setting, or
    StatusCode (*action)(const KeywordCall&);  // a keyword with its own rule
};

constexpr std::array kKeywords = std::to_array<KeywordRow>({
    {"START_PATH", nullptr, StartPath},
    {"INCLUDE_SUBFOLDERS", &ConfigValues::includeSubfoldersRequest, nullptr},
    {"SEARCH_TAG", nullptr, AddTag},
    {"DEBUG", nullptr, Debug},
    {"HARD_RESCAN_BUTTON", &ConfigValues::hardRescanButton, nullptr},
    {"RESCAN_BUTTON", &ConfigValues::rescanButton, nullptr},
    {"NUV_SPECIAL_MENU", nullptr, SpecialMenu},
    {"IGNORE_UNKNOWN_FIELDS", &ConfigValues::ignoreUnknownFields, nullptr},
    {"USE_SHORT_NAMES_FOR_MIDI_PLAYER", &ConfigValues::useShortNamesForMidiPlayer, nullptr},
    {"USE_SHORT_NAMES_FOR_MIDI_EDITOR", &ConfigValues::useShortNamesForMidiEditor, nullptr},
    {"SHOW_UNKNOWN_KEYBOARD_IDS", &ConfigValues::showUnknownKeyboardIds, nullptr},
    {"SHOW_UNKNOWN_STYLE_IDS", &ConfigValues::showUnknownStyleIds, nullptr},
    {"MODE", nullptr, Mode},
    {"TRACE", nullptr, Trace},
    {"TRACE_TARGET_FILE_PROBLEMS", &ConfigValues::traceTargetFileProblems, nullptr},
    {"TRACE_TARGET_FILE_ANALYSIS", &ConfigValues::traceTargetFileAnalysis, nullptr},
    {"LANGUAGE", nullptr, Language},
    {"SORT_SEQUENCE", nullptr, SortSequence},
});

}  // namespace

std::string SortSequenceName(std::string_view name) {
    for (const char* known : {"Modern", "Classic", "Windows"}) {
        if (EqualsIgnoreCase(Trimmed(name), known)) {
            return known;
        }
    }
    return "Default";
}

StatusCode ProcessCfgKeyword(const std::string& keyword, const std::string& value,
                             const std::string& fileName, int lineNumber, char separator) {
    const KeywordCall call{value, fileName, lineNumber, separator};
    for (const KeywordRow& row : kKeywords) {
        if (!EqualsIgnoreCase(keyword, row.name)) {
            continue;
        }
        if (row.action != nullptr) {
            return row.action(call);
        }
        return ReadInteger(call, Config().*row.field, kIntMin, kIntMax);
    }
    NUV_WARNING("%s %s %d", Translate("Unknown keyword in Cfg-File/Line Nr : ").c_str(),
                fileName.c_str(), lineNumber);
    return status::kOk;
}

}  // namespace kelvane
