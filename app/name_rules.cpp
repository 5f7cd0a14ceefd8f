#include "app/name_rules.h"

#include <cctype>
#include <vector>

#include "formats/path_text.h"

namespace lumaset {
namespace {

bool forbiddenInWindowsName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20) return true;
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '/':
    case '\\':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

std::string upperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Windows reserves a device name whatever follows its first full stop, and ignores the
// spaces before that stop.
bool isDeviceName(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  stem = upperAscii(stem);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (stem == device) return true;
  }
  if (stem.size() < 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
  const std::string digit = stem.substr(3);
  if (digit.size() == 1) return std::isdigit(static_cast<unsigned char>(digit[0])) != 0;
  // Superscript one, two and three in UTF-8.
  return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

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

}  // namespace

bool isPlainName(const std::string& name) {
  if (name.empty() || isDotPart(name)) return false;
  for (char c : name) {
    if (forbiddenInWindowsName(c)) return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;
  return !isDeviceName(name);
}

bool isAbsolutePath(const std::string& path, char sep) {
  if (sep == '\\') return isAbsoluteWindowsPath(path);
  if (path.empty() || path[0] != '/') return false;
  for (const std::string& part : splitPath(path, "/")) {
    if (isDotPart(part)) return false;
  }
  return true;
}

}  // namespace lumaset
