#include "list/CollectionCharts.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "list/MyListCtrl.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

constexpr const char* kNone = "(none)";
constexpr const char* kOther = "(other)";

// Counts by label; the "(none)" bar goes last.
class Tally {
  public:
    void Add(std::string_view label) {
        if (label.empty()) {
            ++none_;
        } else {
            ++counts_[std::string(label)];
        }
    }
    // In label order.
    std::vector<ChartBar> InOrder() const {
        std::vector<ChartBar> bars;
        for (const auto& [label, count] : counts_) {
            bars.push_back(ChartBar{label, count});
        }
        return WithNone(std::move(bars));
    }
    // Most frequent first (ties in label order); at most `limit` bars, the rest in "(other)".
    std::vector<ChartBar> ByCount(std::size_t limit) const {
        std::vector<ChartBar> bars;
        for (const auto& [label, count] : counts_) {
            bars.push_back(ChartBar{label, count});
        }
        std::stable_sort(bars.begin(), bars.end(),
                         [](const ChartBar& a, const ChartBar& b) { return a.count > b.count; });
        if (bars.size() > limit) {
            long rest = 0;
            for (std::size_t i = limit; i < bars.size(); ++i) {
                rest += bars[i].count;
            }
            bars.resize(limit);
            bars.push_back(ChartBar{kOther, rest});
        }
        return WithNone(std::move(bars));
    }

  private:
    std::vector<ChartBar> WithNone(std::vector<ChartBar> bars) const {
        if (none_ > 0) {
            bars.push_back(ChartBar{kNone, none_});
        }
        return bars;
    }
    std::map<std::string, long> counts_;
    long none_ = 0;
};

std::vector<ChartBar> TempoBars(const std::vector<const StyleDataPacket*>& rows) {
    std::map<int, long> bins;
    long none = 0;
    for (const StyleDataPacket* record : rows) {
        const int32_t tempo = record->Number(kFieldTempo);
        if (tempo <= 0) {
            ++none;
        } else {
            ++bins[tempo / kTempoBinWidth];
        }
    }
    std::vector<ChartBar> bars;
    for (const auto& [bin, count] : bins) {
        const int low = bin * kTempoBinWidth;
        bars.push_back(ChartBar{StrFormat("%d-%d", low, low + kTempoBinWidth - 1), count});
    }
    if (none > 0) {
        bars.push_back(ChartBar{kNone, none});
    }
    return bars;
}

// The year of a "YYYY-MM-DD hh:mm" date text, empty when it has none.
std::string_view YearOf(std::string_view date) {
    if (date.size() < 4 ||
        !std::all_of(date.begin(), date.begin() + 4, [](char c) { return c >= '0' && c <= '9'; })) {
        return {};
    }
    return date.substr(0, 4);
}

long CountDuplicates(std::vector<const StyleDataPacket*> rows) {
    const auto key = [](const StyleDataPacket* r) {
        return std::pair{r->Number(kFieldFileId), r->Number(kFieldFilesize)};
    };
    std::sort(rows.begin(), rows.end(),
              [&](const StyleDataPacket* a, const StyleDataPacket* b) { return key(a) < key(b); });
    long duplicates = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        duplicates += key(rows[i - 1]) == key(rows[i]) ? 1 : 0;
    }
    return duplicates;
}

void AppendBars(std::string& text, const char* heading, const std::vector<ChartBar>& bars) {
    text += Translate(heading);
    text += "\n";
    for (const ChartBar& bar : bars) {
        const bool special = bar.label == kNone || bar.label == kOther;
        text += "  ";
        text += special ? Translate(bar.label.c_str()) : bar.label;
        text += StrFormat("\t%ld\n", bar.count);
    }
}

void AppendShare(std::string& text, const char* heading, long part, long rows) {
    const long percent = rows > 0 ? part * 100 / rows : 0;
    text += Translate(heading);
    text += StrFormat(" %ld / %ld (%ld %%)\n", part, rows, percent);
}

}  // namespace

CollectionCharts CountCharts(const std::vector<const StyleDataPacket*>& rows) {
    CollectionCharts charts;
    charts.rows = static_cast<long>(rows.size());
    charts.tempos = TempoBars(rows);
    Tally signatures;
    Tally genres;
    Tally years;
    for (const StyleDataPacket* record : rows) {
        signatures.Add(record->Text(kFieldTimeSig));
        genres.Add(record->Text(kFieldStyleType));
        years.Add(YearOf(record->Text(kFieldFiledate)));
        const std::string_view errors = record->Text(kFieldErrors);
        if (!errors.empty() && errors != "-") {
            ++charts.problems;
        }
    }
    charts.timeSignatures = signatures.ByCount(rows.size());
    charts.genres = genres.ByCount(kChartGenres);
    charts.years = years.InOrder();
    charts.duplicates = CountDuplicates(rows);
    return charts;
}

CollectionCharts CountCharts(const CMyListCtrl& list) {
    std::vector<const StyleDataPacket*> rows;
    rows.reserve(static_cast<std::size_t>(list.RowCount()));
    for (long row = 0; row < list.RowCount(); ++row) {
        if (const StyleDataPacket* record = list.StyleRecordOfRow(row)) {
            rows.push_back(record);
        }
    }
    return CountCharts(rows);
}

std::string ChartCountsText(const CollectionCharts& charts, bool midiMode) {
    std::string text;
    AppendBars(text, "Tempo (BPM):", charts.tempos);
    AppendBars(text, "Time signatures:", charts.timeSignatures);
    AppendBars(text, midiMode ? "Song titles:" : "Genres:", charts.genres);
    AppendBars(text, "File dates by year:", charts.years);
    AppendShare(text, "Duplicate files:", charts.duplicates, charts.rows);
    AppendShare(text, "Files with problems:", charts.problems, charts.rows);
    return text;
}

}  // namespace kelvane
