// The charts of the Statistics dialog, over the rows of the file list: the tempo histogram,
// the time signatures, the genres (the fifteen most frequent; song titles in midi mode), the
// file dates by year, and the shares of duplicate files and of files with problems. The counts
// come from list/CollectionCharts.h, the same that `kelvane-cli list --stats` prints; Qt Charts
// draws them. One tab per chart; "Save Chart..." writes the chart shown as PNG or SVG.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QChartView;
class QTabWidget;

namespace kelvane {

struct CollectionCharts;

class StatisticsChartsDlg final : public QDialog {
    Q_OBJECT

  public:
    enum Chart { kTempo, kTimeSignatures, kGenres, kYears, kDuplicates, kProblems, kChartCount };

    explicit StatisticsChartsDlg(QWidget* parent);

    // Replaces the charts (the tab shown stays).
    void SetCharts(const CollectionCharts& charts, bool midiMode);

    QTabWidget* Tabs() const { return tabs_; }
    QChartView* ChartView(int chart) const;
    // What a chart shows, read back from its series: the bars' labels and values, or for a
    // share the part and the rest.
    QStringList ShownLabels(int chart) const;
    std::vector<long> ShownCounts(int chart) const;

    // Writes the chart as SVG when `path` ends in ".svg", else as PNG; false when it cannot be
    // written.
    bool SaveChart(int chart, const QString& path);

  private:
    void OnSave();

    QTabWidget* tabs_ = nullptr;
    std::vector<QChartView*> views_;
};

}  // namespace kelvane
