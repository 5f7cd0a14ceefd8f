// Files written as one batch: each without waiting for the disk, then the whole file
// system synced once (syncfs), instead of one flush for each of thousands of files.
#include <fcntl.h>
#include <unistd.h>

#include "platform/posix_file_io.h"
#include "platform/posix_files.h"

namespace lumaset {

bool PosixFiles::writeNewFile(const std::string& path, const Bytes& data) {
  // Only the folder is matched by letter case: a scan of the folder for each of
  // thousands of new names would cost more than the writing.
  const std::string folder = resolveExistingPath(posix::parentOf(path));
  if (folder.empty()) return false;
  int fd = ::open((folder + "/" + posix::leafOf(path)).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool written = posix::writeAll(fd, data.data(), data.size());
  return ::close(fd) == 0 && written;
}

bool PosixFiles::flushFolder(const std::string& folder) {
  int fd = ::open(resolveExistingPath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool synced = ::syncfs(fd) == 0;
  ::close(fd);
  return synced;
}

}  // namespace lumaset
