// Whether this process may change a folder's content or a file, found by trying.
#include <fcntl.h>
#include <unistd.h>

#include "platform/posix_file_io.h"
#include "platform/posix_files.h"

namespace lumaset {

bool PosixFiles::mayChange(const std::string& path) {
  const EntryKind kind = entryKind(path);
  if (kind == EntryKind::File) {
    // Opened for writing without truncating or creating: nothing about the file changes.
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    ::close(fd);
    return true;
  }
  if (!info(path).isFolder) return false;
  // A temporary name: should the process die before it is removed, the next edit of the
  // host removes it with the other leftovers.
  posix::TempFile probe(path + "/rights");
  return probe.ok();
}

// The permission bits and the user the process runs as, as access(2) weighs them.
bool PosixFiles::securityAllowsChange(const std::string& path) {
  const int needed = entryKind(path) == EntryKind::Folder ? W_OK | X_OK : W_OK;
  return ::access(path.c_str(), needed) == 0;
}

}  // namespace lumaset
