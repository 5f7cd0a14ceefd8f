// Whether this process may change what a folder holds, found by trying.
#include "platform/posix_file_io.h"
#include "platform/posix_files.h"

namespace lumaset {

bool PosixFiles::canCreateIn(const std::string& folder) {
  if (!info(folder).isFolder) return false;
  // A temporary name: should the process die before it is removed, the next edit of the
  // host removes it with the other leftovers.
  posix::TempFile probe(folder + "/rights");
  return probe.ok();
}

}  // namespace lumaset
