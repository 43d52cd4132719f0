// The main window kept from one run to the next, per run mode: its size and place, the list
// layout (StoreLastLayout) and the Incl. Subfolders box are stored when it closes; the first
// window of a mode opens at about 80 % of the screen, centred.
#pragma once

class QMainWindow;

namespace kelvane {

class CZOLListViewMgr;

// Before the window is shown: the stored place, else the first start's size and place.
void PlaceMainWindow(QMainWindow& window);

// When the window closes.
void RememberMainWindow(const QMainWindow& window, CZOLListViewMgr& lists, bool includeSubfolders);

}  // namespace kelvane
