#include "formats/windows_names.h"

#include <cctype>

namespace lumaset {
namespace {

std::string upperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

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

bool endsInDotOrSpace(const std::string& name) { return !name.empty() && (name.back() == '.' || name.back() == ' '); }

bool isPlainName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (forbiddenInWindowsName(c)) return false;
  }
  return !endsInDotOrSpace(name) && !isDeviceName(name);
}

}  // namespace lumaset
