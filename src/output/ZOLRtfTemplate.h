// The fixed lines of the RTF list document. The document is assembled from these lines and
// the list's texts; each line is written followed by CR LF. The information group's values
// are fixed, not computed.
#pragma once

#include <array>

namespace kelvane::rtf {

inline constexpr auto kHeaderLines = std::to_array<const char*>({
    R"({\rtf1\ansi\ansicpg1252\uc1 \deff0\deflang1033\deflangfe1033{\fonttbl{\f0\froman\fcharset0\fprq2{\*\panose 02020603050405020304})",
    R"(Times New Roman;})",
    R"({\f1\fswiss\fcharset0\fprq2{\*\panose 020b0604020202020204})",
    R"(Arial;})",
    R"({\f57\froman\fcharset238\fprq2 Times New Roman CE;})",
    R"({\f58\froman\fcharset204\fprq2 Times New Roman Cyr;})",
    R"({\f60\froman\fcharset161\fprq2 Times New Roman Greek;})",
    R"({\f61\froman\fcharset162\fprq2 Times New Roman Tur;})",
    R"({\f62\froman\fcharset186\fprq2 Times New Roman Baltic;})",
    R"({\f63\fswiss\fcharset238\fprq2 Arial CE;})",
    R"({\f64\fswiss\fcharset204\fprq2 Arial Cyr;})",
    R"({\f66\fswiss\fcharset161\fprq2 Arial Greek;})",
    R"({\f67\fswiss\fcharset162\fprq2 Arial Tur;})",
    R"({\f68\fswiss\fcharset186\fprq2 Arial Baltic;})",
    R"(})",
    R"({\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;\red255\green0\blue255;\red255\green0\blue0;\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;)",
    R"(\red0\green128\blue128;\red0\green128\blue0;\red128\green0\blue128;\red128\green0\blue0;\red128\green128\blue0;\red128\green128\blue128;\red192\green192\blue192;})",
    R"({\stylesheet{\widctlpar\adjustright \fs20\lang3081\cgrid \snext0 Normal;})",
    R"({\*\cs10 \additive )",
    R"(Default Paragraph Font;})",
    R"(})",
    R"({\info)",
    R"({\title Kelvane/Morvane Output})",
    R"({\author Kelvane/Morvane})",
    R"({\operator none})",
    R"({\creatim\yr2003\mo10\dy2\hr11\min5})",
    R"({\revtim\yr2003\mo10\dy2\hr11\min18})",
    R"({\version5})",
    R"({\edmins6})",
    R"({\nofpages1})",
    R"({\nofwords21})",
    R"({\nofchars153})",
    R"({\*\company none})",
    R"({\nofcharsws0})",
    R"({\vern113})",
    R"(})",
});

// A4 upright, margins left 1134, right 567, top and bottom 851 twips.
inline constexpr const char* kPortraitPageLine =
    R"(\paperw11906\paperh16838\margl1134\margr567\margt851\margb851 \widowctrl\ftnbj\aenddoc\makebackup\hyphcaps0\formshade\viewkind1\viewscale100\pgbrdrhead\pgbrdrfoot \fet0\sectd )";
// A4 turned, margins left and right 1440, top and bottom 1150 twips.
inline constexpr const char* kLandscapePageLine =
    R"(\paperw16840\paperh11907\margl1440\margr1440\margt1150\margb1150 \widowctrl\ftnbj\aenddoc\makebackup\hyphcaps0\formshade\viewkind1\viewscale100\pgbrdrhead\pgbrdrfoot \fet0\sectd \lndscpsxn)";

// Numbering levels 1 to 9 and the opening of the title paragraph.
inline constexpr auto kNumberingLines = std::to_array<const char*>({
    R"(\linex0\headery709\footery709\colsx709\endnhere\sectdefaultcl {\*\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang{\pntxta .})",
    R"(})",
    R"({\*\pnseclvl2\pnucltr\pnstart1\pnindent720\pnhang{\pntxta .})",
    R"(})",
    R"({\*\pnseclvl3\pndec\pnstart1\pnindent720\pnhang{\pntxta .})",
    R"(})",
    R"({\*\pnseclvl4)",
    R"(\pnlcltr\pnstart1\pnindent720\pnhang{\pntxta )})",
    R"(})",
    R"({\*\pnseclvl5\pndec\pnstart1\pnindent720\pnhang{\pntxtb (})",
    R"({\pntxta )})",
    R"(})",
    R"({\*\pnseclvl6\pnlcltr\pnstart1\pnindent720\pnhang{\pntxtb (})",
    R"({\pntxta )})",
    R"(})",
    R"({\*\pnseclvl7\pnlcrm\pnstart1\pnindent720\pnhang{\pntxtb (})",
    R"({\pntxta )})",
    R"(})",
    R"({\*\pnseclvl8\pnlcltr\pnstart1\pnindent720\pnhang{\pntxtb (})",
    R"({\pntxta )})",
    R"(})",
    R"({\*\pnseclvl9\pnlcrm\pnstart1\pnindent720\pnhang{\pntxtb (})",
    R"({\pntxta )})",
    R"(})",
    R"(\pard\plain \widctlpar\adjustright \fs20\lang3081\cgrid {\f1\fs40\lang1033 )",
});

inline constexpr const char* kRowDefinition =
    R"(\trowd \trgaph108\trrh50\trleft-108\trbrdrt\brdrs\brdrw30\brdrcf1 \trbrdrl\brdrs\brdrw30\brdrcf1 \trbrdrb\brdrs\brdrw30\brdrcf1 \trbrdrr\brdrs\brdrw30\brdrcf1 \trbrdrh\brdrs\brdrw15\brdrcf1 \trbrdrv\brdrs\brdrw15\brdrcf1 )";

// Cell definition lines around the bottom border (40 in the header row, 15 in data rows).
inline constexpr auto kCellBordersBeforeBottom = std::to_array<const char*>({
    R"(\clvertalt)",
    R"(\clbrdrt\brdrs\brdrw30)",
    R"(\brdrcf1 )",
    R"(\clbrdrl\brdrs\brdrw30)",
    R"(\brdrcf1 )",
});
inline constexpr auto kCellBordersAfterBottom = std::to_array<const char*>({
    R"(\brdrcf1 )",
    R"(\clbrdrr\brdrs\brdrw15)",
    R"(\brdrcf1 )",
    R"(\cltxlrtb )",
});

inline constexpr const char* kRowEnd = R"(\pard \widctlpar\intbl\adjustright {\f1\lang1033 \row })";

inline constexpr auto kClosingLines = std::to_array<const char*>({
    R"(\pard \widctlpar\adjustright {\f1\lang1033 )",
    R"(\par })",
    R"(})",
});

}  // namespace kelvane::rtf
