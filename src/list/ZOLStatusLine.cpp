#include "list/ZOLStatusLine.h"

#include "list/MyListCtrl.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

ListFolderState& ListScanFolder() {
    static ListFolderState state;
    return state;
}

std::string TotalSizeText(int64_t totalBytes) {
    if (totalBytes < 1) {
        return {};
    }
    const std::string prefix = Translate("  (total ");
    const char* p = prefix.c_str();
    // Totals of 2 GB and more are possible with 64-bit sums; they keep the GB form.
    const int g = static_cast<int>(totalBytes >> 30);
    const int m = static_cast<int>((totalBytes & ((1 << 30) - 1)) >> 20);
    const int k = static_cast<int>((totalBytes & ((1 << 20) - 1)) >> 10);
    const int b = static_cast<int>(totalBytes & 1023);
    if (g >= 1) {
        return StrFormat("%s%d.%02d GB)", p, g, m * 100 / 1024);
    }
    if (m == 0) {
        if (k == 0) {
            return StrFormat(TranslateFormat("%s%d Bytes)").c_str(), p, b);
        }
        if (k <= 9) {
            return StrFormat("%s%d.%02d KB)", p, k, b * 100 / 1024);
        }
        if (k <= 99) {
            return StrFormat("%s%d.%1d KB)", p, k, b * 10 / 1024);
        }
        return StrFormat("%s%d KB)", p, k);
    }
    if (m <= 9) {
        return StrFormat("%s%d.%02d MB)", p, m, k * 100 / 1024);
    }
    if (m <= 99) {
        return StrFormat("%s%d.%1d MB)", p, m, k * 10 / 1024);
    }
    return StrFormat("%s%d MB)", p, m);
}

namespace {

bool SongNouns(const StatusLineInputs& in) {
    return in.kind == ListKind::Songs && !in.midiMode;
}

std::string Noun(const StatusLineInputs& in, bool plural) {
    if (in.midiMode) {
        return Translate(plural ? "midis" : "midi");
    }
    if (in.kind == ListKind::Songs) {
        return Translate(plural ? "songs" : "song");
    }
    return Translate(plural ? "styles" : "style");
}

std::string NothingWalkedText(const StatusLineInputs& in) {
    const std::string folder(in.folder);
    const std::string fileNoun = Translate(in.midiMode ? "midis" : "styles");
    if (in.withSubfolders) {
        return SongNouns(in)
                   ? StrFormat(
                         TranslateFormat("No songs found in %s and all subdirectories").c_str(),
                         folder.c_str())
                   : StrFormat(
                         TranslateFormat("No %s files found in %s and all subdirectories").c_str(),
                         fileNoun.c_str(), folder.c_str());
    }
    return SongNouns(in)
               ? StrFormat(TranslateFormat("No songs found in %s").c_str(), folder.c_str())
               : StrFormat(TranslateFormat("No %s files found in %s").c_str(), fileNoun.c_str(),
                           folder.c_str());
}

}  // namespace

std::string StatusFilterText(const StatusLineInputs& in) {
    const std::string_view songs = SongNouns(in) ? in.songFilterDescription : std::string_view();
    if (in.styleFilterDescription.empty() && songs.empty()) {
        return Translate("Filter: (no filter specified)");
    }
    return Translate("Filter: ") + std::string(in.styleFilterDescription) + " " +
           std::string(songs);
}

std::string StatusLineText(const StatusLineInputs& in, const std::string& filterText) {
    if (in.walked < 1) {
        return NothingWalkedText(in);
    }
    const std::string noun = Noun(in, in.rows != 1);
    const std::string size =
        in.kind == ListKind::Files ? TotalSizeText(in.totalSize) : std::string();
    const char* n = noun.c_str();
    const char* z = size.c_str();
    const char* f = filterText.c_str();
    switch (in.duplicatesMode) {
        case kShowUniqueFiles:
        case kShowUniqueScores:
            return StrFormat(
                TranslateFormat(in.duplicatesMode == kShowUniqueFiles
                                    ? "Showing %ld %s out of %ld (+ %d hidden duplicates)%s     %s"
                                    : "Showing %ld %s out of %ld (+ %d hidden tweaks)%s     %s")
                    .c_str(),
                in.rows, n, in.walked - in.hiddenInGroups, static_cast<int>(in.hiddenInGroups), z,
                f);
        case kShowDuplicateFiles:
        case kShowRelatedScores:
            return StrFormat(
                TranslateFormat("Showing %ld %s out of %ld (+ %d hidden uniques)%s     %s").c_str(),
                in.rows, n, in.walked - in.hiddenSingles, static_cast<int>(in.hiddenSingles), z, f);
        default:
            return StrFormat(TranslateFormat("Showing %ld %s out of %ld %s     %s").c_str(),
                             in.rows, n, in.walked, z, f);
    }
}

void CMyListCtrl::WriteStatusLine() {
    StatusLineInputs in;
    in.kind = kind_;
    in.midiMode = !IsStyleMode();
    in.duplicatesMode = FilterDuplicatesMode();
    in.rows = RowCount();
    in.walked = counters_.walked;
    in.hiddenInGroups = counters_.hiddenInGroups;
    in.hiddenSingles = counters_.hiddenSingles;
    in.totalSize = counters_.totalSize;
    in.styleFilterDescription = StyleFilterDialog().Description();
    in.songFilterDescription = SongFilterDialog().Description();
    in.folder = ListScanFolder().folder;
    in.withSubfolders = ListScanFolder().withSubfolders;
    filterText_ = StatusFilterText(in);
    statusLine_ = StatusLineText(in, filterText_);
    WriteStatusText(statusLine_);
}

void CMyListCtrl::WriteStatusText(const std::string& text) const {
    if (writesStatusLine_) {
        SetStatusPaneText(0, text);
    }
}

}  // namespace kelvane
