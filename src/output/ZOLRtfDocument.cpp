#include "output/ZOLRtfDocument.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "output/OutputLimits.h"
#include "output/ZOLRtfEscape.h"
#include "output/ZOLRtfTemplate.h"
#include "support/NUVAtomicFile.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVStatus.h"
#include "support/ZOLDisplayText.h"

namespace kelvane {
namespace {

// Collects lines and hands them to a sink in large pieces, so that a list of many thousand
// rows is never held in memory as a whole. After a failing sink every line is dropped.
class RtfLineWriter {
  public:
    using Sink = std::function<bool(std::string_view)>;
    explicit RtfLineWriter(Sink sink) : sink_(std::move(sink)) {}

    void Line(std::string_view text) {
        buffer_ += text;
        EndLine();
    }
    void EscapedLine(std::string_view bytes) {
        AppendRtfEscaped(buffer_, bytes);
        EndLine();
    }
    void Lines(std::initializer_list<const char*> lines) {
        for (const char* line : lines) {
            Line(line);
        }
    }
    bool Finish() {
        Flush();
        return !failed_;
    }
    bool Failed() const { return failed_; }

  private:
    static constexpr size_t kFlushSize = 1 << 16;

    void EndLine() {
        buffer_ += "\r\n";
        if (buffer_.size() >= kFlushSize) {
            Flush();
        }
    }
    void Flush() {
        if (!failed_ && !buffer_.empty() && !sink_(buffer_)) {
            failed_ = true;
        }
        buffer_.clear();
    }

    Sink sink_;
    std::string buffer_;
    bool failed_ = false;
};

struct RtfColumn {
    int index = 0;  // column index in the table view
    TableColumn desc;
};

StatusCode ReadTickedColumns(const ListTableView* table, const FieldTicks& ticked,
                             std::vector<RtfColumn>& columns) {
    if (StatusCode status = CheckRtfList(table); status != status::kOk) {
        return status;
    }
    for (int i = 0; i < table->ColumnCount(); ++i) {
        RtfColumn column;
        column.index = i;
        if (!table->Column(i, column.desc)) {
            NUV_WARNING("%s", Translate("Cannot get header data").c_str());
            return status::kRtfHeaderUnreadable;
        }
        if (IsFieldTicked(ticked, column.desc.fieldId)) {
            column.desc.header = std::string(CutDisplayText(column.desc.header, kMaxRtfCellText));
            columns.push_back(std::move(column));
        }
    }
    return status::kOk;
}

void WriteHeaderBlock(RtfLineWriter& out, PaperOrientation orientation) {
    for (const char* line : rtf::kHeaderLines) {
        out.Line(line);
    }
    out.Line(orientation == PaperOrientation::Portrait ? rtf::kPortraitPageLine
                                                       : rtf::kLandscapePageLine);
    for (const char* line : rtf::kNumberingLines) {
        out.Line(line);
    }
}

void WriteTitleBlock(RtfLineWriter& out, const RtfPageText& page) {
    out.EscapedLine(page.pageHeader);
    out.Lines({R"(\par })", R"({\f1\lang1033 )"});
    // The translation and the folder may be in different encodings: escape each on its own.
    std::string pathLine = RtfEscape(Translate("Path: "));
    AppendRtfEscaped(pathLine, page.startFolder);
    out.Line(pathLine);
    out.Line(R"(\par )");
    out.EscapedLine(page.filterText);
    out.Lines({R"(\par )", R"(\par })"});
}

// Row definition and cell definitions; the right edges run over the written columns.
void WriteRowDefinition(RtfLineWriter& out, const std::vector<RtfColumn>& columns, bool headerRow) {
    out.Line(rtf::kRowDefinition);
    int edge = 0;
    for (const RtfColumn& column : columns) {
        for (const char* line : rtf::kCellBordersBeforeBottom) {
            out.Line(line);
        }
        out.Line(headerRow ? R"(\clbrdrb\brdrs\brdrw40)" : R"(\clbrdrb\brdrs\brdrw15)");
        for (const char* line : rtf::kCellBordersAfterBottom) {
            out.Line(line);
        }
        edge += std::clamp(column.desc.width, 0, 100000) * 70 / 4;
        out.Line(R"(\cellx)" + std::to_string(edge));
    }
    out.Line(R"(\pard \widctlpar\intbl\adjustright )");
}

void WriteCell(RtfLineWriter& out, ColumnAlignment alignment, std::string_view text) {
    switch (alignment) {
        case ColumnAlignment::Right:
            out.Line(R"({\qr\f1\lang1033 )");
            break;
        case ColumnAlignment::Centre:
            out.Line(R"({\qc\f1\lang1033 )");
            break;
        case ColumnAlignment::Left:
            out.Line(R"({\ql\f1\lang1033 )");
            break;
    }
    out.EscapedLine(text);
    out.Lines({R"(\cell )", " }"});
}

StatusCode WriteTable(RtfLineWriter& out, const ListTableView& table,
                      const std::vector<RtfColumn>& columns) {
    WriteRowDefinition(out, columns, true);
    for (const RtfColumn& column : columns) {
        WriteCell(out, column.desc.alignment, column.desc.header);
    }
    out.Line(rtf::kRowEnd);
    std::string text;
    const long rows = table.RowCount();
    for (long row = 0; row < rows && !out.Failed(); ++row) {
        WriteRowDefinition(out, columns, false);
        for (const RtfColumn& column : columns) {
            if (!table.CellText(row, column.index, text)) {
                NUV_WARNING("%s", Translate("Cannot get column data").c_str());
                return status::kRtfCellUnreadable;
            }
            WriteCell(out, column.desc.alignment, CutDisplayText(text, kMaxRtfCellText));
        }
        out.Line(rtf::kRowEnd);
    }
    return status::kOk;
}

StatusCode WriteDocument(const ListTableView* table, const FieldTicks& ticked,
                         const RtfPageText& page, RtfLineWriter& out) {
    std::vector<RtfColumn> columns;
    if (StatusCode status = ReadTickedColumns(table, ticked, columns); status != status::kOk) {
        return status;
    }
    WriteHeaderBlock(out, page.orientation);
    WriteTitleBlock(out, page);
    if (StatusCode status = WriteTable(out, *table, columns); status != status::kOk) {
        return status;
    }
    for (const char* line : rtf::kClosingLines) {
        out.Line(line);
    }
    return status::kOk;
}

void ReportCannotWrite(const std::string& path) {
    NUV_WARNING(
        "%s %s",
        Translate("Error\nUnable to write file\nDevice write protected or full ?\nFile: ").c_str(),
        path.c_str());
}

}  // namespace

bool IsFieldTicked(const FieldTicks& ticks, int fieldId) {
    return fieldId >= 0 && fieldId < kFieldTickSlots && ticks.test(static_cast<size_t>(fieldId));
}

StatusCode CheckRtfList(const ListTableView* table) {
    if (table == nullptr) {
        NUV_WARNING(
            "%s", Translate("No ptr to listctrl - Cannot get data for output to rtf file").c_str());
        return status::kRtfNoList;
    }
    if (table->ColumnCount() < 0) {
        NUV_WARNING("%s", Translate("Cannot get ptr to listctrl header").c_str());
        return status::kRtfNoHeader;
    }
    if (table->ColumnCount() > kMaxOutputColumns) {
        // Refused cleanly: the column selection normally keeps the list within the bound.
        NUV_WARNING("%s", "PrintListCtrl:c_max_nr_of_view_columns less than real nr of columns");
        return status::kRtfTooManyColumns;
    }
    return status::kOk;
}

StatusCode BuildRtfDocument(const ListTableView* table, const FieldTicks& ticked,
                            const RtfPageText& page, std::string& document) {
    document.clear();
    RtfLineWriter out([&document](std::string_view piece) {
        document += piece;
        return true;
    });
    const StatusCode status = WriteDocument(table, ticked, page, out);
    out.Finish();
    return status;
}

StatusCode WriteRtfDocumentFile(const ListTableView* table, const FieldTicks& ticked,
                                const RtfPageText& page, const std::string& path) {
    if (StatusCode status = CheckRtfList(table); status != status::kOk) {
        return status;
    }
    // Written as a whole or not at all; a replaced document keeps its permissions.
    AtomicFileOptions options;
    options.addOwnerWrite = false;
    options.joinBatch = false;
    CNuvAtomicFile file;
    if (!file.Open(path, options)) {
        ReportCannotWrite(path);
        return status::kRtfCannotWrite;
    }
    RtfLineWriter out([&file](std::string_view piece) { return file.Write(piece); });
    if (StatusCode status = WriteDocument(table, ticked, page, out); status != status::kOk) {
        return status;
    }
    if (!out.Finish() || !file.Commit()) {
        ReportCannotWrite(path);
        return status::kRtfCannotWrite;
    }
    return status::kOk;
}

}  // namespace kelvane
