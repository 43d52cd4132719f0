// The analysing threads of a scan with several workers. The scan thread hands over files as it
// finds them (Submit, numbered from 0 in that order); each worker takes the oldest file nobody
// has begun, analyses it with its own analyser into a FileValues (no record, no string pool,
// no shared state is touched) and keeps the result. The scan thread takes the results back in
// the order it handed the files over (Front / PopFront), so the records are filled, and the
// data files written, exactly as one thread would do it.
//
// Abort: a worker (or the scan thread, when it analyses a file itself) looks at the abort flag
// before it begins a file, so that after Abort every thread finishes at most the file it is
// analysing; files not begun come back with -206.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "analysis/FileValues.h"
#include "platform/NonCopyable.h"
#include "support/NUVStatus.h"

namespace kelvane {

// One file handed to the workers, and what became of it.
struct AnalysisTask {
    std::string fullPath;
    std::string fileName;
    int32_t analyserBefore = 0;  // the record's analyser value before the analysis
    bool done = false;
    StatusCode status = 0;  // of AnalyseFileValues; -206 when aborted before it began
    bool gone = false;      // the file vanished before it was looked at (no last-write time)
    FileValues values;      // with the file's last-write time
};

// Completes a successful analysis with the file's last-write time when the open file did not
// give it: looked up by name. False when the file is not there any more.
bool CompleteFileTime(const std::string& fullPath, FileValues& values);

class AnalysisWorkers : NonCopyable {
  public:
    // Starts `count` threads (at least one). `abortFlag` is the scan's.
    AnalysisWorkers(int count, const std::atomic<int>& abortFlag);
    // Lets every worker finish its file and joins them; results not taken are dropped.
    ~AnalysisWorkers();

    // Hands a file to the workers; returns its number.
    uint64_t Submit(std::string fullPath, std::string fileName, int32_t analyserBefore);
    // Files handed over and not taken back yet.
    std::size_t Outstanding() const;
    bool Empty() const { return Outstanding() == 0; }
    // The number the next PopFront takes back.
    uint64_t FrontNumber() const;
    // Waits at most `timeout` for the oldest file not taken back; true when it is done.
    bool WaitFront(std::chrono::milliseconds timeout);
    // The oldest file not taken back; only after WaitFront said it is done.
    AnalysisTask& Front();
    void PopFront();
    // How many threads analyse.
    int Count() const { return static_cast<int>(threads_.size()); }
    // Analyses the oldest file nobody has begun on the calling thread, as a worker would;
    // false when every file handed over is begun. The scan thread does this instead of
    // waiting: on a busy machine a worker may be off its core while the others are done.
    bool AnalyseNextHere();

  private:
    void Work();
    // The oldest file nobody has begun, marked begun (mutex_ held; there is one).
    AnalysisTask& BeginNext();
    // Marks the task done and wakes the scan thread when it waits for it (mutex_ held).
    void Finish(AnalysisTask& task);

    const std::atomic<int>& abortFlag_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;      // workers: a file was handed over, or stop
    std::condition_variable finished_;  // the scan thread: a file is done
    // Numbered first_, first_ + 1, ...; a task taken back waits in spare_ for the next file,
    // so that its values keep their storage (no allocation per file once the scan runs).
    std::deque<std::unique_ptr<AnalysisTask>> tasks_;
    std::vector<std::unique_ptr<AnalysisTask>> spare_;
    uint64_t first_ = 0;
    uint64_t nextToBegin_ = 0;
    bool stopping_ = false;
    int idle_ = 0;                  // workers waiting for a file
    bool waitingForFront_ = false;  // the scan thread waits in WaitFront
    std::vector<std::thread> threads_;
};

}  // namespace kelvane
