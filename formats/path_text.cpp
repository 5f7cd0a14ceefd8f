#include "formats/path_text.h"

namespace lumaset {

std::string_view separatorsFor(char sep) { return sep == '\\' ? std::string_view("\\/") : std::string_view("/"); }

std::string withTrailingSeparator(const std::string& text, char sep) {
  if (!text.empty() && text.back() == sep) return text;
  return text + sep;
}

std::string folderWithSeparator(const std::string& path, char sep) {
  std::size_t last = path.find_last_of(sep);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string folderOf(const std::string& path, std::string_view separators) {
  std::size_t last = path.find_last_of(separators);
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string leafName(const std::string& path, std::string_view separators) {
  std::size_t last = path.find_last_of(separators);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::vector<std::string> splitPath(const std::string& path, std::string_view separators) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && separators.find(path[i]) == std::string_view::npos) continue;
    parts.push_back(path.substr(start, i - start));
    start = i + 1;
  }
  return parts;
}

std::string asciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

}  // namespace lumaset
