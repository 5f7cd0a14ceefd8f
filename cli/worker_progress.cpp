#include "cli/worker_progress.h"

#include <chrono>

namespace lumaset::cli {

WorkerProgressReporter::WorkerProgressReporter(WorkerResultFile& file, const WorkProgress& progress)
    : file_(file), progress_(progress), thread_([this] { report(); }) {}

WorkerProgressReporter::~WorkerProgressReporter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
  file_.writeProgress(progress_.done(), progress_.total());
}

void WorkerProgressReporter::report() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return stop_; }))
    file_.writeProgress(progress_.done(), progress_.total());
}

}  // namespace lumaset::cli
