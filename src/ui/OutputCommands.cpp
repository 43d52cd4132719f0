#include "ui/OutputCommands.h"

#include <QDir>
#include <QFileDialog>
#include <unordered_set>

#include "fileops/ZOLFileOpPrompts.h"
#include "list/ZOLListTableView.h"
#include "list/ZOLListViewMgr.h"
#include "output/RtfListOutput.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLDataFileColumns.h"
#include "scan/ZOLExport.h"
#include "scan/ZOLFastAccess.h"
#include "scan/ZOLImport.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLDialogParts.h"
#include "ui/ZOLExportRtfDlg.h"
#include "ui/ZOLPrintListCtrl.h"
#include "ui/ZOLRtfOutputDlg.h"

namespace kelvane {
namespace {

constexpr const char* kTextFilter = "Text Files (*.txt);;All Files (*)";
constexpr const char* kRtfFilter = "RTF Files (*.rtf);;All Files (*)";

// A file dialog of the program: the same on every desktop.
std::string AskFile(QWidget* parent, const char* title, const char* filter, const char* suffix,
                    const std::string& start, bool save) {
    QFileDialog dialog(parent, Tr(title), PathToQt(start), QString::fromLatin1(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening takes any name, so that a mistyped one gets its own message.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(suffix));
    if (!start.empty()) {
        dialog.selectFile(PathToQt(start));
    }
    if (ExecWithNormalCursor(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        NUV_DEBUG("%s %d", "CommDlgExtendedError return", 0);
        return {};
    }
    return PathFromQt(dialog.selectedFiles().first());
}

// The records and songs of the rows the list shows.
struct ShownRows {
    std::unordered_set<const StyleDataPacket*> records;
    std::unordered_set<const SongDataPacket*> songs;

    ShownRows() {
        CZOLListViewMgr& list = ListViewMgr();
        for (long row = 0; row < list.RowCount(); ++row) {
            records.insert(list.StyleRecordOfRow(row));
            songs.insert(list.SongRecordOfRow(row));
        }
    }
    RecordPredicate Records() const {
        return [this](const StyleDataPacket& r) { return records.count(&r) != 0; };
    }
    SongPredicate Songs() const {
        return [this](const SongDataPacket& s) { return songs.count(&s) != 0; };
    }
};

bool SongRows() {
    return ListViewMgr().CurrentViewMode() == Songs;
}

std::string FieldLabel(int fieldId, CatalogueKind kind) {
    if (fieldId == kRowNumberFieldId) {
        return "Nr";
    }
    const char* header = FieldHeader(fieldId, kind);
    return header != nullptr ? Translate(header) : std::string();
}

// The export dialogs offer every field the data files hold (song rows of the CSV export: every
// song field); an export writes records, not only the columns on screen.
std::vector<FieldChoice> ExportChoices(bool songFields, const FieldSwitchSet& set) {
    std::vector<FieldChoice> choices;
    if (songFields) {
        for (int id = 0; id < kSongFieldCount; ++id) {
            if (FieldTypeOf(id, CatalogueKind::Song) != FT_NONE) {
                choices.push_back({id, FieldLabel(id, CatalogueKind::Song), true,
                                   set.song[static_cast<size_t>(id)] != 0});
            }
        }
        return choices;
    }
    const FieldSwitchSet& dataFile = DataFileSwitches();
    for (int id = 0; id < kStyleFieldCount; ++id) {
        if (dataFile.style[static_cast<size_t>(id)] != 0) {
            choices.push_back({id, FieldLabel(id, CatalogueKind::Current), true,
                               set.style[static_cast<size_t>(id)] != 0});
        }
    }
    return choices;
}

std::string ExportTitle(bool csv, bool songRows) {
    if (csv && songRows) {
        return Translate("Export Song Data to CSV File");
    }
    const bool style = IsStyleMode();
    if (csv) {
        return Translate(style ? "Export Style Data to CSV File" : "Export Midi Data to CSV File");
    }
    return Translate(style ? "Export Style Data" : "Export Midi Data");
}

// The RTF output's choices through the dialogs: the column choice, then (unless the file is
// given) the file dialog and the output dialog for the page header and orientation.
class DialogRtfChoices final : public RtfListChoices {
  public:
    DialogRtfChoices(QWidget& parent, std::string fileName)
        : parent_(parent), fileName_(std::move(fileName)) {}

    bool ChooseColumns(CZOLRtfListCtrl& writer, RtfListKind kind,
                       const ListTableView& table) override {
        const CatalogueKind catalogue =
            kind == RtfListKind::Songs ? CatalogueKind::Song : CatalogueKind::Current;
        std::vector<FieldChoice> choices;
        for (int id : writer.OfferedFields(kind)) {
            choices.push_back({id, FieldLabel(id, catalogue), writer.CanTick(kind, table, id),
                               writer.IsTicked(kind, id)});
        }
        CExportRTFDlg columns(&parent_,
                              Translate(IsStyleMode() ? "Export Style Data to RTF File"
                                                      : "Export Midi Data to RTF File"),
                              std::move(choices));
        if (columns.exec() != QDialog::Accepted) {
            return false;
        }
        for (const FieldChoice& choice : columns.Choices()) {
            writer.SetTicked(kind, table, choice.fieldId, choice.ticked);
        }
        return true;
    }

    bool ChooseTarget(CZOLRtfListCtrl& writer, std::string& file) override {
        file = fileName_;
        if (!file.empty()) {
            return true;
        }
        file =
            AskFile(&parent_, "Select Output File", kRtfFilter, "rtf", writer.LastFileName(), true);
        if (file.empty()) {
            return false;
        }
        CZOLRtfOutputDlg output(&parent_, writer.PageHeader(), writer.Orientation());
        if (output.exec() != QDialog::Accepted) {
            return false;
        }
        writer.SetPageHeader(output.PageHeader());
        writer.SetOrientation(output.Orientation());
        return true;
    }

    void ReportFinished(const std::string& text) override { SetStatusPaneText(0, text); }

  private:
    QWidget& parent_;
    std::string fileName_;
};

}  // namespace

OutputCommands::OutputCommands(QWidget& parent)
    : parent_(parent),
      rtf_(std::make_unique<CZOLRtfListCtrl>(!IsStyleMode())),
      print_(std::make_unique<CPrintListCtrl>()) {}

OutputCommands::~OutputCommands() = default;

std::string OutputCommands::DeveloperRtfFile() {
    return PathFromQt(QDir::homePath()) + "/kelvane-table.rtf";
}

bool OutputCommands::WriteListToRtf(const std::string& fileName) {
    DialogRtfChoices choices(parent_, fileName);
    const CZOLListTableView table(ListViewMgr());
    return WriteListRtf(*rtf_, table, ShownListText(ListViewMgr()), choices) == status::kOk;
}

bool OutputCommands::ChooseExportFile(std::string& file, bool& append) {
    for (;;) {
        file = AskFile(&parent_, "Select Output File", kTextFilter, "txt",
                       ScanState().lastExportFile, true);
        if (file.empty()) {
            return false;
        }
        if (FileExists(file) == 0) {
            append = false;
            return true;
        }
        const int answer = FileOpPrompts().OutputFileExists();
        if (answer == output_exists::kAppend || answer == output_exists::kReplace) {
            append = answer == output_exists::kAppend;
            return true;
        }
    }
}

void OutputCommands::OnExport(bool csv) {
    const bool songRows = SongRows();
    FieldSwitchTables& tables = FieldSwitches();
    FieldSwitchSet& set = csv ? tables.csv : tables.exportData;
    const bool songFields = csv && songRows;
    std::vector<FieldChoice> choices = ExportChoices(songFields, set);
    // The data export starts with no field chosen: the first dialog offers all of them.
    if (!csv && std::none_of(set.style.begin(), set.style.end(), [](auto on) { return on; })) {
        for (FieldChoice& choice : choices) {
            choice.ticked = true;
        }
    }
    CExportRTFDlg dialog(&parent_, ExportTitle(csv, songRows), std::move(choices));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    for (const FieldChoice& choice : dialog.Choices()) {
        auto& target = songFields ? set.song[static_cast<size_t>(choice.fieldId)]
                                  : set.style[static_cast<size_t>(choice.fieldId)];
        target = choice.ticked ? 1 : 0;
    }
    std::string file;
    bool append = false;
    if (!ChooseExportFile(file, append)) {
        return;
    }
    const ShownRows shown;
    const SongPredicate songShown = songRows ? shown.Songs() : SongPredicate();
    const RecordList& records = RecordStore().records;
    if (csv) {
        ExportCsvToFile(file, append, songRows, records, shown.Records(), songShown);
    } else {
        ExportDataToFile(file, append, records, shown.Records(), songShown);
    }
}

void OutputCommands::OnImport() {
    std::string file;
    for (;;) {
        file = AskFile(&parent_, "Open Import File", kTextFilter, "txt", ScanState().lastImportFile,
                       false);
        if (file.empty()) {
            return;
        }
        if (FileExists(file) != 0) {
            break;
        }
        ShowBox(StrFormat(TranslateFormat("File does not exist\n\n%s").c_str(), file.c_str()));
    }
    {
        const ShownRows shown;
        ImportStyleData(file, RecordStore().records, shown.Records());
    }
    NUV_INFO("%s", Translate("Import file finished.").c_str());
    SetStatusPaneText(1, " ");
    ListViewMgr().ForceRebuild(true, nullptr, true);
}

void OutputCommands::OnImportDefaultData() {
    {
        const ShownRows shown;
        ImportDefaultDataFiles(RecordStore().records, shown.Records());
    }
    ListViewMgr().ForceRebuild(true, nullptr, true);
}

void OutputCommands::OnCreateFastAccessData() {
    WaitCursor wait;
    WriteFastAccessDataFiles(RecordStore().records);
}

}  // namespace kelvane
