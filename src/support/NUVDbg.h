// The message facility: a message of a given severity is formatted with the time and source
// line, written to the trace, to the console and, from the message-box level on, shown in a
// message box. An ERROR ends the program while the debug level is not 0; a FATAL always does.
// The box, the console and the program end go through IMessageSink so that the desktop
// program, the command-line tool and the tests each decide what they mean.
#pragma once

#include <string>

namespace kelvane {

enum class Severity : int {
    Plain = 1,
    Debug = 3,
    Info = 4,
    Warning = 5,
    Error = 6,
    Fatal = 7,
};

class IMessageSink {
  public:
    virtual ~IMessageSink() = default;
    // A message box with an exclamation icon (the desktop program) or standard error (the CLI).
    virtual void ShowBox(Severity severity, const std::string& text) = 0;
    // The console copy of every dispatched message.
    virtual void ConsoleText(const std::string& text) = 0;
    // The console copy of a message of `severity`; a sink that keeps the terminal for
    // warnings and errors decides here. Passes it to ConsoleText unless overridden.
    virtual void ConsoleMessage(Severity severity, const std::string& text) {
        (void)severity;
        ConsoleText(text);
    }
    // Ends the program. Test sinks record the request and return.
    virtual void ExitProgram(int exitCode) = 0;
};

// The sink in force; nullptr restores the default (stderr box, stdout console, std::exit).
void SetMessageSink(IMessageSink* sink);
IMessageSink& MessageSink();

// Debug level from the DEBUG keyword: 0 suppresses debug messages and lets ERROR go on.
int DebugLevel();
void SetDebugLevel(int level);
// Messages of this severity and higher are shown in a box (4 at program start).
int MessageBoxLevel();
void SetMessageBoxLevel(int level);

// Formats and dispatches a message. `location` is the text the program passes (" ").
void ShowMessage(Severity severity, const char* sourceFile, const char* location, int line,
                 const char* format, ...) __attribute__((format(printf, 5, 6)));

// Maps the support library's one-letter codes ("A", "F", "E", "W", "I", "D") to a severity.
void ShowMessageLetter(char letter, const std::string& text);

}  // namespace kelvane

#define NUV_MESSAGE(severity, ...) \
    ::kelvane::ShowMessage((severity), __FILE__, " ", __LINE__, __VA_ARGS__)
#define NUV_DEBUG(...) NUV_MESSAGE(::kelvane::Severity::Debug, __VA_ARGS__)
#define NUV_INFO(...) NUV_MESSAGE(::kelvane::Severity::Info, __VA_ARGS__)
#define NUV_WARNING(...) NUV_MESSAGE(::kelvane::Severity::Warning, __VA_ARGS__)
#define NUV_ERROR(...) NUV_MESSAGE(::kelvane::Severity::Error, __VA_ARGS__)
#define NUV_FATAL(...) NUV_MESSAGE(::kelvane::Severity::Fatal, __VA_ARGS__)
