// Shared vocabulary of the list on screen: view modes, list kinds, row references, the images
// a cell or header shows, and IListDisplay, through which a list model tells the widget that
// shows it what to redraw and asks it to measure texts.
#pragma once

#include <cstdint>
#include <string_view>

#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

enum ViewMode : int { Files = 0, Songs = 1 };
enum class ListKind { Files, Songs };

inline constexpr int kMaxShownColumns = 21;      // the row-number column included
inline constexpr int kDefinitionSlotCount = 21;  // wanted columns; empty slots hold 99
inline constexpr long kInitialRowCapacity = 5000;
inline constexpr long kRowCapacityStep = 1000;
inline constexpr int kColumnWidthMargin = 22;  // pixels added to a measured text width
inline constexpr int kRowNumberTypeValue = 8;

// Where a file-list row's file lies: its record's folder (ending with "/") and file name.
struct FileRowName {
    std::string_view folder;
    std::string_view fileName;
};

// One row: a style record (file list) or a song with the style record it belongs to.
struct RowRef {
    StyleDataPacket* style = nullptr;
    SongDataPacket* song = nullptr;  // song list only
};

// What the DUPLICATES and RELATED_ID cells show while their column is the primary sort key.
enum class GroupMarker { None, NotInGroup, GroupStart, GroupMiddle, GroupEnd };

// The image of a column header.
enum class HeaderImage {
    None,
    PrimaryAscending,
    PrimaryDescending,
    SecondaryAscending,
    SecondaryDescending
};

struct RgbColour {
    int red = 255;
    int green = 255;
    int blue = 255;
    bool operator==(const RgbColour&) const = default;
};
inline constexpr RgbColour kWhiteBackground{255, 255, 255};
inline constexpr RgbColour kFilterActiveBackground{255, 255, 224};

// Implemented by the widget that shows a list model (and by the command-line tool with the
// defaults). Every call comes from the user-interface thread.
class IListDisplay {
  public:
    virtual ~IListDisplay() = default;
    // The row count was announced again: every visible cell must be fetched again. With
    // keepTop the first visible row stays where it is.
    virtual void RowsChanged(long /*rowCount*/, bool /*keepTop*/) {}
    // The columns were rebuilt (headers, widths, alignment, order).
    virtual void ColumnsChanged() {}
    virtual void HeaderImagesChanged() {}
    virtual void SelectionChanged() {}
    virtual void RedrawRow(long /*row*/) {}
    virtual void EnsureVisible(long /*row*/) {}
    virtual void TakeFocus() {}
    virtual void SetShown(bool /*shown*/) {}
    virtual void BackgroundChanged(RgbColour /*colour*/) {}
    // Width in pixels of a text in the list's font.
    virtual int TextWidth(std::string_view text) const { return static_cast<int>(text.size()) * 7; }
    // Asks the platform to size a column to its header and contents (auto-width source 0).
    virtual void AutoSizeColumn(int /*column*/) {}
};

// The display of a list that no widget shows (command-line tool, tests).
IListDisplay& NullListDisplay();

}  // namespace kelvane
