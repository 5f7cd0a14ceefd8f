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

}  // namespace lumaset
