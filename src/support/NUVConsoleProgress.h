// The command-line tool's progress window: the job's title on standard error while the worker
// runs, Ctrl-C as the Abort button. The first Ctrl-C sets the job's abort flag and prints the
// aborting text; the job then ends at its next poll. The previous SIGINT disposition is put
// back when the job has ended.
#pragma once

#include <cstdio>

#include "support/NUVWorkThread.h"

namespace kelvane {

class CConsoleProgressHost final : public IProgressHost {
  public:
    explicit CConsoleProgressHost(std::FILE* out = stderr) : out_(out) {}
    void RunModal(CWorkSession& session) override;

  private:
    std::FILE* out_;
};

// Test seam: acts as if Ctrl-C had been pressed while a console host waits.
void SimulateConsoleInterrupt();

}  // namespace kelvane
