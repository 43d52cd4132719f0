// The list of installed languages for the language dialog.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/NuvProgramDir.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

// A handler status that ends the reading early once both names are known.
constexpr StatusCode kNamesComplete = 1;
// The walker's statuses for enumeration failures.
constexpr StatusCode kFindFileError = -214;
constexpr StatusCode kFindNextError = -215;

// The "*.lan" files directly in `folder`, in name order. Returns 0, or the walk's status.
// To be replaced by the directory walker (no recursion, pattern "*.lan") once it exists.
StatusCode LanguageFilesIn(const std::string& folder, std::vector<std::string>& names) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) {
            return status::kPathNotFound;
        }
        return ec == std::errc::permission_denied ? status::kAccessDenied : kFindFileError;
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            return kFindNextError;
        }
        const fs::path& path = it->path();
        if (path.extension() == ".lan" && it->is_regular_file(ec)) {
            names.push_back(path.filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return status::kOk;
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
