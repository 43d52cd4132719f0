#include "output/PrintListJob.h"

#include <algorithm>

namespace kelvane {

PrintJobText ListPrintJobText(const ListOutputText& list, const std::string& title, bool preview) {
    PrintJobText text;
    text.title = title;
    text.startFolder = list.startFolder;
    text.filterText = list.filterText;
    text.preview = preview;
    const std::time_t now = std::time(nullptr);
    localtime_r(&now, &text.time);
    return text;
}

PrintHeaderTexts PrintHeaderLines(const PrintSettings& settings, const PrintJobText& text,
                                  long page) {
    return {PrintPageLineText(settings, PrintDateText(text.time), page),
            PrintTitleText(text.title, text.preview), PrintPathText(text.startFolder),
            text.filterText};
}

PrintPageRange PagesToPrint(const PrintLayout& layout, bool rangeChosen, int fromPage, int toPage) {
    PrintPageRange range{1, layout.pageCount};
    if (rangeChosen && fromPage > 0) {
        range.first = std::max(1L, static_cast<long>(fromPage));
        range.last = std::min(range.last, static_cast<long>(std::max(toPage, 1)));
    }
    return range;
}

}  // namespace kelvane
