// Translation of user-visible texts. Every text shown passes through Translate: an English
// key, optionally prefixed by a tag "@name@" ("@button_abort@&Abort"), looked up in the pairs
// of the current language file "ZOL_" + short name + ".lan" in the program folder. English
// ("eng") needs no file.
//
// Language file keywords: LANGUAGE_SHORT_NAME, LANGUAGE_FULL_NAME (first word each),
// PROGRAM_VERSION and PROGRAM_SUBVERSION (ignored), ORIG (source text of the next pair),
// TRNS (its translation). Texts may be quoted to keep leading and trailing blanks; "\t", "\n"
// and "\\" stand for a tab, a line feed and a backslash.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

namespace lang {
inline constexpr std::size_t kMaxLanguages = 50;
inline constexpr std::size_t kMaxShortName = 10;
inline constexpr std::size_t kMaxFullName = 50;
// Lookup keys of this length or more are cut to kMaxKeyLength - 1 characters.
inline constexpr std::size_t kMaxKeyLength = 1000;
inline constexpr const char* kInitialSelectionFile = "ZOL.ldf";
}  // namespace lang

struct LanguageEntry {
    std::string fullName;
    std::string shortName;
};

// The pairs of the current language and the list of installed languages. One instance, Lang().
class CNuvLang {
  public:
    CNuvLang();

    // The text to show: the stored translation, else the text or a tag's default part.
    std::string Translate(const std::string& text) const;
    // The English text whose translation is `text` (exact match), else `text`.
    std::string ReverseTranslate(const std::string& text) const;
    // The translation stored for `text` as Translate looks it up but without its fall-backs:
    // a tagged text by its tag only, and an empty translation counts as none. nullptr when
    // there is none (always in English). Lets a language file be checked for completeness.
    const std::string* StoredTranslation(const std::string& text) const;

    // Loads "ZOL_" + shortName + ".lan"; "eng" (any case) discards all pairs. On any failure
    // the program is left in English and the status returned (-1105 when the file is missing).
    StatusCode SetLanguage(const std::string& shortName);
    // The short name of that entry of the language list ("eng" when none matches), then
    // SetLanguage.
    StatusCode SetLanguageByFullName(const std::string& fullName);
    // Processes "ZOL.ldf" once: sets its INITIAL_LANGUAGE and deletes the file. 0 when a
    // language was set from it, -1114 when there is no such file, else the failing status.
    StatusCode InitialLanguageSelection();
    // Fills the language list: English first, then every "*.lan" file of the program folder
    // that names both its short and full name; at most 50 entries.
    StatusCode ListLanguages();

    const std::vector<LanguageEntry>& Languages() const { return languages_; }
    const std::string& CurrentLanguageShortName() const { return shortName_; }
    const std::string& CurrentLanguageFullName() const { return fullName_; }
    bool Active() const { return active_; }
    std::size_t PairCount() const { return pairs_.size(); }

  private:
    struct Pair {
        std::string key;
        std::string translation;
    };
    // State of one language file being read.
    struct LoadState {
        std::string shortName;
        std::string fullName;
        std::string pendingOrig;
        bool hasPendingOrig = false;
    };

    void Discard();
    void UseEnglish();
    StatusCode ProcessLanguageKeyword(LoadState& load, const std::string& keyword,
                                      const std::string& value, const std::string& fileName,
                                      int lineNumber);
    StatusCode StoreTranslation(const std::string& orig, const std::string& trns);
    // Index of the first pair with this key (compared without regard to case), or -1.
    long Find(const std::string& key) const;

    std::vector<Pair> pairs_;
    std::unordered_map<std::string, std::size_t> byFoldedKey_;    // first match wins
    std::unordered_map<std::string, std::size_t> byTranslation_;  // first match wins
    bool active_ = false;
    std::string shortName_;
    std::string fullName_;
    std::vector<LanguageEntry> languages_;
};

// The one instance.
CNuvLang& Lang();

// The text to show for an English text or tagged text; never fails.
std::string Translate(const std::string& text);

// The English text whose translation is the given text, or the text itself.
std::string ReverseTranslate(const std::string& text);

// Every text passed to Translate is also appended, once, to this file (the list of all shown
// texts, for checking a translation for completeness). Empty stops recording. Without a call,
// the environment variable KELVANE_RECORD_TRANSLATIONS names the file.
void RecordTranslationsTo(const std::string& path);

}  // namespace kelvane
