// The result file of the window's elevated worker, and the system's random values that
// name it and stamp the result.
//
// The window makes the file in its temporary folder, with CREATE_NEW under a random name
// (formats/work_names.h), and holds it open without delete sharing and deleted on close:
// while the worker runs, no other process can delete, rename or replace it. The worker
// opens the name it was given without following a link, checks on its handle that it is
// an empty disk file with one link whose final name has the result file's form, and
// writes through that handle only, never reading it: first its progress line
// (formats/worker_progress_line.h), rewritten in place as the operation counts its bytes,
// then its outcome after the line. The window reads the file through its own handle: the
// progress line while it waits, to show in its progress window (display only, clamped: a
// process of the user can write there too), and the outcome once the worker has ended. A
// named pipe was the other way: its name shows in the pipe namespace, where any process
// of the user can connect before the worker (the first-instance flag guards only the
// pipe's creation), and the window would have to read it beside its wait for the worker,
// or a long result would block the worker. The window believes an outcome only when it
// carries the random value of the worker's command line (which a process of the user
// cannot read from an elevated one) and the worker's exit status agrees with it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace lumaset {

// `bytes` random bytes of the system's generator as lowercase hexadecimal digits; nothing
// when the system gave none.
std::optional<std::string> randomHex(std::size_t bytes);

// The worker's end of its result file.
class WorkerResultFile {
 public:
  // The file at `path` when the checks above hold, with a progress line of nothing done
  // written; nothing (and nothing written) otherwise.
  static std::unique_ptr<WorkerResultFile> open(const std::string& path);
  virtual ~WorkerResultFile() = default;
  // Rewrites the progress line.
  virtual bool writeProgress(std::uint64_t done, std::uint64_t total) = 0;
  // Writes the outcome after the progress line, once.
  virtual bool writeOutcome(const std::string& text) = 0;
};

}  // namespace lumaset
