#include "cli/CliCommon.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "app/ZOLMain.h"
#include "app/ZOLReadFolder.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVUserInterface.h"
#include "support/NUVWorkThread.h"

namespace kelvane::cli {
namespace {

// Set by the SIGINT handler and polled by the progress host and the status panes. Lock-free
// atomics may be stored from a handler; the handler also sets the scan's abort flag, so that a
// scan stops at its next file even before the host looks.
std::atomic<int> gInterrupted{0};
std::atomic<int>* gScanAbort = nullptr;
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int /*signal*/) {
    gInterrupted.store(1);
    if (gScanAbort != nullptr) {
        gScanAbort->store(1);
    }
}

void CatchInterrupts() {
    gScanAbort = &ScanState().abortFlag;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

class CliMessageSink final : public IMessageSink {
  public:
    void ShowBox(Severity, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void ConsoleText(const std::string&) override {}
    void ExitProgram(int exitCode) override {
        std::fflush(stdout);
        std::exit(exitCode);
    }
};

// The status bar: the worker writes, the waiting main thread reads for the progress line.
class CliStatusPanes final : public IStatusPanes {
  public:
    void SetPaneText(int pane, const std::string& text) override {
        // The scan worker clears the abort flag when it begins and then shows its counter: a
        // Ctrl-C that came before is applied here, so that it cannot be lost.
        if (gInterrupted.load() != 0 && gScanAbort != nullptr) {
            gScanAbort->store(1);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (pane >= 0 && pane < 2) {
            texts_[pane] = text;
        }
    }
    std::string Text(int pane) const {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_[pane];
    }

  private:
    mutable std::mutex mutex_;
    std::string texts_[2];
};

CliStatusPanes& Panes() {
    static CliStatusPanes panes;
    return panes;
}

// The files the running scan counted, for the progress line.
ScanProgress& Progress() {
    static ScanProgress progress;
    return progress;
}

int TerminalWidth() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 10) {
        return size.ws_col;
    }
    return 80;
}

// The scan window of the command line: a progress line on a terminal, Ctrl-C as Abort.
class CliProgressHost final : public IProgressHost {
  public:
    void RunModal(CWorkSession& session) override {
        const bool terminal = isatty(STDERR_FILENO) != 0;
        const auto start = std::chrono::steady_clock::now();
        bool abortShown = false;
        while (!session.WaitForClose(std::chrono::milliseconds(20))) {
            // The worker clears the flag when it starts: ask again until it stays set.
            if (gInterrupted.load() != 0 && !session.AbortRequested()) {
                session.RequestAbort();
                if (!abortShown) {
                    std::fprintf(stderr, "%s%s\n", terminal ? "\r\033[K" : "",
                                 session.Texts().aborting.c_str());
                    abortShown = true;
                }
            }
            if (terminal && !abortShown) {
                DrawLine(std::chrono::steady_clock::now() - start);
            }
        }
        if (terminal) {
            std::fputs("\r\033[K", stderr);
        }
        if (gInterrupted.load() != 0 && !abortShown) {
            std::fprintf(stderr, "%s\n", session.Texts().aborting.c_str());
        }
        std::fflush(stderr);
    }

  private:
    static void DrawLine(std::chrono::steady_clock::duration elapsed) {
        const long files = Progress().files.load();
        const double seconds = std::chrono::duration<double>(elapsed).count();
        std::string line = Panes().Text(0);
        char counts[64];
        std::snprintf(counts, sizeof counts, "  %ld files  %.0f files/sec", files,
                      seconds > 0 ? static_cast<double>(files) / seconds : 0.0);
        line += counts;
        const size_t width = static_cast<size_t>(TerminalWidth() - 1);
        if (line.size() > width) {
            line = "..." + line.substr(line.size() - width + 3);
        }
        std::fprintf(stderr, "\r%s\033[K", line.c_str());
        std::fflush(stderr);
    }
};

CliProgressHost& Host() {
    static CliProgressHost host;
    return host;
}

}  // namespace

IMessageSink& StderrMessageSink() {
    static CliMessageSink sink;
    return sink;
}

bool TakeFolderOption(ArgCursor& args, FolderOptions& options) {
    const std::string& arg = args.Arg();
    if (args.IsOperand()) {
        return false;
    }
    std::string jobs;
    if (args.Value("--jobs", jobs)) {
        char* end = nullptr;
        const long value = std::strtol(jobs.c_str(), &end, 10);
        if (!args.Failed() && (jobs.empty() || *end != '\0' || value < 1 || value > 64)) {
            std::fprintf(stderr, "kelvane-cli: --jobs takes a number from 1 to 64, not '%s'\n",
                         jobs.c_str());
            args.Refuse();
        }
        options.jobs = static_cast<int>(value);
        return true;
    }
    if (arg == "-m" || arg == "-M") {
        options.midi = true;
    } else if (arg == "-s") {
        options.subfolders = true;
    } else if (arg == "--soft") {
        options.refresh = RefreshKind::SoftRescan;
    } else if (arg == "--hard") {
        options.refresh = RefreshKind::HardRescan;
    } else if (arg == "--read-only") {
        options.readOnly = true;
    } else {
        return false;
    }
    return true;
}

bool ArgCursor::Next() {
    while (++index_ < argc_) {
        arg_ = argv_[index_];
        if (!onlyOperands_ && arg_ == "--") {
            onlyOperands_ = true;
            continue;
        }
        operand_ = onlyOperands_ || arg_.empty() || arg_[0] != '-' || arg_ == "-";
        return true;
    }
    return false;
}

bool ArgCursor::Flag(const char* name, bool& flag) {
    if (operand_ || arg_ != name) {
        return false;
    }
    flag = true;
    return true;
}

int ReadCommandArgs(int argc, char** argv, const CommandArgs& spec,
                    std::vector<std::string>& operands,
                    const std::function<OptionTaken(ArgCursor& args)>& take) {
    const auto printUsage = [&spec](std::FILE* out) {
        std::fwrite(spec.usage.data(), 1, spec.usage.size(), out);
    };
    ArgCursor args(argc, argv);
    while (args.Next()) {
        const std::string& arg = args.Arg();
        if (args.IsOperand()) {
            operands.push_back(arg);
            continue;
        }
        const OptionTaken taken = take(args);
        if (taken == OptionTaken::Refused || args.Refused()) {
            return kExitUsage;
        }
        if (taken == OptionTaken::No && (arg == "--help" || arg == "-h")) {
            printUsage(stdout);
            return 1;
        }
        if (taken == OptionTaken::No) {
            std::fprintf(stderr, "kelvane-cli %s: unknown option '%s'\n\n", spec.command,
                         arg.c_str());
            printUsage(stderr);
            return kExitUsage;
        }
        if (args.Failed()) {
            std::fprintf(stderr, "kelvane-cli %s: %s needs a value\n", spec.command, arg.c_str());
            return kExitUsage;
        }
    }
    if (operands.size() < spec.minOperands || operands.size() > spec.maxOperands) {
        printUsage(stderr);
        return kExitUsage;
    }
    return 0;
}

int ReadWritingFolderArgs(int argc, char** argv, const CommandArgs& spec, FolderOptions& options) {
    return ReadCommandArgs(argc, argv, spec, options.operands, [&](ArgCursor& args) {
        return args.Arg() != "--read-only" && TakeFolderOption(args, options) ? OptionTaken::Yes
                                                                              : OptionTaken::No;
    });
}

bool ArgCursor::Value(const char* name, std::string& value) {
    if (operand_) {
        return false;
    }
    const std::string_view option(name);
    if (arg_.size() > option.size() && arg_.compare(0, option.size(), option) == 0 &&
        arg_[option.size()] == '=') {
        value = arg_.substr(option.size() + 1);
        return true;
    }
    if (arg_ != option) {
        return false;
    }
    if (index_ + 1 >= argc_) {
        failed_ = true;
        return true;
    }
    value = argv_[++index_];
    return true;
}

CliSession::~CliSession() {
    if (started_) {
        std::fflush(stdout);
        ListViewMgr().ClearBothLists();
        CZOLApp().ExitInstance();
    }
    SetReadOnlyMediumProbe({});
    SetProgressHost(nullptr);
    SetStatusPanes(nullptr);
    SetMessageSink(nullptr);
}

bool CliSession::Start(const FolderOptions& options) {
    CatchInterrupts();
    SetMessageSink(&StderrMessageSink());
    SetStatusPanes(&Panes());
    SetProgressHost(&Host());
    std::vector<std::string> args{"kelvane-cli"};
    if (options.midi) {
        args.emplace_back("-m");
    }
    const StartResult start = CZOLApp().InitInstance(args);
    if (start.status != status::kOk) {
        Complain("the program cannot start (status " + std::to_string(start.status) + ")");
        return false;
    }
    started_ = true;
    // The lists exist without a widget: the command-line tool prints them.
    ListViewMgr().RegisterList(ListKind::Files, nullptr);
    ListViewMgr().RegisterList(ListKind::Songs, nullptr);
    if (options.readOnly) {
        SetReadOnlyMediumProbe([](const std::string&) { return 1; });
    }
    return true;
}

int CliSession::ReadFolder(const FolderOptions& options) {
    std::string folder;
    if (options.operands.empty() || ExpandPath(folder, options.operands[0]) != status::kOk) {
        Complain("no folder to read");
        return kExitUsage;
    }
    // Ctrl-C while the program was starting: the scan is not begun.
    if (Interrupted()) {
        std::fprintf(stderr, "%s\n", Translate("Aborted").c_str());
        return kExitAborted;
    }
    ScanOptions scan = ScanOptionsFor(options.refresh);
    if (options.jobs > 0) {
        scan.workers = options.jobs;
    }
    Progress().files.store(0);
    scan.progress = &Progress();
    const StatusCode result = ReadFolderTree(folder, options.subfolders, scan, Host());
    if (result == status::kRefreshFolderMissing || result == status::kRefreshFolderNotAccessible) {
        return kExitUsage;
    }
    if (result == status::kAbortedByUser || Interrupted()) {
        return kExitAborted;
    }
    return result == status::kOk ? kExitOk : kExitFailure;
}

int CliSession::StartAndRead(const FolderOptions& options) {
    return Start(options) ? ReadFolder(options) : kExitFailure;
}

bool CliSession::Interrupted() const {
    return gInterrupted.load() != 0;
}

std::string CliSession::PaneText(int pane) const {
    return Panes().Text(pane == 1 ? 1 : 0);
}

void CliSession::Complain(const std::string& text) const {
    std::fprintf(stderr, "kelvane-cli %s: %s\n", command_.c_str(), text.c_str());
}

std::string CsvField(std::string_view text, char separator) {
    const bool quote =
        text.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos ||
        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return std::string(text);
    }
    std::string field = "\"";
    for (const char c : text) {
        field += c;
        if (c == '"') {
            field += '"';
        }
    }
    return field + "\"";
}

std::string FieldValue(const StyleDataPacket& record, int fieldId) {
    if (record.TypeOf(fieldId) == FT_NUMBER) {
        return std::to_string(record.Number(fieldId));
    }
    return std::string(record.Text(fieldId));
}

std::string SongFieldValue(const SongDataPacket& song, int songFieldId) {
    if (song.TypeOf(songFieldId) == FT_NUMBER) {
        return std::to_string(song.Number(songFieldId));
    }
    return std::string(song.Text(songFieldId));
}

bool ParseFieldKeys(std::string_view list, bool songs, std::vector<int>& ids, std::string& error) {
    const CatalogueKind kind = songs ? CatalogueKind::Song : CatalogueKind::Current;
    ids.clear();
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view key = list.substr(start, comma - start);
        const int id = FieldIdByKey(key, kind);
        const FieldType type = FieldTypeOf(id, kind);
        if (key.empty() || id == kFieldNone || type == FT_UNUSED || type == FT_NONE) {
            error = "unknown field key '" + std::string(key) + "'";
            return false;
        }
        ids.push_back(id);
        start = comma + 1;
    }
    return true;
}

}  // namespace kelvane::cli
