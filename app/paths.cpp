#include "app/paths.h"

namespace lumaset {

std::string withTrailingSeparator(const std::string& text, char sep) {
  if (!text.empty() && text.back() == sep) return text;
  return text + sep;
}

std::string folderWithSeparator(const std::string& path, char sep) {
  std::size_t last = path.find_last_of(sep);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string leafName(const std::string& path, char sep) {
  std::size_t last = path.find_last_of(sep);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string resourcesFolder(const std::string& hostFolder, char sep) {
  return withTrailingSeparator(hostFolder, sep) + "Resources";
}

}  // namespace lumaset
