#include "support/NUVDbg.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/FileTime.h"
#include "support/NUVFormat.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

class DefaultSink final : public IMessageSink {
  public:
    void ShowBox(Severity, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void ConsoleText(const std::string& text) override {
        std::fputs(text.c_str(), stdout);
        std::fflush(stdout);
    }
    void ExitProgram(int exitCode) override { std::exit(exitCode); }
};

struct MessageState {
    DefaultSink defaultSink;
    IMessageSink* sink = &defaultSink;
    int debugLevel = 1;
    int messageBoxLevel = 4;
};

// A message raised while this thread traces another one is not traced again. Per thread, so
// that a message of the worker does not silence one of the user-interface thread.
thread_local bool t_tracing = false;

MessageState& State() {
    static MessageState state;
    return state;
}

struct SeverityInfo {
    const char* shortPrefix;
    const char* longPrefix;
    int traceLevel;
};

SeverityInfo InfoOf(Severity severity) {
    switch (severity) {
        case Severity::Plain:
            return {"", "", 0};
        case Severity::Debug:
            return {"--- DEBUG\t- ", "--- DEBUG --- ", 50};
        case Severity::Info:
            return {"--- INFO\t- ", "--- INFO --- ", 40};
        case Severity::Warning:
            return {"--- WARNING - ", "--- WARNING --- ", 30};
        case Severity::Error:
            return {"--- ERROR\t- ", "--- ERROR --- ", 20};
        case Severity::Fatal:
            return {"--- FATAL\t- ", "--- FATAL ERROR --- ", 10};
    }
    return {"", "", 0};
}

// The C library's 24-character local time text plus its line feed.
std::string LocalTimeText() {
    return CTimeText(std::time(nullptr)) + "\n";
}

}  // namespace

void SetMessageSink(IMessageSink* sink) {
    State().sink = sink != nullptr ? sink : &State().defaultSink;
}
IMessageSink& MessageSink() {
    return *State().sink;
}
int DebugLevel() {
    return State().debugLevel;
}
void SetDebugLevel(int level) {
    State().debugLevel = level;
}
int MessageBoxLevel() {
    return State().messageBoxLevel;
}
void SetMessageBoxLevel(int level) {
    State().messageBoxLevel = level;
}

void ShowMessage(Severity severity, const char* /*sourceFile*/, const char* location, int line,
                 const char* format, ...) {
    MessageState& state = State();
    if (severity == Severity::Debug && state.debugLevel == 0) {
        return;
    }
    const SeverityInfo info = InfoOf(severity);
    std::string traceText = info.shortPrefix;
    std::string boxText = info.longPrefix;
    const std::string time = LocalTimeText();
    if (severity == Severity::Plain) {
        traceText += time.substr(0, time.size() - 1);
        boxText += time.substr(0, time.size() - 1);
    } else {
        traceText += StrFormat("%s %s (%04u):: ", time.c_str(), location ? location : " ",
                               static_cast<unsigned>(line));
        boxText += "\n\n";
    }
    va_list args;
    va_start(args, format);
    const std::string message = StrFormatV(format, args);
    va_end(args);
    traceText += message;
    std::string consoleText = traceText;
    boxText += message;
    traceText += "\n";

    if (info.traceLevel > 0 && !t_tracing) {
        t_tracing = true;
        if (severity >= Severity::Warning) {
            TraceOn(30);
        }
        TraceLine(info.traceLevel, false, traceText);
        t_tracing = false;
    }
    state.sink->ConsoleMessage(severity, consoleText + "\n");
    if (static_cast<int>(severity) >= state.messageBoxLevel) {
        state.sink->ShowBox(severity, boxText);
    }
    if (severity == Severity::Fatal || (severity == Severity::Error && state.debugLevel != 0)) {
        state.sink->ExitProgram(1);
    }
}

void ShowMessageLetter(char letter, const std::string& text) {
    Severity severity = Severity::Fatal;
    switch (letter) {
        case 'E':
            severity = Severity::Error;
            break;
        case 'W':
            severity = Severity::Warning;
            break;
        case 'I':
            severity = Severity::Info;
            break;
        case 'D':
            severity = Severity::Debug;
            break;
        default:  // "A", "F" and unknown letters
            break;
    }
    ShowMessage(severity, "NUVAux", " ", 0, "%s", text.c_str());
}

}  // namespace kelvane
