#include "run/name_rules.h"

#include <cctype>
#include <vector>

#include "formats/path_text.h"
#include "formats/windows_names.h"

namespace lumaset {
namespace {

bool isDotPart(const std::string& part) { return part == "." || part == ".."; }

// What follows the root of a Windows path: empty parts (doubled or trailing separators)
// are harmless, anything else must be a name Windows could have made.
bool windowsPartsAreSound(const std::string& rest) {
  for (const std::string& part : splitPath(rest, "\\/")) {
    if (part.empty()) continue;
    if (isDotPart(part)) return false;
    for (char c : part) {
      if (forbiddenInWindowsName(c)) return false;
    }
  }
  return true;
}

bool isAbsoluteWindowsPath(const std::string& path) {
  auto isSep = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && isSep(path[2])) {
    return windowsPartsAreSound(path.substr(3));
  }
  // \\server\share\...: a server and a share name, both plain.
  if (path.size() < 2 || !isSep(path[0]) || !isSep(path[1])) return false;
  std::vector<std::string> parts = splitPath(path.substr(2), "\\/");
  if (parts.size() < 2 || !isPlainName(parts[0]) || !isPlainName(parts[1])) return false;
  return windowsPartsAreSound(path.substr(2));
}

std::vector<std::string> nonEmptyParts(const std::string& path, char sep) {
  std::vector<std::string> parts;
  for (std::string& part : splitPath(path, separatorsFor(sep))) {
    if (!part.empty()) parts.push_back(std::move(part));
  }
  return parts;
}

bool samePart(const std::string& a, const std::string& b, char sep) {
  if (sep != '\\') return a == b;
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

bool isWithinFolder(const std::string& path, const std::string& folder, char sep) {
  const std::vector<std::string> inner = nonEmptyParts(path, sep), outer = nonEmptyParts(folder, sep);
  if (outer.empty() || inner.size() < outer.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    if (!samePart(inner[i], outer[i], sep)) return false;
  }
  return true;
}

bool isAbsolutePath(const std::string& path, char sep) {
  if (sep == '\\') return isAbsoluteWindowsPath(path);
  if (path.empty() || path[0] != '/') return false;
  for (const std::string& part : splitPath(path, "/")) {
    if (isDotPart(part)) return false;
  }
  return true;
}

std::string partWindowsRenames(const std::string& path, char sep) {
  const std::string_view separators = separatorsFor(sep);
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of(separators, start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (!isDotPart(part) && endsInDotOrSpace(part)) return path.substr(0, end);
    start = end + 1;
  }
  return {};
}

}  // namespace lumaset
