#include "support/NUVLang.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/ProgramDir.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVLangRecord.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void TraceLang(const std::string& text) {
    TraceLine(trace::kAlways, true, text);
}

// Removes one leading and one trailing double quote (quotes protect outer blanks).
void StripQuotes(std::string& text) {
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '"') {
        text.pop_back();
    }
}

std::string FoldKey(std::string_view key) {
    if (key.size() >= lang::kMaxKeyLength) {
        key = key.substr(0, lang::kMaxKeyLength - 1);
    }
    return LowerCased(key);
}

// The lookup key of an untagged text: without one leading and one trailing double quote, the
// same rule that made the stored keys.
std::string_view LookupKey(std::string_view text) {
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() == '"') {
        text.remove_suffix(1);
    }
    return text;
}

std::string FirstWord(const std::string& value) {
    std::string word;
    GetNextField(value, 0, word, ' ');
    return word;
}

}  // namespace

CNuvLang::CNuvLang() {
    UseEnglish();
}

CNuvLang& Lang() {
    static CNuvLang instance;
    return instance;
}

void CNuvLang::Discard() {
    pairs_.clear();
    byFoldedKey_.clear();
    byTranslation_.clear();
    active_ = false;
}

void CNuvLang::UseEnglish() {
    Discard();
    shortName_ = "eng";
    fullName_ = "English";
}

long CNuvLang::Find(const std::string& key) const {
    const auto it = byFoldedKey_.find(FoldKey(key));
    return it == byFoldedKey_.end() ? -1 : static_cast<long>(it->second);
}

std::string CNuvLang::Translate(const std::string& text) const {
    if (text.empty()) {
        return text;
    }
    long found = -1;
    std::string fallback;
    if (text[0] == '@') {
        const std::size_t tagEnd = text.find('@', 1);
        if (tagEnd == std::string::npos) {
            TraceLang("NUVLANG: End of tag not found - " + text);
            return text;
        }
        fallback = text.substr(tagEnd + 1);
        if (!active_) {
            return fallback;
        }
        found = Find(text.substr(0, tagEnd + 1));
        if (found < 0) {
            TraceLang("NUVLANG: No translation found for tag - " + text);
            found = Find(fallback);
        }
    } else {
        if (!active_) {
            return text;
        }
        fallback = text;
        found = Find(std::string(LookupKey(text)));
    }
    if (found < 0) {
        TraceLang("NUVLANG: No translation found - " + text);
        return fallback;
    }
    const std::string& translation = pairs_[static_cast<std::size_t>(found)].translation;
    if (translation.empty()) {
        TraceLang("NUVLANG: Empty translation found - " + text);
        return fallback;
    }
    return translation;
}

const std::string* CNuvLang::StoredTranslation(const std::string& text) const {
    if (!active_ || text.empty()) {
        return nullptr;
    }
    long found = -1;
    if (text[0] == '@') {
        const std::size_t tagEnd = text.find('@', 1);
        found = tagEnd == std::string::npos ? -1 : Find(text.substr(0, tagEnd + 1));
    } else {
        found = Find(std::string(LookupKey(text)));
    }
    if (found < 0 || pairs_[static_cast<std::size_t>(found)].translation.empty()) {
        return nullptr;
    }
    return &pairs_[static_cast<std::size_t>(found)].translation;
}

std::string CNuvLang::ReverseTranslate(const std::string& text) const {
    if (!active_) {
        return text;
    }
    const auto it = byTranslation_.find(text);
    if (it == byTranslation_.end()) {
        TraceLang("NUVLANG: No reverse translation found - " + text);
        return text;
    }
    // Stored keys are never empty (an empty source text stores no pair).
    return pairs_[it->second].key;
}

StatusCode CNuvLang::StoreTranslation(const std::string& orig, const std::string& trns) {
    std::string source = Trimmed(orig);
    std::string translation = Trimmed(trns);
    StripQuotes(source);
    StripQuotes(translation);
    if (source.empty()) {
        return status::kOk;
    }
    std::string key = source;
    if (source[0] == '@') {
        const std::size_t tagEnd = source.find('@', 1);
        if (tagEnd == std::string::npos) {
            TraceLang("NUVLANG: End of tag not found in language file - " + source);
        } else {
            key = source.substr(0, tagEnd + 1);
        }
    }
    Pair pair{UnescapeLanguageText(key), UnescapeLanguageText(translation)};
    const std::size_t index = pairs_.size();
    byFoldedKey_.emplace(FoldKey(pair.key), index);
    byTranslation_.emplace(pair.translation, index);
    TraceFormat(trace::kDebug, true, "%s %s %s", "StoreTranslation : ---", pair.key.c_str(),
                pair.translation.c_str());
    pairs_.push_back(std::move(pair));
    return status::kOk;
}

StatusCode CNuvLang::ProcessLanguageKeyword(LoadState& load, const std::string& keyword,
                                            const std::string& value, const std::string& fileName,
                                            int lineNumber) {
    StatusCode result = status::kOk;
    if (EqualsIgnoreCase(keyword, "LANGUAGE_SHORT_NAME")) {
        load.shortName = FirstWord(value);
        result = load.shortName.empty() ? status::kLanguageShortNameEmpty : status::kOk;
    } else if (EqualsIgnoreCase(keyword, "LANGUAGE_FULL_NAME")) {
        load.fullName = FirstWord(value).substr(0, lang::kMaxFullName);
        result = load.fullName.empty() ? status::kLanguageFullNameEmpty : status::kOk;
    } else if (EqualsIgnoreCase(keyword, "PROGRAM_VERSION") ||
               EqualsIgnoreCase(keyword, "PROGRAM_SUBVERSION")) {
    } else if (EqualsIgnoreCase(keyword, "ORIG")) {
        load.pendingOrig = value;
        load.hasPendingOrig = !value.empty();
        result = value.empty() ? status::kLanguageOrigEmpty : status::kOk;
    } else if (EqualsIgnoreCase(keyword, "TRNS")) {
        if (!load.hasPendingOrig) {
            result = status::kLanguageTrnsWithoutOrig;
        } else if (value.empty()) {
            result = status::kLanguageTrnsEmpty;
        } else {
            load.hasPendingOrig = false;
            result = StoreTranslation(load.pendingOrig, value);
        }
    } else {
        NUV_WARNING("%s %s %d",
                    kelvane::Translate("Unknown keyword in Cfg-File/Line Nr : ").c_str(),
                    fileName.c_str(), lineNumber);
    }
    if (result != status::kOk) {
        // The reader reports nothing for a handler's status; leave a trace of where it stopped.
        TraceFormat(trace::kAlways, true, "%s %s %d %d", "NUVLANG: Error in language file -",
                    fileName.c_str(), lineNumber, result);
    }
    return result;
}

StatusCode CNuvLang::SetLanguage(const std::string& shortName) {
    Discard();
    if (EqualsIgnoreCase(shortName, "eng")) {
        UseEnglish();
        return status::kOk;
    }
    const std::string folder = ProgramFolder();
    const std::string file = folder + "ZOL_" + shortName + ".lan";
    if (folder.empty() || !FileExists(file)) {
        UseEnglish();
        NUV_WARNING("%s%s", kelvane::Translate("Language file not found : ").c_str(), file.c_str());
        return status::kLanguageFileMissing;
    }
    LoadState load;
    const StatusCode result = ReadConfigFile(
        file,
        [this, &load](const std::string& keyword, const std::string& value,
                      const std::string& fileName, int lineNumber, char) {
            return ProcessLanguageKeyword(load, keyword, value, fileName, lineNumber);
        },
        '!', ',');
    if (result != status::kOk) {
        UseEnglish();
        return result;
    }
    active_ = true;
    shortName_ = shortName;
    fullName_ = load.fullName.empty() ? shortName : load.fullName;
    return status::kOk;
}

StatusCode CNuvLang::SetLanguageByFullName(const std::string& fullName) {
    std::string shortName = "eng";
    for (const LanguageEntry& entry : languages_) {
        if (entry.fullName == fullName) {
            shortName = entry.shortName;
            break;
        }
    }
    return SetLanguage(shortName);
}

StatusCode CNuvLang::InitialLanguageSelection() {
    const std::string folder = ProgramFolder();
    const std::string file = folder + lang::kInitialSelectionFile;
    if (folder.empty() || !FileExists(file)) {
        return status::kNoInitialLanguageFile;
    }
    TraceLang("Initial language selection file found: " + file);
    std::string pending = "eng";
    const StatusCode read = ReadConfigFile(
        file,
        [&pending](const std::string& keyword, const std::string& value,
                   const std::string& fileName, int lineNumber, char) {
            if (EqualsIgnoreCase(keyword, "INITIAL_LANGUAGE")) {
                if (std::string word = FirstWord(value); !word.empty()) {
                    pending = word;
                }
            } else {
                NUV_WARNING("%s %s %d",
                            kelvane::Translate("Unknown keyword in Cfg-File/Line Nr : ").c_str(),
                            fileName.c_str(), lineNumber);
            }
            return status::kOk;
        },
        '!', ',');
    if (read != status::kOk) {
        return read;
    }
    TraceLang("Setting initial language: " + pending);
    const StatusCode result = SetLanguage(pending);
    if (std::remove(file.c_str()) != 0) {
        // A read-only program folder keeps the file; it is then read again at every start.
        TraceLang("Cannot delete initial language selection file: " + file);
    }
    return result;
}

std::string Translate(const std::string& text) {
    RecordShownText(text);
    return Lang().Translate(text);
}

std::string ReverseTranslate(const std::string& text) {
    return Lang().ReverseTranslate(text);
}

}  // namespace kelvane
