#include "app/ZOLWorkJob.h"

#include "support/NUVUserInterface.h"

namespace kelvane {

WorkJobTexts ResolvedTexts(const WorkJobTexts& texts) {
    return CompleteWorkJobTexts(texts);
}

StatusCode RunWorkJobBody(const WorkJobFunction& job, const WorkJobTexts& resolved,
                          const std::atomic<int>& abortFlag) {
    SetStatusPaneText(0, resolved.working);
    const StatusCode status = job ? job(abortFlag) : status::kNotImplemented;
    SetStatusPaneText(0, FinalStatusText(resolved, status));
    return status;
}

}  // namespace kelvane
