#include "ui/ZOLProgressHost.h"

#include "ui/ZOLAppUi.h"
#include "ui/ZOLProgressDlg.h"

namespace kelvane {

void CQtProgressHost::RunModal(CWorkSession& session) {
    const WorkJobTexts& texts = session.Texts();
    CZOLProgressDlg dialog(BoxParent(), texts.title, session.Information(), texts.working,
                           texts.aborting);
    dialog.SetAbortFunction([&session] { session.RequestAbort(); });
    // The worker asks from its own thread; a close asked for before the window opened is
    // delivered as soon as the window's loop runs.
    session.OnCloseRequested([&dialog] { dialog.PostWorkerEnded(); });
    dialog.exec();
    session.OnCloseRequested(nullptr);
}

}  // namespace kelvane
