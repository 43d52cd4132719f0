#include "app/ZOLHelpTopics.h"

#include "app/ZOLMain.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr int kHiddenOffset = 7;

// "Catalogued with care, one style at a time." stored with each character offset by 7, so
// that it does not show in a plain look at the program file.
constexpr const char* kHiddenStored = "Jh{hsvn|lk'~p{o'jhyl3'vul'z{\x80sl'h{'h'{ptl5";

}  // namespace

std::string HelpPageFile(const std::string& page) {
    return HelpFilePath() + "html/" + page;
}

std::string MissingHelpPageMessage(const std::string& file) {
    return StrFormat(TranslateFormat("The help page\n\n%s\n\nis not installed.").c_str(),
                     file.c_str());
}

std::string AboutProductLine() {
    return CurrentModeNames().productName + "  " + kProgramVersion;
}

std::string AboutAuthorLine() {
    return Translate("by") + " Tessary";
}

std::string EncodeHiddenText(const std::string& text) {
    std::string stored = text;
    for (char& c : stored) {
        c = static_cast<char>(c + kHiddenOffset);
    }
    return stored;
}

std::string DecodeHiddenText(const std::string& stored) {
    std::string text = stored;
    for (char& c : text) {
        c = static_cast<char>(c - kHiddenOffset);
    }
    return text;
}

std::string HiddenAboutText() {
    return DecodeHiddenText(kHiddenStored);
}

}  // namespace kelvane
