// The main frame's central area: the form view above, the detail pane below it, in a splitter.
// Below rather than beside: the picture's time axis wants the window's whole width, and the
// list keeps its columns. Whether the pane is shown and its height are remembered in the
// settings (DetailPaneTarget.h): the height when the user drags the splitter, the choice when
// the pane is shown or hidden.
#pragma once

#include <QSplitter>

class QTimer;

namespace kelvane {

class CZOLView;
class DetailPane;

class DetailPaneArea final : public QSplitter {
    Q_OBJECT

  public:
    DetailPaneArea(CZOLView& view, QWidget* parent);

    DetailPane* Pane() const { return pane_; }
    bool PaneShown() const;
    void SetPaneShown(bool shown);

  private:
    void Store();

    DetailPane* pane_ = nullptr;
    QTimer* storeTimer_ = nullptr;
};

}  // namespace kelvane
