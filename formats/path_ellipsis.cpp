#include "formats/path_ellipsis.h"

namespace lumaset {
namespace {

constexpr const char* kEllipsis = "\xE2\x80\xA6";  // …

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string pathEndThatFits(const std::string& path, std::string_view separators,
                            const std::function<bool(const std::string&)>& fits) {
  if (fits(path)) return path;
  // The last character that is not a separator: an end made of separators alone says nothing.
  const std::size_t lastName = path.find_last_not_of(separators);
  if (lastName == std::string::npos) return kEllipsis;
  for (std::size_t at = path.find_first_of(separators, 1); at != std::string::npos && at < lastName;
       at = path.find_first_of(separators, at + 1)) {
    std::string candidate = kEllipsis + path.substr(at);
    if (fits(candidate)) return candidate;
  }
  for (std::size_t at = path.find_last_of(separators, lastName) + 1; at < path.size(); ++at) {
    if (isContinuationByte(path[at])) continue;
    std::string candidate = kEllipsis + path.substr(at);
    if (fits(candidate)) return candidate;
  }
  return kEllipsis;
}

}  // namespace lumaset
