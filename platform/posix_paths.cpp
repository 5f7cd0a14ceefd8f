#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "formats/path_text.h"
#include "platform/posix_files.h"

namespace lumaset {
namespace {

bool present(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The path's names, without the empty parts of doubled or leading separators.
std::vector<std::string> splitComponents(const std::string& path) {
  std::vector<std::string> parts;
  for (std::string& part : splitPath(path, "/")) {
    if (!part.empty()) parts.push_back(std::move(part));
  }
  return parts;
}

// The entry of `folder` whose name equals `name` without regard to ASCII case.
std::string findCaseless(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return {};
  std::string found;
  while (dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

std::string resolveExistingPath(const std::string& path) {
  if (path.empty()) return {};
  if (present(path)) return path;
  std::string current = path[0] == '/' ? "/" : "";
  for (const std::string& part : splitComponents(path)) {
    std::string joined = current.empty() || current.back() == '/' ? current + part : current + "/" + part;
    if (part == "." || part == ".." || present(joined)) {
      current = joined;
      continue;
    }
    std::string match = findCaseless(current, part);
    if (match.empty()) return {};
    current = current.empty() || current.back() == '/' ? current + match : current + "/" + match;
  }
  return current;
}

std::string resolvePathForWrite(const std::string& path) {
  std::string existing = resolveExistingPath(path);
  if (!existing.empty()) return existing;
  std::string folder = folderOf(path, "/");
  if (folder.empty()) return path;  // a bare name, or a file at the root
  std::string parent = resolveExistingPath(folder);
  if (parent.empty()) return path;
  return parent + "/" + leafName(path, '/');
}

}  // namespace lumaset
