#include "support/NUVTrace.h"

#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "platform/FileTime.h"
#include "platform/ProgramDir.h"
#include "support/NUVFormat.h"
#include "support/NUVLog.h"
#include "support/NUVPath.h"

namespace kelvane {
namespace {

// The program folder when the trace can be written there, else the user's state folder.
std::string DefaultTraceFolder() {
    const std::string programFolder = ProgramFolder();
    const std::string programFile = programFolder + kTraceBaseName + kTraceExtension;
    if (!programFolder.empty() && access(programFolder.c_str(), W_OK) == 0 &&
        (access(programFile.c_str(), F_OK) != 0 || access(programFile.c_str(), W_OK) == 0)) {
        return programFolder;
    }
    std::string stateFolder;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        stateFolder = WithSlash(state) + "kelvane/";
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        stateFolder = WithSlash(home) + ".local/state/kelvane/";
    } else {
        return programFolder;
    }
    MakeFolderPath(stateFolder);
    return stateFolder;
}

// The one trace object: the log file, the trace level and the header.
class CNuvTrace {
  public:
    StatusCode Line(int level, bool withTime, const std::string& text) {
        if (level_.load(std::memory_order_relaxed) == 0 && level == trace::kAlways) {
            On(trace::kAlways);
        }
        const int current = level_.load(std::memory_order_relaxed);
        if (current == 0 || level > current) {
            return 0;
        }
        if (withTime) {
            return log_.WriteLine(CTimeText(std::time(nullptr)) + " " + text);
        }
        return log_.WriteLine(text);
    }

    void On(int level) {
        std::lock_guard guard(stateLock_);
        if (level <= 0) {
            return;
        }
        EnsureInitialised();
        const int current = level_.load(std::memory_order_relaxed);
        if (current == 0) {
            level_.store(level, std::memory_order_relaxed);
            Line(trace::kAlways, true, "----- Tracing started ----- " + header_);
            Line(trace::kAlways, true, StrFormat("%s %i", "Trace level =", level));
            Line(trace::kAlways, true,
                 StrFormat("%s %i", "Default trace level =", trace::kDefault));
        } else if (current < level) {
            Line(trace::kAlways, true, StrFormat("%s %i", "New trace level =", level));
            level_.store(level, std::memory_order_relaxed);
        }
    }

    void Off() {
        std::lock_guard guard(stateLock_);
        Line(trace::kAlways, true, "----- Tracing stopped -----");
        level_.store(0, std::memory_order_relaxed);
    }

    int Level() const { return level_.load(std::memory_order_relaxed); }

    void SetHeader(const std::string& header) {
        std::lock_guard guard(stateLock_);
        header_ = header;
    }

    void SetFolder(const std::string& folder) {
        std::lock_guard guard(stateLock_);
        folder_ = folder;
        initialised_ = false;
        EnsureInitialised();
    }

    std::string FilePath() {
        std::lock_guard guard(stateLock_);
        EnsureInitialised();
        return log_.FilePath();
    }

  private:
    void EnsureInitialised() {
        if (initialised_) {
            return;
        }
        const std::string folder = folder_.empty() ? DefaultTraceFolder() : folder_;
        log_.Init(folder, kTraceBaseName, kTraceExtension, kTraceBackupExtension, kTraceMaxSize);
        initialised_ = true;
    }

    CNuvLog log_;
    std::atomic<int> level_{0};
    bool initialised_ = false;
    std::string header_;
    std::string folder_;  // set by SetTraceFolder; empty: the default place
    std::recursive_mutex stateLock_;
};

CNuvTrace& Trace() {
    static CNuvTrace trace;
    return trace;
}

}  // namespace

StatusCode TraceLine(int level, bool withTime, const std::string& text) {
    return Trace().Line(level, withTime, text);
}

StatusCode TraceFormat(int level, bool withTime, const char* format, ...) {
    if (!TraceWanted(level) && level != trace::kAlways) {
        return 0;
    }
    char buffer[2000];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return TraceLine(level, withTime, buffer);
}

bool TraceWanted(int level) {
    const int current = Trace().Level();
    return current != 0 && level <= current;
}

void TraceOn(int level) {
    Trace().On(level);
}

void TraceOff() {
    Trace().Off();
}

int TraceLevel() {
    return Trace().Level();
}

void SetTraceHeader(const std::string& name, const std::string& version,
                    const std::string& modeText) {
    Trace().SetHeader(name + " " + version + " " + modeText);
}

void SetTraceFolder(const std::string& folder) {
    Trace().SetFolder(folder);
}

std::string TraceFilePath() {
    return Trace().FilePath();
}

}  // namespace kelvane
