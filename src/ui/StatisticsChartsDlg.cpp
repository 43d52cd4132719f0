#include "ui/StatisticsChartsDlg.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHorizontalBarSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPushButton>
#include <QResizeEvent>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "list/CollectionCharts.h"
#include "support/NUVFormat.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "ui/NuvQtText.h"

namespace kelvane {
namespace {

constexpr QSize kExportSize(800, 500);
constexpr int kUprightLabels = 8;  // more bars than this turn their labels

QString BarLabel(const ChartBar& bar) {
    const bool special = bar.label == "(none)" || bar.label == "(other)";
    return special ? Tr(bar.label) : ToQt(bar.label);
}

QChart* BarChart(const QString& title, const std::vector<ChartBar>& bars, bool horizontal) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* set = new QBarSet(title);
    QStringList labels;
    long most = 0;
    // A horizontal chart lists the first bar at the top.
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const ChartBar& bar = horizontal ? bars[bars.size() - 1 - i] : bars[i];
        labels << BarLabel(bar);
        *set << static_cast<qreal>(bar.count);
        most = std::max(most, bar.count);
    }
    QAbstractBarSeries* series = horizontal
                                     ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                     : static_cast<QAbstractBarSeries*>(new QBarSeries);
    series->append(set);
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setTruncateLabels(false);
    if (!horizontal && labels.size() > kUprightLabels) {
        categories->setLabelsAngle(-60);
    }
    auto* values = new QValueAxis;
    values->setLabelFormat(QStringLiteral("%d"));
    values->setRange(0, std::max<long>(1, most + most / 8 + 1));
    values->applyNiceNumbers();
    chart->addAxis(categories, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    chart->addAxis(values, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(categories);
    series->attachAxis(values);
    return chart;
}

QChart* ShareChart(const QString& title, const QString& partName, long part, long rows) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* series = new QPieSeries;
    const long rest = std::max(0L, rows - part);
    const auto percent = [rows](long count) { return rows > 0 ? count * 100 / rows : 0; };
    QPieSlice* partSlice =
        series->append(QStringLiteral("%1: %2 (%3 %)").arg(partName).arg(part).arg(percent(part)),
                       static_cast<qreal>(part));
    series->append(
        QStringLiteral("%1: %2 (%3 %)").arg(Tr("Other files")).arg(rest).arg(percent(rest)),
        static_cast<qreal>(rest));
    partSlice->setExploded(part > 0);
    partSlice->setColor(QColor(0xc0392b));
    series->slices().at(1)->setColor(QColor(0xa9cce3));
    chart->addSeries(series);
    return chart;
}

}  // namespace

StatisticsChartsDlg::StatisticsChartsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Statistics"));
    tabs_ = new QTabWidget(this);
    for (int chart = 0; chart < kChartCount; ++chart) {
        auto* view = new QChartView(this);
        view->setRenderHint(QPainter::Antialiasing);
        views_.push_back(view);
        tabs_->addTab(view, QString());
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Tr("@button_close@&Close"));
    QPushButton* save = buttons->addButton(Tr("Save Chart..."), QDialogButtonBox::ActionRole);
    connect(save, &QPushButton::clicked, this, &StatisticsChartsDlg::OnSave);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons);
    resize(760, 520);
}

void StatisticsChartsDlg::SetCharts(const CollectionCharts& charts, bool midiMode) {
    const QString genres = Tr(midiMode ? "Song titles" : "Genres");
    const QString titles[kChartCount] = {
        Tr("Tempo (BPM)"),        Tr("Time signatures"), genres,
        Tr("File dates by year"), Tr("Duplicate files"), Tr("Files with problems")};
    QChart* made[kChartCount] = {
        BarChart(titles[kTempo], charts.tempos, false),
        BarChart(titles[kTimeSignatures], charts.timeSignatures, false),
        BarChart(titles[kGenres], charts.genres, true),
        BarChart(titles[kYears], charts.years, false),
        ShareChart(titles[kDuplicates], titles[kDuplicates], charts.duplicates, charts.rows),
        ShareChart(titles[kProblems], titles[kProblems], charts.problems, charts.rows)};
    for (int chart = 0; chart < kChartCount; ++chart) {
        QChart* old = views_[static_cast<std::size_t>(chart)]->chart();
        views_[static_cast<std::size_t>(chart)]->setChart(made[chart]);
        delete old;
        tabs_->setTabText(chart, titles[chart]);
    }
}

QChartView* StatisticsChartsDlg::ChartView(int chart) const {
    return chart >= 0 && chart < kChartCount ? views_[static_cast<std::size_t>(chart)] : nullptr;
}

QStringList StatisticsChartsDlg::ShownLabels(int chart) const {
    QStringList labels;
    QChartView* view = ChartView(chart);
    if (view == nullptr) {
        return labels;
    }
    for (QAbstractAxis* axis : view->chart()->axes()) {
        if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) {
            labels = categories->categories();
        }
    }
    for (QAbstractSeries* series : view->chart()->series()) {
        if (auto* pie = qobject_cast<QPieSeries*>(series)) {
            for (QPieSlice* slice : pie->slices()) {
                labels << slice->label();
            }
        }
        if (qobject_cast<QHorizontalBarSeries*>(series) != nullptr) {
            std::reverse(labels.begin(), labels.end());
        }
    }
    return labels;
}

std::vector<long> StatisticsChartsDlg::ShownCounts(int chart) const {
    std::vector<long> counts;
    QChartView* view = ChartView(chart);
    if (view == nullptr) {
        return counts;
    }
    for (QAbstractSeries* series : view->chart()->series()) {
        if (auto* pie = qobject_cast<QPieSeries*>(series)) {
            for (QPieSlice* slice : pie->slices()) {
                counts.push_back(static_cast<long>(slice->value()));
            }
        } else if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) {
            const QBarSet* set = bars->barSets().value(0);
            for (int i = 0; set != nullptr && i < set->count(); ++i) {
                counts.push_back(static_cast<long>(set->at(i)));
            }
            if (qobject_cast<QHorizontalBarSeries*>(series) != nullptr) {
                std::reverse(counts.begin(), counts.end());
            }
        }
    }
    return counts;
}

bool StatisticsChartsDlg::SaveChart(int chart, const QString& path) {
    QChartView* view = ChartView(chart);
    if (view == nullptr) {
        return false;
    }
    // The chart saved is the chart shown: a chart on a tab never shown has not been laid out.
    tabs_->setCurrentIndex(chart);
    if (!view->isVisible()) {
        view->resize(kExportSize);
        QResizeEvent resized(view->size(), QSize());
        QCoreApplication::sendEvent(view, &resized);
    }
    QCoreApplication::sendPostedEvents();
    const QRect area(QPoint(0, 0), view->size());
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(area.size());
        svg.setViewBox(area);
        svg.setTitle(tabs_->tabText(chart));
        QPainter painter;
        if (!painter.begin(&svg)) {
            return false;
        }
        view->render(&painter, QRectF(area), area);
        return painter.end() && QFileInfo(path).size() > 0;
    }
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    view->render(&painter, QRectF(area), area);
    painter.end();
    return image.save(path, "PNG");
}

void StatisticsChartsDlg::OnSave() {
    const int chart = tabs_->currentIndex();
    QFileDialog dialog(this, Tr("Save Chart"), QString(),
                       Tr("PNG image (*.png)") + QStringLiteral(";;") + Tr("SVG image (*.svg)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QStringLiteral("*.svg")) ? QStringLiteral("svg")
                                                                         : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().first();
    if (!SaveChart(chart, path)) {
        ShowBox(StrFormat(TranslateFormat("The file %s could not be written.").c_str(),
                          PathFromQt(path).c_str()));
    }
}

}  // namespace kelvane
