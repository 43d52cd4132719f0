// The outputs and data transfers: printing, the RTF writer, the data and CSV exports, the
// imports and the fast access data. The work is the core's; this group asks for the columns,
// files and titles. It keeps the RTF writer and the printing object for the whole run.
#pragma once

#include <memory>
#include <string>

#include "platform/NonCopyable.h"
#include "ui/CommandGroup.h"

class QWidget;

namespace kelvane {

class CPrintListCtrl;
class CZOLRtfListCtrl;

class OutputCommands final : public CommandGroup, NonCopyable {
  public:
    // `parent` parents the dialogs.
    explicit OutputCommands(QWidget& parent);
    ~OutputCommands() override;

    bool Run(ViewCommand command, const CommandRow* row) override;

    CZOLRtfListCtrl& RtfWriter() { return *rtf_; }
    CPrintListCtrl& Printing() { return *print_; }

    // Writes the list to RTF: with a file name no file dialog and no output dialog open (the
    // developer command). False when nothing was written.
    bool WriteListToRtf(const std::string& fileName = {});
    // The file the developer command "Write table to rtf file" writes: in the home folder.
    static std::string DeveloperRtfFile();

  private:
    void OnExport(bool csv);
    void OnImport();
    void OnImportDefaultData();
    void OnCreateFastAccessData();
    // The output file of an export: the file dialog, then the output-file-exists prompt
    // (Append / Replace; Cancel chooses again). False when cancelled.
    bool ChooseExportFile(std::string& file, bool& append);

    QWidget& parent_;
    std::unique_ptr<CZOLRtfListCtrl> rtf_;
    std::unique_ptr<CPrintListCtrl> print_;
};

}  // namespace kelvane
