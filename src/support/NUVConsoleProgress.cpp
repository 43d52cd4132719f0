#include "support/NUVConsoleProgress.h"
#include "platform/NonCopyable.h"

#include <csignal>

namespace kelvane {
namespace {

constexpr std::chrono::milliseconds kPollInterval{100};

// Set by the signal handler, read by the waiting loop: the only thing a handler may safely do.
volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int /*signal*/) {
    gInterrupted = 1;
}

// Installs the handler for the lifetime of one wait and restores the previous one.
class ScopedInterruptHandler : NonCopyable {
  public:
    ScopedInterruptHandler() {
        gInterrupted = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        installed_ = sigaction(SIGINT, &action, &previous_) == 0;
    }
    ~ScopedInterruptHandler() {
        if (installed_) {
            sigaction(SIGINT, &previous_, nullptr);
        }
    }

  private:
    struct sigaction previous_ {};
    bool installed_ = false;
};

}  // namespace

void SimulateConsoleInterrupt() {
    gInterrupted = 1;
}

void CConsoleProgressHost::RunModal(CWorkSession& session) {
    ScopedInterruptHandler handler;
    std::fprintf(out_, "%s ...\n", session.Texts().title.c_str());
    std::fflush(out_);
    bool abortShown = false;
    while (!session.WaitForClose(kPollInterval)) {
        if (gInterrupted != 0 && !abortShown) {
            session.RequestAbort();
            std::fprintf(out_, "%s\n", session.Texts().aborting.c_str());
            std::fflush(out_);
            abortShown = true;
        }
    }
}

}  // namespace kelvane
