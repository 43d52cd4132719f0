// A print job of the list without the printer: the texts of its page header (title, start
// folder, filter, date), the texts of each page's header lines and the pages to print. With
// ComputePrintLayout (the page plan over the rows) this is every step of printing that is not
// drawing; the desktop's renderer draws what these say.
#pragma once

#include <ctime>
#include <string>

#include "output/ListOutputText.h"
#include "output/ZOLPrintLayout.h"
#include "output/ZOLPrintSettings.h"

namespace kelvane {

// What a print job prints besides the rows.
struct PrintJobText {
    std::string title;
    std::string startFolder;
    std::string filterText;
    bool preview = false;
    std::tm time{};  // the date printed in the header
};

// The job text for the list `list` describes, dated now (local time).
PrintJobText ListPrintJobText(const ListOutputText& list, const std::string& title, bool preview);

// The header lines of one page, as PrintLayout places them.
struct PrintHeaderTexts {
    std::string pageLine;  // date and page number, right-aligned
    std::string titleLine;
    std::string pathLine;
    std::string filterLine;
};
PrintHeaderTexts PrintHeaderLines(const PrintSettings& settings, const PrintJobText& text,
                                  long page);

// The pages to print, counted from 1: every page of the plan, or the range the user chose
// (`fromPage` > 0) within it.
struct PrintPageRange {
    long first = 1;
    long last = 0;
};
PrintPageRange PagesToPrint(const PrintLayout& layout, bool rangeChosen, int fromPage, int toPage);

}  // namespace kelvane
