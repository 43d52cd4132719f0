// The print settings of the page setup (settings section "Print"; margins in millimetres,
// font sizes in points) and the texts of the printed page header. Reading and writing the
// settings store is the caller's: the value names are given here.
#pragma once

#include <ctime>
#include <string>

namespace kelvane {

namespace printkey {
inline constexpr const char* kSection = "Print";
inline constexpr const char* kLastTitle = "LastTitle";
inline constexpr const char* kPaperOrientation = "PaperOrientation";
inline constexpr const char* kPageTitleFontSize = "PageTitleFontSize";
inline constexpr const char* kPageBodyFontSize = "PageBodyFontSize";
inline constexpr const char* kPrintHeader = "PrintHeader";
inline constexpr const char* kPrintTitle = "PrintTitle";
inline constexpr const char* kPrintPageNr = "PrintPageNr";
inline constexpr const char* kPrintDate = "PrintDate";
inline constexpr const char* kPrintFilterInfo = "PrintFilterInfo";
inline constexpr const char* kPrintPath = "PrintPath";
inline constexpr const char* kPrintTopMargin = "PrintTopMargin";
inline constexpr const char* kPrintBottomMargin = "PrintBottomMargin";
inline constexpr const char* kPrintLeftMargin = "PrintLeftMargin";
inline constexpr const char* kPrintRightMargin = "PrintRightMargin";
}  // namespace printkey

inline constexpr int kPaperPortrait = 1;
inline constexpr int kPaperLandscape = 2;

struct PrintSettings {
    std::string lastTitle;                  // LastTitle
    int paperOrientation = kPaperPortrait;  // PaperOrientation
    int pageTitleFontSize = 14;             // PageTitleFontSize
    int pageBodyFontSize = 8;               // PageBodyFontSize: header lines, column heads, rows
    bool printHeader = true;                // PrintHeader
    bool printTitle = true;                 // PrintTitle
    bool printPageNr = true;                // PrintPageNr
    bool printDate = true;                  // PrintDate
    bool printFilterInfo = true;            // PrintFilterInfo
    bool printPath = true;                  // PrintPath
    int printTopMargin = 15;                // PrintTopMargin (mm)
    int printBottomMargin = 10;             // PrintBottomMargin (mm)
    int printLeftMargin = 20;               // PrintLeftMargin (mm)
    int printRightMargin = 10;              // PrintRightMargin (mm)
};

// All printed text is in this font family.
inline constexpr const char* kPrintFontFamily = "Arial";

// The settings with font sizes and margins brought into a usable range (a hand-edited
// settings file may hold 0 or negative values): font sizes 1..144 points, margins 0..500 mm.
PrintSettings ClampedPrintSettings(PrintSettings settings);

// The print dialog's title box is enabled only when the header and its title are printed;
// otherwise it shows this text.
bool PrintTitleBoxEnabled(const PrintSettings& settings);
inline constexpr const char* kPrintTitleDisabledText = "(may be enabled via File/Page Setup)";

// "%02d %s %04d %02d:%02d": day, translated month abbreviation, year, hour, minute.
std::string PrintDateText(const std::tm& time);

// The right-aligned first header line: the date (when printed) followed by
// "            Page %d" (when printed).
std::string PrintPageLineText(const PrintSettings& settings, const std::string& dateText,
                              long page);

// The title line; in the preview an empty title shows a placeholder.
std::string PrintTitleText(const std::string& title, bool preview);

// "Path: " followed by the start folder.
std::string PrintPathText(const std::string& startFolder);

}  // namespace kelvane
