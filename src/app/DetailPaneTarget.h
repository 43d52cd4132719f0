// What the detail pane shows and how it is remembered. The pane follows the focused row of the
// list shown: a row of the file list stands for its file (a style, or a MIDI song in midi
// mode), a row of the song list for the style file the song belongs to. Whether the pane is
// shown and its height are kept in the run mode's settings section ("DetailPane",
// "DetailPaneHeight").
#pragma once

#include <string>

#include "picture/FilePicture.h"

namespace kelvane {

class CMyListCtrl;

struct PictureTarget {
    std::string path;  // empty: nothing to show (no row, or a row without a record)
    PictureKind kind = PictureKind::kStyle;
    bool operator==(const PictureTarget&) const = default;
};

// The file behind row `row` of `list` in the run mode `runMode`.
PictureTarget PictureTargetOfRow(const CMyListCtrl& list, long row, int runMode);

struct DetailPaneSettings {
    bool shown = false;
    int height = 0;  // pixels; 0: the frame's default share
};

inline constexpr int kMaxDetailPaneHeight = 4000;

DetailPaneSettings LoadDetailPaneSettings();
// 0, or the store's status of the failed write.
int StoreDetailPaneSettings(const DetailPaneSettings& settings);

}  // namespace kelvane
