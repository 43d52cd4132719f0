#include "app/ZOLWorkJob.h"

#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"

namespace kelvane {
namespace {

std::string OrDefault(const std::string& given, const char* english) {
    return given.empty() ? Translate(english) : given;
}

}  // namespace

WorkJobTexts ResolvedTexts(const WorkJobTexts& texts) {
    WorkJobTexts resolved;
    resolved.working = OrDefault(texts.working, "Working...");
    resolved.finished = OrDefault(texts.finished, "Finished");
    resolved.error = OrDefault(texts.error, "Finished with error");
    resolved.aborting = OrDefault(texts.aborting, "Aborting...");
    resolved.aborted = OrDefault(texts.aborted, "Aborted");
    resolved.title = OrDefault(texts.title, "Working");
    return resolved;
}

const std::string& FinalStatusText(const WorkJobTexts& resolved, StatusCode status) {
    if (status == status::kAbortedByUser) {
        return resolved.aborted;
    }
    return status == status::kOk ? resolved.finished : resolved.error;
}

StatusCode RunWorkJobBody(const WorkJobFunction& job, const WorkJobTexts& resolved,
                          const std::atomic<int>& abortFlag) {
    SetStatusPaneText(0, resolved.working);
    const StatusCode status = job ? job(abortFlag) : status::kNotImplemented;
    SetStatusPaneText(0, FinalStatusText(resolved, status));
    return status;
}

}  // namespace kelvane
