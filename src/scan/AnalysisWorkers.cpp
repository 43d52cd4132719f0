#include "scan/AnalysisWorkers.h"

#include <algorithm>
#include <system_error>

#include "analysis/ZOLStyleFile.h"
#include "platform/FileSystem.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

// One file, on whichever thread takes it.
void Analyse(AnalysisTask& task, const std::atomic<int>& abortFlag) {
    if (abortFlag.load() != 0) {
        task.status = status::kAbortedByUser;
    } else if (task.fullPath.size() > kMaxPathLength) {
        task.status = status::kFullNameError;
    } else {
        task.status = AnalyseFileValues(ThreadAnalyser(), task.fullPath, task.fileName,
                                        task.analyserBefore, task.values);
        // The walk left the last-write time to the analysis.
        task.gone = task.status == 0 && !CompleteFileTime(task.fullPath, task.values);
    }
}

}  // namespace

bool CompleteFileTime(const std::string& fullPath, FileValues& values) {
    if (values.FileTimeKnown()) {
        return true;
    }
    // The open file gave no time: the file could not be opened.
    FileDetails details;
    if (!QueryFileDetails(fullPath, details).Ok()) {
        return false;
    }
    values.SetFileTime(details.lastWriteTime);
    return true;
}

AnalysisWorkers::AnalysisWorkers(int count, const std::atomic<int>& abortFlag)
    : abortFlag_(abortFlag) {
    const int wanted = count < 1 ? 1 : count;
    try {
        for (int i = 0; i < wanted; ++i) {
            threads_.emplace_back([this] { Work(); });
        }
    } catch (const std::system_error&) {
        // Fewer threads than asked; none at all is handled by the caller's check of Count().
    }
}

AnalysisWorkers::~AnalysisWorkers() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

uint64_t AnalysisWorkers::Submit(std::string fullPath, std::string fileName,
                                 int32_t analyserBefore) {
    uint64_t number = 0;
    bool someoneIdle = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (spare_.empty()) {
            tasks_.push_back(std::make_unique<AnalysisTask>());
        } else {
            tasks_.push_back(std::move(spare_.back()));
            spare_.pop_back();
        }
        AnalysisTask& task = *tasks_.back();
        task.fullPath = std::move(fullPath);
        task.fileName = std::move(fileName);
        task.analyserBefore = analyserBefore;
        number = first_ + tasks_.size() - 1;
        someoneIdle = idle_ > 0;
    }
    // A busy worker looks for the next file by itself when it is done; waking one costs a
    // system call, which for files of a few hundred bytes is as much as their analysis.
    if (someoneIdle) {
        wake_.notify_one();
    }
    return number;
}

std::size_t AnalysisWorkers::Outstanding() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return tasks_.size();
}

uint64_t AnalysisWorkers::FrontNumber() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return first_;
}

bool AnalysisWorkers::WaitFront(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto frontDone = [this] { return !tasks_.empty() && tasks_.front()->done; };
    if (frontDone() || timeout.count() <= 0) {
        return frontDone();
    }
    waitingForFront_ = true;
    const bool done = finished_.wait_for(lock, timeout, frontDone);
    waitingForFront_ = false;
    return done;
}

AnalysisTask& AnalysisWorkers::Front() {
    std::lock_guard<std::mutex> lock(mutex_);
    return *tasks_.front();
}

void AnalysisWorkers::PopFront() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::unique_ptr<AnalysisTask> task = std::move(tasks_.front());
    tasks_.pop_front();
    ++first_;
    // Done and taken back, so no worker holds it: ready for the next file.
    task->done = false;
    task->status = 0;
    task->gone = false;
    task->values.Clear();
    spare_.push_back(std::move(task));
}

AnalysisTask& AnalysisWorkers::BeginNext() {
    // Files are begun in the order they were handed over; a file taken back already (which
    // only happens to files that are done) is never begun again.
    nextToBegin_ = std::max(nextToBegin_, first_);
    AnalysisTask& task = *tasks_[nextToBegin_ - first_];
    ++nextToBegin_;
    return task;
}

void AnalysisWorkers::Finish(AnalysisTask& task) {
    task.done = true;
    // The scan thread only ever waits for the oldest file.
    if (waitingForFront_ && &task == tasks_.front().get()) {
        finished_.notify_one();
    }
}

void AnalysisWorkers::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        ++idle_;
        wake_.wait(lock, [this] { return stopping_ || nextToBegin_ < first_ + tasks_.size(); });
        --idle_;
        if (stopping_) {
            return;
        }
        AnalysisTask& task = BeginNext();
        lock.unlock();
        Analyse(task, abortFlag_);
        lock.lock();
        Finish(task);
    }
}

bool AnalysisWorkers::AnalyseNextHere() {
    AnalysisTask* task = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (nextToBegin_ >= first_ + tasks_.size()) {
            return false;
        }
        task = &BeginNext();
    }
    Analyse(*task, abortFlag_);
    std::lock_guard<std::mutex> lock(mutex_);
    Finish(*task);
    return true;
}

}  // namespace kelvane
