// Where a host file really lies on POSIX: symbolic links followed to their target, the
// number of hard links of a file, and the user's folder for temporary files.
#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "platform/posix_files.h"

namespace lumaset {

std::string PosixFiles::temporaryFolder() {
  const char* dir = std::getenv("TMPDIR");
  std::string folder = dir && *dir ? dir : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string PosixFiles::linkTarget(const std::string& path) {
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::lstat(real.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char target[PATH_MAX];
  if (!::realpath(real.c_str(), target)) return path;  // a dangling link: writes fail on their own
  return target;
}

std::string PosixFiles::canonicalPath(const std::string& path) {
  std::string real = resolveExistingPath(path);
  char canonical[PATH_MAX];
  if (real.empty() || !::realpath(real.c_str(), canonical)) return path;
  return canonical;
}

std::uint32_t PosixFiles::hardLinkCount(const std::string& path) {
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::stat(real.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<std::uint32_t>(st.st_nlink);
}

}  // namespace lumaset
