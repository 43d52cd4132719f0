// The scan dialog: "Reading Style Data" / "Reading Midi Data" with the information text of the
// run mode and the Abort button; the scan runs on the worker thread behind it.
#pragma once

#include <string>

#include "app/ZOLWorkJob.h"

class QWidget;

namespace kelvane {

std::string ScanDialogTitle();
std::string ScanDialogInformation();

// Shows the dialog modally while `scan` runs on the worker; the scan's status.
StatusCode RunScanDialog(QWidget* parent, WorkJobFunction scan);

}  // namespace kelvane
