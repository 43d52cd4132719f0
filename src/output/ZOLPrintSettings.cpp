#include "output/ZOLPrintSettings.h"

#include <algorithm>
#include <array>

#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {

PrintSettings ClampedPrintSettings(PrintSettings settings) {
    for (int* size : {&settings.pageTitleFontSize, &settings.pageBodyFontSize}) {
        *size = std::clamp(*size, 1, 144);
    }
    for (int* margin : {&settings.printTopMargin, &settings.printBottomMargin,
                        &settings.printLeftMargin, &settings.printRightMargin}) {
        *margin = std::clamp(*margin, 0, 500);
    }
    return settings;
}

bool PrintTitleBoxEnabled(const PrintSettings& settings) {
    return settings.printHeader && settings.printTitle;
}

std::string PrintDateText(const std::tm& time) {
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = std::clamp(time.tm_mon, 0, 11);
    return StrFormat("%02d %s %04d %02d:%02d", time.tm_mday,
                     Translate(kMonths[static_cast<size_t>(month)]).c_str(), time.tm_year + 1900,
                     time.tm_hour, time.tm_min);
}

std::string PrintPageLineText(const PrintSettings& settings, const std::string& dateText,
                              long page) {
    std::string text = settings.printDate ? dateText : std::string();
    if (settings.printPageNr) {
        text += "            ";  // twelve blanks between date and page number
        text += StrFormat(TranslateFormat("Page %d").c_str(), static_cast<int>(page));
    }
    return text;
}

std::string PrintTitleText(const std::string& title, bool preview) {
    if (preview && title.empty()) {
        return Translate("Page Title (you will be asked for one when printing)");
    }
    return title;
}

std::string PrintPathText(const std::string& startFolder) {
    return Translate("Path: ") + startFolder;
}

}  // namespace kelvane
