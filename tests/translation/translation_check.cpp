// Lists the recorded texts (one per line, escaped as in a language file) that the named
// language file does not translate, as ORIG/TRNS pairs ready to be filled in. Exit status 1
// when any is missing, when the language file cannot be loaded, or when the record is too
// short to have come from a real run.
//
//   translation_check RECORD_FILE LANGUAGE_SHORT_NAME   (KELVANE_HOME names the data folder)
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/NUVLang.h"
#include "support/NUVLangRecord.h"

namespace {

// A record of fewer texts means a run stopped early, not a complete translation.
constexpr std::size_t kMinimumRecordedTexts = 200;

}  // namespace

int main(int argc, char** argv) {
    using namespace kelvane;
    if (argc != 3) {
        std::fprintf(stderr, "usage: translation_check RECORD_FILE LANGUAGE_SHORT_NAME\n");
        return 2;
    }
    std::ifstream record(argv[1], std::ios::binary);
    if (!record) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<std::string> texts;
    for (std::string line; std::getline(record, line);) {
        if (!line.empty()) {
            texts.push_back(line);
        }
    }
    if (texts.size() < kMinimumRecordedTexts) {
        std::fprintf(stderr, "only %zu texts recorded: a run is missing\n", texts.size());
        return 1;
    }
    if (const StatusCode status = Lang().SetLanguage(argv[2]); status != 0) {
        std::fprintf(stderr, "language %s cannot be loaded: status %ld\n", argv[2],
                     static_cast<long>(status));
        return 1;
    }
    std::size_t missing = 0;
    for (const std::string& text : texts) {
        if (Lang().StoredTranslation(UnescapeLanguageText(text)) == nullptr) {
            std::printf("ORIG = %s\nTRNS = \n", text.c_str());
            ++missing;
        }
    }
    std::fprintf(stderr, "%zu texts recorded, %zu without a %s translation\n", texts.size(),
                 missing, argv[2]);
    return missing == 0 ? 0 : 1;
}
