// The detail pane and the charts of the Statistics dialog: the pane is shown and hidden by the
// View menu's command and F9 and remembered, draws the file of the focused row and follows the
// row through the file list and the song list; the charts show the counts of the rows shown,
// the same as the statistics, and are saved as PNG and SVG.
#include <QChartView>
#include <QFile>
#include <QtTest>
#include <fstream>

#include "UiRecords.h"
#include "UiTestEnv.h"
#include "app/DetailPaneTarget.h"
#include "list/CollectionCharts.h"
#include "list/ZOLListViewMgr.h"
#include "picture/FilePicture.h"
#include "records/ZOLStyleData.h"
#include "support/StyleFileBuilder.h"
#include "ui/DetailPane.h"
#include "ui/DetailPaneArea.h"
#include "ui/MainFrm.h"
#include "ui/PictureCanvas.h"
#include "ui/StatisticsChartsDlg.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListModel.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

using test::SmfBuilder;
using test::TrackBuilder;

// A style at 480 ticks per quarter in 4/4: a one-bar initialisation part, then the sections
// of `bars` bars each with a note of `part` on every beat.
std::string StyleBytes(const std::vector<std::pair<const char*, int>>& sections, int part) {
    SmfBuilder smf(0, 480);
    TrackBuilder& track = smf.AddTrack();
    track.Tempo(0, 500000).TimeSignature(0, 4, 4).Marker(0, "SFF1").Marker(0, "SInt");
    uint32_t pending = 1920;
    for (const auto& [name, bars] : sections) {
        track.Marker(pending, name);
        pending = 0;
        for (int beat = 0; beat < bars * 4; ++beat) {
            track.Note(pending, 8 + part, 48 + beat % 12, 100, 240);
            pending = 240;
        }
    }
    track.EndOfTrack(pending);
    return test::StyleFileBuilder(smf).Bytes();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

CZOLListWidget& FileWidget(CMainFrame& frame) {
    return *frame.View()->Lists()->FileListWidget();
}

// Pixels of the picture's plot that are not white.
int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = kPictureLabelWidth + 1; x < image.width(); ++x) {
            inked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return inked;
}

std::vector<long> Counts(const std::vector<ChartBar>& bars) {
    std::vector<long> counts;
    for (const ChartBar& bar : bars) {
        counts.push_back(bar.count);
    }
    return counts;
}

}  // namespace

class DetailPaneTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { test::ClearUiRecords(); }
    void PaneFollowsTheFocusedRowThroughBothLists();
    void ChartsShowTheCountsOfTheStatistics();
};

void DetailPaneTest::PaneFollowsTheFocusedRowThroughBothLists() {
    test::UiEnv env;
    const std::string folder = env.Work();
    WriteFile(folder + "one.sty", StyleBytes({{"Main A", 2}, {"Ending A", 1}}, 2));
    WriteFile(folder + "two.sty", StyleBytes({{"Intro A", 1}, {"Main A", 4}, {"Main B", 4}}, 0));
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    StyleDataPacket* one = test::AddUiRecord({"one.sty", folder, 1, 100, "One", "Pop", 120});
    test::AddUiRecord({"two.sty", folder, 2, 100, "Two", "Rock", 96});
    test::AddUiRecord({"gone.sty", folder, 3, 100, "Gone", "Rock", 96});  // no such file
    test::AddUiSong(one, "Song of one");
    ListViewMgr().ForceRebuild(true, nullptr, false);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));

    // Hidden at first; F9 shows it, the View menu's item carries the check mark, the settings
    // keep it.
    DetailPaneArea& area = *frame->PaneArea();
    DetailPane& pane = *area.Pane();
    QVERIFY(!area.PaneShown());
    QVERIFY(frame->HandleFunctionKey(9));
    QVERIFY(area.PaneShown());
    QVERIFY(LoadDetailPaneSettings().shown);
    QVERIFY(frame->Action(ViewCommand::DetailPane)->isCheckable());

    // The focused row's file is drawn: its sections and parts as the core reads them.
    CZOLListWidget& files = FileWidget(*frame);
    files.setFocus();
    files.setCurrentIndex(files.Model()->index(0, 0));
    QTRY_COMPARE(pane.Shown().path, folder + "one.sty");
    const FilePicture* picture = pane.Canvas()->Picture();
    QVERIFY(picture != nullptr && picture->readable);
    QCOMPARE(picture->sections.size(), std::size_t{2});
    QCOMPARE(picture->lanes.size(), std::size_t{8});
    QCOMPARE(picture->lanes[2].noteOns, int64_t{12});
    QVERIFY(pane.FactsText().contains("Main A"));
    frame->grab();
    QCOMPARE(pane.Canvas()->DrawCount(), 1);
    QVERIFY(InkedPixels(pane.Canvas()->Image()) > 100);
    // A repaint copies the image; it is not drawn again.
    pane.Canvas()->repaint();
    QCOMPARE(pane.Canvas()->DrawCount(), 1);

    // Down moves the focus, the pane follows.
    QTest::keyClick(&files, Qt::Key_Down);
    QTRY_COMPARE(pane.Shown().path, folder + "two.sty");
    QCOMPARE(pane.Canvas()->Picture()->sections.size(), std::size_t{3});
    QCOMPARE(pane.Canvas()->Picture()->lanes[0].noteOns, int64_t{36});
    // A file that is gone says so in the picture's place.
    QTest::keyClick(&files, Qt::Key_Down);
    QTRY_COMPARE(pane.Shown().path, folder + "gone.sty");
    QVERIFY(!pane.Canvas()->Picture()->readable);
    QVERIFY(pane.Canvas()->Message().contains("cannot be read"));

    // A song stands for its style file.
    frame->View()->RunCommand(ViewCommand::ViewSongs);
    CZOLListWidget& songs = *frame->View()->Lists()->SongListWidget();
    songs.setCurrentIndex(songs.Model()->index(0, 0));
    QTRY_COMPARE(pane.Shown().path, folder + "one.sty");

    // Hidden again by the menu's command; a new window starts with it hidden.
    frame->View()->RunCommand(ViewCommand::DetailPane);
    QVERIFY(!area.PaneShown());
    QVERIFY(!LoadDetailPaneSettings().shown);
}

void DetailPaneTest::ChartsShowTheCountsOfTheStatistics() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    const struct {
        int32_t fileId;
        int32_t tempo;
        const char* signature;
        const char* genre;
        const char* date;
        const char* errors;
    } rows[] = {
        {1, 120, "4/4", "Pop", "2021-03-01 10:00", "-"},
        {1, 125, "4/4", "Pop", "2021-04-01 10:00", "-"},
        {2, 90, "3/4", "Waltz", "2019-01-01 10:00", "no SInt"},
        {3, 0, "", "", "", ""},
    };
    int number = 0;
    for (const auto& row : rows) {
        StyleDataPacket* record = test::AddUiRecord(
            {"s" + std::to_string(++number) + ".sty", "/m/", row.fileId, 100, "", "", row.tempo});
        AssignStyleField(*record, kFieldTimeSig, row.signature);
        AssignStyleField(*record, kFieldStyleType, row.genre);
        AssignStyleField(*record, kFieldErrors, row.errors);
        record->SetDateText(row.date);
    }
    ListViewMgr().ForceRebuild(true, nullptr, false);
    frame->View()->RunCommand(ViewCommand::Statistics);
    const std::string& box = env.dialogs.boxes.back();
    QVERIFY2(box.find("Total number of duplicate styles: 1") != std::string::npos, box.c_str());
    auto* dialog = frame->findChild<StatisticsChartsDlg*>();
    QVERIFY(dialog != nullptr && dialog->isVisible());

    const CollectionCharts charts = CountCharts(ListViewMgr().FileList());
    using D = StatisticsChartsDlg;
    QCOMPARE(dialog->ShownCounts(D::kTempo), Counts(charts.tempos));
    QCOMPARE(dialog->ShownLabels(D::kTempo), (QStringList{"90-99", "120-129", "(none)"}));
    QCOMPARE(dialog->ShownCounts(D::kTimeSignatures), Counts(charts.timeSignatures));
    QCOMPARE(dialog->ShownLabels(D::kGenres), (QStringList{"Pop", "Waltz", "(none)"}));
    QCOMPARE(dialog->ShownCounts(D::kGenres), (std::vector<long>{2, 1, 1}));
    QCOMPARE(dialog->ShownCounts(D::kYears), Counts(charts.years));
    // The shares: the duplicate is the statistics' one, the rest are the other rows.
    QCOMPARE(dialog->ShownCounts(D::kDuplicates), (std::vector<long>{1, 3}));
    QCOMPARE(dialog->ShownCounts(D::kProblems), (std::vector<long>{1, 3}));

    // Each chart is saved as PNG or SVG.
    const QString png = QString::fromStdString(env.Work() + "tempo.png");
    const QString svg = QString::fromStdString(env.Work() + "genres.svg");
    QVERIFY(dialog->SaveChart(D::kTempo, png));
    QVERIFY(!QImage(png).isNull());
    QVERIFY(dialog->SaveChart(D::kGenres, svg));
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.contains("<svg") && text.contains("Waltz"), text.left(3000).constData());
    QVERIFY(!dialog->SaveChart(D::kTempo, QString::fromStdString(env.Work() + "no/such.png")));
}

}  // namespace kelvane

QTEST_MAIN(kelvane::DetailPaneTest)
#include "DetailPane_test.moc"
