// Field switches: which fields a data file, a data export or a CSV export writes. One 0/1
// entry per field of the current catalogue (35) and per song field (12).
//
// - data-file switches: every field whose type is not FT_UNUSED or FT_NONE, every song field
//   whose type is not FT_STYLE_LINK or FT_NONE (fixed);
// - export switches: no field at first (the export dialog ticks them), the song fields of the
//   data-file switches;
// - CSV switches: the fields of the data-file switches and every song field but FT_NONE ones
//   (song rows then show the style file's name and folder).
// The export dialogs may change the export and CSV switches; they keep them for the run.
#pragma once

#include <array>
#include <cstdint>

#include "records/ZOLFieldIds.h"

namespace kelvane {

using StyleFieldSwitches = std::array<std::uint8_t, kStyleFieldCount>;
using SongFieldSwitches = std::array<std::uint8_t, kSongFieldCount>;

struct FieldSwitchSet {
    StyleFieldSwitches style{};
    SongFieldSwitches song{};
};

struct FieldSwitchTables {
    FieldSwitchSet dataFile;
    FieldSwitchSet exportData;
    FieldSwitchSet csv;
    int mode = -1;  // the run mode the tables were made for
};

// The tables of the current run mode, made anew when the run mode differs from the one they
// were made for.
FieldSwitchTables& FieldSwitches();
// Back to the defaults of the current run mode.
void ResetFieldSwitches();

// The data-file switches of the current run mode.
const FieldSwitchSet& DataFileSwitches();

}  // namespace kelvane
