#include "list/ZOLListPrinter.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "list/ZOLListViewMgr.h"

namespace kelvane {
namespace {

// Where the text goes: collected in a string, or written to a file a piece at a time as it
// grows (a million rows make about 100 MB of text, which need not be held all at once).
struct TextOut {
    static constexpr size_t kPiece = 64 * 1024;
    std::string text;
    std::FILE* file = nullptr;

    void LineDone() {
        if (file != nullptr && text.size() >= kPiece) {
            Flush();
        }
    }
    void Flush() {
        if (file != nullptr) {
            std::fwrite(text.data(), 1, text.size(), file);
            text.clear();
        }
    }
};

size_t DisplayLength(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string_view MarkerText(GroupMarker marker) {
    switch (marker) {
        case GroupMarker::NotInGroup:
            return "-";
        case GroupMarker::GroupStart:
            return "/";
        case GroupMarker::GroupMiddle:
            return "|";
        case GroupMarker::GroupEnd:
            return "\\";
        default:
            return {};
    }
}

// The text of a cell as printed: the cell text, or the marker drawn in its place.
std::string_view PrintedCell(const CMyListCtrl& list, long row, int column, std::string& buffer) {
    const GroupMarker marker = list.CellMarker(row, column);
    return marker != GroupMarker::None ? MarkerText(marker) : list.CellText(row, column, buffer);
}

void AppendPadded(std::string& line, std::string_view text, size_t width, bool right) {
    const size_t pad = width > DisplayLength(text) ? width - DisplayLength(text) : 0;
    if (right) {
        line.append(pad, ' ');
    }
    line.append(text);
    if (!right) {
        line.append(pad, ' ');
    }
}

void EndLine(TextOut& out, std::string& line) {
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    out.text += line;
    out.text += '\n';
    out.LineDone();
    line.clear();
}

void AppendCsvField(std::string& out, std::string_view text, char separator) {
    const bool quote =
        text.find_first_of(std::string{separator, '"', '\n', '\r'}) != std::string_view::npos ||
        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        out.append(text);
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

void RenderTable(const CZOLListViewMgr& manager, TextOut& out) {
    const CMyListCtrl* list = manager.CurrentList();
    if (list == nullptr) {
        return;
    }
    const int columns = list->ColumnCount();
    std::vector<size_t> widths(static_cast<size_t>(columns));
    std::string buffer;
    for (int c = 0; c < columns; ++c) {
        widths[static_cast<size_t>(c)] = DisplayLength(list->Column(c)->header);
        for (long row = 0; row < list->RowCount(); ++row) {
            widths[static_cast<size_t>(c)] = std::max(
                widths[static_cast<size_t>(c)], DisplayLength(PrintedCell(*list, row, c, buffer)));
        }
    }
    std::string line;
    for (int c = 0; c < columns; ++c) {
        if (c > 0) {
            line += "  ";
        }
        AppendPadded(line, list->Column(c)->header, widths[static_cast<size_t>(c)],
                     list->Column(c)->rightAligned);
    }
    EndLine(out, line);
    for (long row = 0; row < list->RowCount(); ++row) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0) {
                line += "  ";
            }
            AppendPadded(line, PrintedCell(*list, row, c, buffer), widths[static_cast<size_t>(c)],
                         list->Column(c)->rightAligned);
        }
        EndLine(out, line);
    }
    out.text += '\n';
    out.text += list->StatusLine();
    out.text += '\n';
}

void RenderCsv(const CZOLListViewMgr& manager, char separator, TextOut& out) {
    const CMyListCtrl* list = manager.CurrentList();
    if (list == nullptr) {
        return;
    }
    std::string buffer;
    for (int c = 0; c < list->ColumnCount(); ++c) {
        if (c > 0) {
            out.text += separator;
        }
        AppendCsvField(out.text, list->Column(c)->header, separator);
    }
    out.text += '\n';
    for (long row = 0; row < list->RowCount(); ++row) {
        for (int c = 0; c < list->ColumnCount(); ++c) {
            if (c > 0) {
                out.text += separator;
            }
            AppendCsvField(out.text, PrintedCell(*list, row, c, buffer), separator);
        }
        out.text += '\n';
        out.LineDone();
    }
}

}  // namespace

std::string RenderListTable(const CZOLListViewMgr& manager) {
    TextOut out;
    RenderTable(manager, out);
    return std::move(out.text);
}

std::string RenderListCsv(const CZOLListViewMgr& manager, char separator) {
    TextOut out;
    RenderCsv(manager, separator, out);
    return std::move(out.text);
}

void PrintList(const CZOLListViewMgr& manager, ListPrintFormat format, char separator,
               std::FILE* out, std::FILE* statusOut) {
    TextOut text;
    text.file = out;
    if (format == ListPrintFormat::Table) {
        RenderTable(manager, text);
        text.Flush();
        return;
    }
    RenderCsv(manager, separator, text);
    text.Flush();
    if (const CMyListCtrl* list = manager.CurrentList()) {
        std::fprintf(statusOut, "%s\n", list->StatusLine().c_str());
    }
}

}  // namespace kelvane
