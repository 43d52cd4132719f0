// What the folder commands of kelvane-cli share (scan, list, export, import, fast-access): the
// program start with the command-line front end's sinks, reading the folder tree behind a
// progress line, Ctrl-C as the Abort button, CSV fields and the exit statuses.
//
// Output rules: standard output holds only the command's result; message boxes, the progress
// line and summaries go to standard error. The progress line ("folder  N files  R files/sec")
// is drawn only when standard error is a terminal.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ZOLRefresh.h"
#include "platform/NonCopyable.h"
#include "records/ZOLDataPacket.h"
#include "support/NUVDbg.h"
#include "support/NUVStatus.h"

namespace kelvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitAborted = 130;  // Ctrl-C, as shells report a SIGINT

// The options every folder command takes.
struct FolderOptions {
    bool midi = false;        // -m
    bool subfolders = false;  // -s
    RefreshKind refresh = RefreshKind::Normal;
    bool readOnly = false;  // --read-only: treat the medium as read-only (nothing written)
    int jobs = -1;          // --jobs N: threads that analyse; -1: the ScanWorkers setting
    std::vector<std::string> operands;
};

class ArgCursor;

// Takes -m, -s, --soft, --hard, --read-only and --jobs N when the argument at the cursor is one
// of them (true), else false. A --jobs value that is not a number from 1 to 64 is reported and
// refused (the cursor then says Refused()).
bool TakeFolderOption(ArgCursor& args, FolderOptions& options);

// One run of a folder command: the program start (configuration files and settings as the
// desktop program reads them) with stderr boxes and the progress host installed, Ctrl-C
// caught from now on; the end of the program when it goes.
class CliSession : NonCopyable {
  public:
    explicit CliSession(std::string command) : command_(std::move(command)) {}
    ~CliSession();

    // Starts the program in the run mode; false (with a message) when it cannot start.
    bool Start(const FolderOptions& options);
    // Reads the folder tree of the options (ReadFolderTree). Returns an exit status: 0 read;
    // 2 the folder is missing or unreadable; 130 aborted; 1 the scan failed (reported).
    int ReadFolder(const FolderOptions& options);
    // Start, then ReadFolder: the exit status of the first that fails (1 when the program
    // cannot start), 0 when the folder is read.
    int StartAndRead(const FolderOptions& options);
    // Runs after the scan for jobs of their own (import): 130 when Ctrl-C was pressed.
    bool Interrupted() const;
    // The text last put into a status pane (0: the status line, 1: counter and speed).
    std::string PaneText(int pane) const;
    // "kelvane-cli <command>: <text>" on standard error.
    void Complain(const std::string& text) const;

  private:
    std::string command_;
    bool started_ = false;
};

// Reads the command's arguments: the folder options, flags and options with a value ("--name
// value" or "--name=value"), and operands (everything not starting with "-", and everything
// after "--").
class ArgCursor {
  public:
    ArgCursor(int argc, char** argv) : argc_(argc), argv_(argv) {}
    // Moves to the next argument; false at the end.
    bool Next();
    const std::string& Arg() const { return arg_; }
    bool IsOperand() const { return operand_; }
    // True when the argument is the option `name`; its value (the rest after "=", or the
    // next argument) goes to `value`. A missing value sets Failed().
    bool Value(const char* name, std::string& value);
    // True (and `flag` set) when the argument is the flag `name`.
    bool Flag(const char* name, bool& flag);
    bool Failed() const { return failed_; }
    // The option's value was refused (the taker said why).
    void Refuse() { refused_ = true; }
    bool Refused() const { return refused_; }

  private:
    int argc_;
    char** argv_;
    int index_ = 0;
    std::string arg_;
    bool operand_ = false;
    bool onlyOperands_ = false;
    bool failed_ = false;
    bool refused_ = false;
};

// What a command made of one of its own options (see ReadCommandArgs).
enum class OptionTaken {
    No,       // not an option of the command
    Yes,      // taken (with its value, when it has one)
    Refused,  // the command's option with a value it cannot use: it said why (bad usage)
};

// A command as its argument loop sees it.
struct CommandArgs {
    const char* command;     // "scan", for the messages "kelvane-cli scan: ..."
    std::string_view usage;  // the whole usage text
    size_t minOperands = 1;
    size_t maxOperands = 1;
};

// The argument loop every command shares: operands go to `operands`, "-h" / "--help" prints the
// usage on standard output, and every other argument is offered to `take`. An unknown option
// ("unknown option '...'", then the usage), an option without its value ("... needs a value")
// and a number of operands outside the command's range (the usage) are reported on standard
// error. Returns 0 when the arguments are read, 1 after the help, 2 for bad usage.
int ReadCommandArgs(int argc, char** argv, const CommandArgs& spec,
                    std::vector<std::string>& operands,
                    const std::function<OptionTaken(ArgCursor& args)>& take);

// The frame of the commands that work in a session: `parse` reads the arguments into `options`
// (0: go on, 1: the help was printed, 2: bad usage, see ReadCommandArgs), then `body` runs with
// the options in a session named after the command. Returns the exit status.
template <typename Options, typename Parse, typename Body>
int RunCommand(const char* command, int argc, char** argv, Options options, const Parse& parse,
               const Body& body) {
    if (const int parsed = parse(argc, argv, options); parsed != 0) {
        return parsed == 1 ? kExitOk : kExitUsage;
    }
    CliSession session(command);
    return body(options, session);
}

// ReadCommandArgs for the commands that write into the folder (import, fast-access): the folder
// options but --read-only.
int ReadWritingFolderArgs(int argc, char** argv, const CommandArgs& spec, FolderOptions& options);

// Boxes go to standard error; the console copies are dropped, so that standard output holds
// only the command's result. Installed by CliSession, and by the commands without a session.
IMessageSink& StderrMessageSink();

// A CSV field: quoted when it holds the separator, a double quote, a line break, or begins or
// ends with a blank; a double quote inside is doubled.
std::string CsvField(std::string_view text, char separator = ',');

// The value of a record or song field as text: numbers in decimal, texts as stored.
std::string FieldValue(const StyleDataPacket& record, int fieldId);
std::string SongFieldValue(const SongDataPacket& song, int songFieldId);

// Field keys separated by commas to the ids of the current catalogue (or the song catalogue);
// false with `error` naming the first unknown key.
bool ParseFieldKeys(std::string_view list, bool songs, std::vector<int>& ids, std::string& error);

}  // namespace kelvane::cli
