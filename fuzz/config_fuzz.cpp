// Keyword files: the reader, the configuration keywords with the search-tag table and the genre
// classification over it, the field splitter, and the same bytes read as a language file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/ZOLGenre.h"
#include "app/ZOLCfgKeywords.h"
#include "app/ZOLMain.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace {

class QuietSink final : public kelvane::IMessageSink {
  public:
    void ShowBox(kelvane::Severity, const std::string&) override {}
    void ConsoleText(const std::string&) override {}
    void ExitProgram(int) override {}
};

// A private program folder, so that LANGUAGE and TRACE stay inside it.
struct Setup {
    QuietSink sink;
    std::string folder;
    Setup() {
        char pattern[] = "/tmp/kelvane-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::abort();
        }
        folder = std::string(pattern) + "/";
        setenv("KELVANE_HOME", folder.c_str(), 1);
        setenv("KELVANE_SETTINGS", (folder + "settings.ini").c_str(), 1);
        kelvane::SetMessageSink(&sink);
    }
};

void SplitAll(const std::string& text, char separator) {
    std::string field;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = kelvane::GetNextField(text, pos, field, 64, separator);
        if (next <= pos || next > text.size() || field.size() > 63) {
            std::abort();  // the splitter must always move on and respect the field size
        }
        pos = next;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    const std::string bytes(data, data + size);

    kelvane::ResetStartState();
    kelvane::ReadConfigText(bytes, "fuzz.CFA", kelvane::ProcessCfgKeyword, '!', ',');
    if (kelvane::SearchTags().size() > kelvane::kMaxSearchTags) {
        std::abort();
    }
    const std::string name = bytes.substr(0, 80);
    const std::string info = bytes.size() > 80 ? bytes.substr(80, 400) : std::string();
    const kelvane::GenreResult genre = kelvane::ClassifyGenre(name + ".sty", info);
    if (genre.certainty == 0 && !(genre.typeText.empty() && genre.subtypeText.empty())) {
        std::abort();  // texts without a hit
    }

    SplitAll(bytes, ',');
    SplitAll(bytes, ' ');
    SplitAll(bytes, '\t');

    if (std::FILE* file = std::fopen((setup.folder + "ZOL_fz.lan").c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    if (kelvane::Lang().SetLanguage("fz") == 0) {
        for (const char* text : {"@button_abort@&Abort", "Settings", "\"quoted\"", "@x"}) {
            kelvane::ReverseTranslate(kelvane::Translate(text));
        }
    }
    kelvane::ResetStartState();
    return 0;
}
