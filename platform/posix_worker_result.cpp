#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "formats/bytes.h"
#include "formats/path_text.h"
#include "formats/work_names.h"
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

bool writeWorkerResult(const std::string& path, const std::string& text) {
  if (!isWorkerResultName(leafName(path, '/'))) return false;
  // O_NOFOLLOW: a link at the name is refused, not followed; O_NONBLOCK: a FIFO put
  // there does not hold the worker (and fails the check below).
  const int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_size == 0;
  for (std::size_t done = 0; ok && done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  return close(fd) == 0 && ok;
}

}  // namespace lumaset
