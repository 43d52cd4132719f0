// The list on screen as text for the command-line tool: an aligned table or CSV, with the
// column headers first.
//
// Table: one line per row; each column as wide as its widest text (characters counted as
// UTF-8 code points), right-aligned columns padded on the left, others on the right, two
// blanks between columns, trailing blanks removed. After the rows a blank line and the status
// line.
//
// CSV: the header line, then one line per row, fields joined by the separator (',' unless
// another is chosen); a field is put in double quotes when it contains the separator, a double
// quote, a line break, or starts or ends with a blank; a double quote inside is doubled. Lines
// end with "\n". The status line is not part of the CSV: PrintList writes it to the status
// stream.
//
// A DUPLICATES or RELATED_ID cell that shows a group marker on screen reads "-" (not in a
// group), "/" (group start), "|" (middle) or "\" (group end).
#pragma once

#include <cstdio>
#include <string>

namespace kelvane {

class CZOLListViewMgr;

enum class ListPrintFormat { Table, Csv };

std::string RenderListTable(const CZOLListViewMgr& manager);
std::string RenderListCsv(const CZOLListViewMgr& manager, char separator = ',');

// Table: rows and status line to `out`. CSV: rows to `out`, the status line to `statusOut`.
void PrintList(const CZOLListViewMgr& manager, ListPrintFormat format, char separator,
               std::FILE* out, std::FILE* statusOut);

}  // namespace kelvane
