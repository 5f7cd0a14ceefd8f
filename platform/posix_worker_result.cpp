#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "formats/bytes.h"
#include "formats/path_text.h"
#include "formats/work_names.h"
#include "formats/worker_progress_line.h"
#include "platform/worker_result.h"

namespace lumaset {

std::optional<std::string> randomHex(std::size_t bytes) {
  std::string raw(bytes, '\0');
  std::size_t got = 0;
  while (got < bytes) {
    const ssize_t n = getrandom(raw.data() + got, bytes - got, 0);
    if (n <= 0) return std::nullopt;
    got += static_cast<std::size_t>(n);
  }
  return hexText(raw);
}

namespace {

// Writes all of `text` at `offset`.
bool writeAt(int fd, const std::string& text, off_t offset) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = pwrite(fd, text.data() + done, text.size() - done, offset + static_cast<off_t>(done));
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

class PosixWorkerResultFile : public WorkerResultFile {
 public:
  explicit PosixWorkerResultFile(int fd) : fd_(fd) {}
  ~PosixWorkerResultFile() override { close(fd_); }
  PosixWorkerResultFile(const PosixWorkerResultFile&) = delete;
  PosixWorkerResultFile& operator=(const PosixWorkerResultFile&) = delete;

  bool writeProgress(std::uint64_t done, std::uint64_t total) override {
    return writeAt(fd_, workerProgressLine(done, total), 0);
  }
  bool writeOutcome(const std::string& text) override {
    return writeAt(fd_, text, static_cast<off_t>(kWorkerProgressLineSize));
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<WorkerResultFile> WorkerResultFile::open(const std::string& path) {
  if (!isWorkerResultName(leafName(path, '/'))) return nullptr;
  // O_NOFOLLOW: a link at the name is refused, not followed; O_NONBLOCK: a FIFO put
  // there does not hold the worker (and fails the check below).
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 || st.st_size != 0) {
    close(fd);
    return nullptr;
  }
  auto file = std::make_unique<PosixWorkerResultFile>(fd);
  return file->writeProgress(0, 0) ? std::move(file) : nullptr;
}

}  // namespace lumaset
