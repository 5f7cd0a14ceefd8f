#include "formats/path_ellipsis.h"

namespace lumaset {
namespace {

constexpr const char* kEllipsis = "\xE2\x80\xA6";  // …

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Whether an end pathEndThatFits gave of `path` holds the path's last part whole: the path
// itself, or "…" and an end that begins at a separator.
bool endsWhole(const std::string& end, const std::string& path, std::string_view separators) {
  const std::string_view ellipsis(kEllipsis);
  return end == path ||
         (end.size() > ellipsis.size() && end.compare(0, ellipsis.size(), ellipsis) == 0 &&
          separators.find(end[ellipsis.size()]) != std::string_view::npos);
}

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

std::vector<std::string> pathEndLines(const std::string& path, std::string_view separators, bool twoLines,
                                      const std::function<bool(const std::string&)>& fits) {
  const std::string oneLine = pathEndThatFits(path, separators, fits);
  if (endsWhole(oneLine, path, separators)) return {oneLine};
  const std::size_t lastName = path.find_last_not_of(separators);
  if (!twoLines || lastName == std::string::npos) return {};
  const std::size_t partStart = path.find_last_of(separators, lastName) + 1;  // npos + 1 is 0
  // The later the break, the longer the first line and the shorter the second: the last
  // break whose first line fits leaves the second its best chance.
  for (std::size_t space = path.rfind(' ', lastName); space != std::string::npos && space > partStart;
       space = path.rfind(' ', space - 1)) {
    const std::string head = path.substr(0, space);
    std::string first = pathEndThatFits(head, separators, fits);
    // Where not even "…" and a separator go before it, the first line is the last part's
    // beginning alone: the box's tooltip has the whole path.
    if (!endsWhole(first, head, separators)) first = head.substr(partStart);
    if (!fits(first)) continue;
    const std::string second = path.substr(space + 1);
    if (fits(second)) return {first, second};
    break;
  }
  return {};
}

}  // namespace lumaset
