// The print settings in the settings store (section "Print"): read when the main view starts,
// written at each OK of the page setup.
#pragma once

#include "output/ZOLPrintSettings.h"
#include "support/NUVStatus.h"

namespace kelvane {

// The stored values; each missing one takes its default.
PrintSettings ReadPrintSettings();

// Writes every value. A failing write is logged as "Error - Cannot store setting - " with
// section and key and makes the result -10020; the other values are still written.
StatusCode StorePrintSettings(const PrintSettings& settings);

// Only the title last used (the print dialog's OK).
StatusCode StoreLastPrintTitle(const std::string& title);

}  // namespace kelvane
