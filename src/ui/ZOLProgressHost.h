// The desktop program's progress host: the worker-thread machinery of the core (the scan, the
// import, the batch jobs) shows its sessions in the modal progress window, whose Abort button
// sets the session's abort flag.
#pragma once

#include "support/NUVWorkThread.h"

namespace kelvane {

class CQtProgressHost final : public IProgressHost {
  public:
    void RunModal(CWorkSession& session) override;
};

}  // namespace kelvane
