// Where a host file really lies on POSIX: symbolic links followed to their target, the
// number of hard links of a file, and the user's folder for temporary files.
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "platform/posix_files.h"

namespace lumaset {
namespace {

// realpath into a buffer it allocates, so that a result past PATH_MAX is not cut off;
// empty when the path cannot be resolved.
std::string resolvedPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

}  // namespace

std::string PosixFiles::temporaryFolder() {
  const char* dir = std::getenv("TMPDIR");
  std::string folder = dir && *dir ? dir : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// An XDG base folder must be absolute; a relative one is ignored, as the standard says.
std::string PosixFiles::userDataFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + "/lumaset";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.config/lumaset";
  return {};
}

std::string PosixFiles::linkTarget(const std::string& path) {
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::lstat(real.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::string target = resolvedPath(real);
  return target.empty() ? path : target;  // a dangling link: writes fail on their own
}

std::string PosixFiles::canonicalPath(const std::string& path) {
  std::string real = resolveExistingPath(path);
  std::string canonical = real.empty() ? std::string() : resolvedPath(real);
  return canonical.empty() ? path : canonical;
}

std::uint32_t PosixFiles::hardLinkCount(const std::string& path) {
  std::string real = resolveExistingPath(path);
  struct stat st;
  if (real.empty() || ::stat(real.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<std::uint32_t>(st.st_nlink);
}

}  // namespace lumaset
