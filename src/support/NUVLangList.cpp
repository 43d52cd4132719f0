// The list of installed languages for the language dialog.
#include <algorithm>

#include "platform/ProgramDir.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/NUVWalk.h"

namespace kelvane {
namespace {

// A handler status that ends the reading early once both names are known.
constexpr StatusCode kNamesComplete = 1;
// The "*.lan" files directly in `folder`, in name order. Returns 0, or the walk's status
// (a folder without language files counts as success).
StatusCode LanguageFilesIn(const std::string& folder, std::vector<std::string>& names) {
    WalkContext context;
    InitWalkContext(context);
    context.fileSpec = folder + "*.lan";
    context.fileCallback = [&names](WalkContext& walk) {
        TraceLine(trace::kDetail, false, "DBG - ProcessOneFile called -- " + walk.currentFileName);
        names.push_back(walk.currentFileName);
        return status::kOk;
    };
    const StatusCode walk = ProcessAllFiles(context);
    std::sort(names.begin(), names.end());
    return walk == status::kNoFilesFound ? status::kOk : walk;
}

// Reads a language file's LANGUAGE_SHORT_NAME and LANGUAGE_FULL_NAME; other keywords are
// passed over.
LanguageEntry ReadLanguageNames(const std::string& path) {
    LanguageEntry entry;
    ReadConfigFile(
        path,
        [&entry](const std::string& keyword, const std::string& value, const std::string&, int,
                 char) {
            std::string word;
            GetNextField(value, 0, word, ' ');
            if (EqualsIgnoreCase(keyword, "LANGUAGE_SHORT_NAME")) {
                entry.shortName = word;
            } else if (EqualsIgnoreCase(keyword, "LANGUAGE_FULL_NAME")) {
                entry.fullName = word.substr(0, lang::kMaxFullName);
            }
            const bool complete = !entry.shortName.empty() && !entry.fullName.empty();
            return complete ? kNamesComplete : status::kOk;
        },
        '!', ',');
    return entry;
}

}  // namespace

StatusCode CNuvLang::ListLanguages() {
    languages_.clear();
    languages_.push_back({"English", "eng"});
    const std::string folder = ProgramFolder();
    std::vector<std::string> names;
    const StatusCode walk = LanguageFilesIn(folder, names);
    if (walk != status::kOk) {
        return walk;
    }
    for (const std::string& name : names) {
        if (languages_.size() >= lang::kMaxLanguages) {
            break;
        }
        NUV_DEBUG("%s%s", "DBG - ProcessOneFile called -- ", name.c_str());
        LanguageEntry entry = ReadLanguageNames(folder + name);
        // The short name is kept whole: a cut name would name a file that does not exist.
        if (!entry.shortName.empty() && !entry.fullName.empty()) {
            languages_.push_back(std::move(entry));
        }
    }
    return status::kOk;
}

}  // namespace kelvane
