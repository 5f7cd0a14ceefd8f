// The elevated worker's progress: the bytes its operation counts, copied into its result
// file's progress line ten times a second by a thread of its own, for as long as the
// reporter lives, and once more at its end.
#pragma once
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/work_progress.h"
#include "platform/worker_result.h"

namespace lumaset::cli {

class WorkerProgressReporter {
 public:
  WorkerProgressReporter(WorkerResultFile& file, const WorkProgress& progress);
  ~WorkerProgressReporter();
  WorkerProgressReporter(const WorkerProgressReporter&) = delete;
  WorkerProgressReporter& operator=(const WorkerProgressReporter&) = delete;

 private:
  void report();

  WorkerResultFile& file_;
  const WorkProgress& progress_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace lumaset::cli
