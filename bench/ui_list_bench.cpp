// bench/run ui_list [N]: the list on screen over N generated records (default 100,000), shown
// in the file-list widget on Qt's offscreen platform. Each step runs what the user triggers up
// to the repainted window (the widget grabbed into a picture):
//   ui-sort     a header click (the header's clicked signal) to the repaint
//   ui-filter   the filter dialog's OK (confirm and the forced rebuild) to the repaint
//   ui-scroll   a jump of the scroll bar to another place in the list, to the repaint
//   ui-selall   Select All over every row, to the repaint
// The reference of each step is the repaint alone (the same grab without the step), so the
// ratio shows what the step adds to drawing the window.
#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/BenchTiming.h"
#include "list/ZOLColumnDefaults.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLRunMode.h"
#include "ui/ZOLListWidget.h"

namespace {

using namespace kelvane;

constexpr int kRuns = 9;

const char* const kWords[] = {"Bossa",   "Nova",   "8Beat",  "Pop",   "Rock",  "Ballad", "Samba",
                              "Swing",   "Jazz",   "Waltz",  "Disco", "Funk",  "Latin",  "Country",
                              "Polka",   "March",  "Soul",   "Blues", "Tango", "Rumba",  "16Beat",
                              "Shuffle", "Groove", "Dance",  "Live",  "Cool",  "Big",    "Band",
                              "Slow",    "Fast",   "Gospel", "Reggae"};

// Records as a scan would leave them: about one in ten is a copy of an earlier file.
void MakeRecords(int count) {
    std::mt19937 random(20240501);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    std::vector<StyleDataPacket*> made;
    for (int i = 0; i < count; ++i) {
        StyleDataPacket* record = NewStyleRecord();
        const StyleDataPacket* original =
            (!made.empty() && pick(10) == 0) ? made[pick(made.size())] : nullptr;
        std::string name;
        std::string file;
        for (int w = 0, words = 2 + static_cast<int>(pick(2)); w < words; ++w) {
            const char* word = kWords[pick(std::size(kWords))];
            name += (w ? " " : "") + std::string(word);
            file += (w ? "_" : "") + std::string(word);
        }
        file += "_" + std::to_string(i) + ".sty";
        AssignStyleField(*record, kFieldFilename, file);
        AssignStyleField(*record, kFieldPath,
                         "/home/user/styles/" + std::string(kWords[pick(8)]) + "/" +
                             std::string(kWords[pick(32)]) + "/");
        AssignStyleField(*record, kFieldStyleName, name);
        AssignStyleField(*record, kFieldStyleType, kWords[pick(std::size(kWords))]);
        AssignStyleField(*record, kFieldStyleSubtype, kWords[pick(std::size(kWords))]);
        AssignStyleField(*record, kFieldTimeSig, pick(4) == 0 ? "3/4" : "4/4");
        const int32_t id =
            original != nullptr ? original->Number(kFieldFileId) : static_cast<int32_t>(random());
        const int32_t size = original != nullptr ? original->Number(kFieldFilesize)
                                                 : 2000 + static_cast<int32_t>(pick(90000));
        record->SetNumber(kFieldFileId, id);
        record->SetNumber(kFieldDuplicates, id);
        record->SetNumber(kFieldFilesize, size);
        record->SetNumber(kFieldTempo, 60 + static_cast<int32_t>(pick(140)));
        RecordStore().records.Append(record);
        made.push_back(record);
    }
}

double Seconds(const std::function<void()>& work) {
    return bench::TimeSeconds(work);
}

// Events handled and the window drawn, as the user sees it.
void Repaint(CZOLListWidget& widget) {
    QApplication::processEvents();
    const QPixmap picture = widget.window()->grab();
    if (picture.isNull()) {
        std::fprintf(stderr, "ui_list: the window could not be drawn\n");
        std::exit(1);
    }
}

void Measure(const char* name, CZOLListWidget& widget, const std::function<void(int)>& step) {
    std::vector<double> ours;
    std::vector<double> reference;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(Seconds([&] {
            step(run);
            Repaint(widget);
        }));
        reference.push_back(Seconds([&] { Repaint(widget); }));
    }
    bench::PrintResult(name, bench::Median(ours), bench::Median(reference));
}

void Confirm(const std::string& styleName) {
    FilterInputs inputs;
    inputs.fields[kFieldStyleName] = styleName;
    if (StyleFilterDialog().Confirm(inputs, kShowAll, nullptr) != 0) {
        std::fprintf(stderr, "ui_list: filter not accepted\n");
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    SetRunMode(kRunModeStyle);
    InitRecordStore();
    MakeRecords(count);

    CZOLListViewMgr& manager = ListViewMgr();
    CZOLListWidget widget(manager.FileList(), nullptr);
    manager.RegisterList(ListKind::Files, &widget);
    manager.SetViewMode(Files);
    for (const int field : BuiltInColumns(ListKind::Files)) {
        manager.AppendDefinition(0, field, -1);
    }
    manager.BuildColumns(false);
    widget.resize(1000, 700);
    widget.show();
    Seconds([&] { manager.ForceRebuild(true, nullptr, false); });
    Repaint(widget);
    std::printf("ui_list: %ld rows in the file list\n", manager.RowCount());

    QHeaderView* header = widget.horizontalHeader();
    const int nameColumn = 0;
    const int tempoColumn = manager.FileList().ColumnOfField(kFieldTempo);
    Measure("ui-sort", widget, [&](int run) {
        Q_EMIT header->sectionClicked(run % 2 == 0 ? nameColumn : tempoColumn);
    });
    const char* const filters[] = {"beat OR rock", "NOT slow", "*a*", "pop AND NOT live"};
    Measure("ui-filter", widget, [&](int run) {
        Confirm(filters[run % std::size(filters)]);
        manager.ForceRebuild(true, nullptr, true);
    });
    std::printf("ui_list: %ld rows after the last filter\n", manager.RowCount());
    StyleFilterDialog().Clear();
    manager.ForceRebuild(true, nullptr, true);
    Measure("ui-scroll", widget, [&](int run) {
        QScrollBar* bar = widget.verticalScrollBar();
        bar->setValue(
            static_cast<int>((static_cast<long>(bar->maximum()) * (run * 37 % 100)) / 100));
    });
    Measure("ui-selall", widget, [&](int run) {
        if (run % 2 == 0) {
            manager.SelectAll();
        } else {
            manager.FileList().ClearSelection();
        }
    });
    manager.RegisterList(ListKind::Files, nullptr);
    FreeRecordStore();
    return 0;
}
