#include "analysis/ZOLKeyboardData.h"

#include <algorithm>

#include "analysis/ZOLSearchTags.h"
#include "platform/ProgramDir.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVTrace.h"
#include "support/NUVWalk.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {
namespace {

constexpr const char* kKeyboardPattern = "*.kby";
constexpr const char* kUnknown = "- Unknown -";
constexpr int kMaxUnsigned16 = 0xFFFF;

// One keyboard data file being read.
struct KeyboardFileReader {
    KeyboardEntry entry;
    bool hasEntry = false;
    std::string currentModel;

    StatusCode Keyword(const std::string& keyword, const std::string& value,
                       const std::string& fileName, int lineNumber, char separator);
    StatusCode Style(const std::string& value, const std::string& fileName, int lineNumber,
                     char separator);
};

// A non-negative number up to `max`; false for anything else.
bool ParseUnsigned(std::string_view text, int max, int& value) {
    return ParseLeadingInt(text, value) && value >= 0 && value <= max;
}

std::string FirstWord(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return {};
    }
    const size_t end = text.find_first_of(" \t", start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

StatusCode KeyboardFileReader::Style(const std::string& value, const std::string& fileName,
                                     int lineNumber, char separator) {
    std::string name;
    std::string number;
    const size_t next = GetNextField(value, 0, name, separator);
    GetNextField(value, next, number, separator);
    name = Trimmed(name);
    if (name.empty() || Trimmed(number).empty()) {
        NUV_WARNING(
            "%s %s %d",
            Translate("Incomplete data line in analyser data file (Filename/Line Nr) :").c_str(),
            fileName.c_str(), lineNumber);
        return status::kIncompleteDataLine;
    }
    int listed = 0;
    if (!ParseUnsigned(number, INT32_MAX, listed)) {
        return status::kConfigIllegalData;
    }
    const uint32_t n = static_cast<uint32_t>(listed);
    entry.styles.push_back(
        {std::move(name), entry.styleIdDivisor != 0 ? n / entry.styleIdDivisor : n});
    entry.highestStyleId = std::max(entry.highestStyleId, n);
    return status::kOk;
}

StatusCode KeyboardFileReader::Keyword(const std::string& keyword, const std::string& value,
                                       const std::string& fileName, int lineNumber,
                                       char separator) {
    const std::string key = UpperCased(keyword);
    const bool known =
        key == "KBD_NAME" || key == "KBD_ID" || key == "KBD_STYLE_ID_DIVISOR" || key == "KBD_STYLE";
    if (!known) {
        NUV_WARNING("%s %s %d", Translate("Illegal keyword in keyboard data file").c_str(),
                    fileName.c_str(), lineNumber);
        return status::kOk;
    }
    if (key == "KBD_NAME") {
        const std::string word = FirstWord(value);
        if (word.empty()) {
            return status::kConfigIllegalData;
        }
        hasEntry = true;
        entry.name = word;
        currentModel = word;
        return status::kOk;
    }
    if (!hasEntry) {
        return status::kNoCurrentKeyboard;
    }
    if (key == "KBD_STYLE") {
        return Style(value, fileName, lineNumber, separator);
    }
    int number = 0;
    if (!ParseUnsigned(value, kMaxUnsigned16, number)) {
        return status::kConfigIllegalData;
    }
    if (key == "KBD_STYLE_ID_DIVISOR") {
        entry.styleIdDivisor = static_cast<uint16_t>(number);
        return status::kOk;
    }
    if (entry.idCount >= KeyboardEntry::kMaxIds) {
        return status::kTooManyKeyboardIds;
    }
    entry.ids[entry.idCount] = static_cast<uint16_t>(number);
    entry.modelNames[entry.idCount] = currentModel;
    ++entry.idCount;
    return status::kOk;
}

void ReportLineFailure(StatusCode result, const std::string& fileName, int lineNumber) {
    if (result == status::kConfigIllegalData) {
        ReportIllegalConfigData(fileName, lineNumber);
    } else if (result != status::kIncompleteDataLine) {
        NUV_WARNING(
            "%s %s %d %d",
            Translate("Error in data line in analyser data file (Filename/Line Nr) :").c_str(),
            fileName.c_str(), lineNumber, result);
    }
}

}  // namespace

CZOLMidiContentAnalyser& KeyboardData() {
    static CZOLMidiContentAnalyser instance;
    return instance;
}

StatusCode CZOLMidiContentAnalyser::LoadKeyboardFile(const std::string& path) {
    loaded_ = true;
    KeyboardFileReader reader;
    const StatusCode result = ReadConfigFile(
        path,
        [&reader](const std::string& keyword, const std::string& value, const std::string& fileName,
                  int lineNumber, char separator) {
            const StatusCode line = reader.Keyword(keyword, value, fileName, lineNumber, separator);
            if (line != status::kOk) {
                ReportLineFailure(line, fileName, lineNumber);
            }
            return line;
        },
        '!', ';');
    // A failing line ends the file; what was read before it is used.
    if (reader.hasEntry) {
        entries_.push_back(std::move(reader.entry));
    }
    return result;
}

void CZOLMidiContentAnalyser::LoadKeyboardData(const std::string& folder) {
    entries_.clear();
    loaded_ = true;
    WalkContext context;
    InitWalkContext(context);
    context.fileSpec = (folder.empty() ? ProgramFolder() : WithSlash(folder)) + kKeyboardPattern;
    std::vector<std::string> files;
    context.fileCallback = [&files](WalkContext& walk) {
        files.push_back(walk.currentFolder + walk.currentFileName);
        return status::kOk;
    };
    ProcessAllFiles(context);
    // Name order, so that the first entry listing an id is the same on every machine.
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        TraceFormat(trace::kDebug, true, "%s%s", "DBG - ProcessOneFile called -- ", file.c_str());
        LoadKeyboardFile(file);
    }
}

void CZOLMidiContentAnalyser::Unload() {
    entries_.clear();
    loaded_ = false;
}

void CZOLMidiContentAnalyser::LookupKeyboard(int keyboardId, int styleId, std::string& modelText,
                                             std::string& styleText) {
    modelText.clear();
    styleText.clear();
    if (!loaded_) {
        LoadKeyboardData();
    }
    const bool special = Config().specialMenu > 0;
    for (const KeyboardEntry& entry : entries_) {
        for (int i = 0; i < entry.idCount; ++i) {
            if (entry.ids[i] != keyboardId) {
                continue;
            }
            modelText = entry.modelNames[i];
            if (special || Config().showUnknownStyleIds > 0) {
                styleText = StrFormat("%s ID = %d (%XH) ", kUnknown, styleId, styleId);
            }
            if (styleId < 0 || static_cast<uint32_t>(styleId) > entry.highestStyleId) {
                return;
            }
            for (const KeyboardStyle& style : entry.styles) {
                if (style.styleId == static_cast<uint32_t>(styleId)) {
                    styleText = style.name;
                    return;
                }
            }
            return;
        }
    }
    if (special || Config().showUnknownKeyboardIds > 0) {
        modelText = StrFormat("%s ID = %d (%XH)", kUnknown, keyboardId, keyboardId);
    }
}

FileTime CZOLMidiContentAnalyser::NewestKeyboardDataTime() {
    if (!newestKnown_) {
        newestKnown_ = true;
        newest_ = 0;
        NewestFileTime(ProgramFolder(), kKeyboardPattern, newest_);
    }
    return newest_;
}

}  // namespace kelvane
