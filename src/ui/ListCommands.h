// The commands on what the list shows: the filters, the columns, the row-number column, the
// visibility modes of the Duplicates menu, the statistics and the switch between the file list
// and the song list. The work is the list core's; this group opens the dialogs and passes the
// answers. It also gives the menus their check marks. The statistics open the charts of the
// rows shown beside their box.
#pragma once

#include <QPointer>

#include "ui/CommandGroup.h"

class QWidget;

namespace kelvane {

class CMainFrame;
class CZOLListArea;
class StatisticsChartsDlg;
struct ViewCheckState;

class ListCommands final : public CommandGroup {
  public:
    // Shows the file list with the stored columns and hands the frame its check marks.
    // `parent` parents the dialogs.
    ListCommands(QWidget& parent, CMainFrame& frame, CZOLListArea& lists);

    bool Run(ViewCommand command, const CommandRow* row) override;

    // Shows the song list or the file list and switches the menus and the form with it.
    void ShowSongView(bool songView);

    // The check marks of the list's menu items (and of the developer's fast-access switch).
    static ViewCheckState CheckMarks();

  private:
    void OnFilter();
    void OnColumns();
    void OnStatistics();

    QWidget& parent_;
    CMainFrame& frame_;
    CZOLListArea& lists_;
    bool pathForDuplicates_ = false;        // the Filepath column was added for a duplicates view
    QPointer<StatisticsChartsDlg> charts_;  // the charts of the last statistics
};

}  // namespace kelvane
