#include "formats/web_address.h"

#include <cctype>
#include <string_view>

namespace lumaset {
namespace {

constexpr std::size_t kLongestAddress = 2048;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

bool allowedInAddress(unsigned char c) {
  if (c <= 0x20 || c == 0x7f) return false;
  return c != '"' && c != '<' && c != '>' && c != '\\';
}

}  // namespace

bool isWebAddress(const std::string& text) {
  if (text.size() > kLongestAddress) return false;
  std::size_t rest = 0;
  if (startsWithNoCase(text, "http://")) rest = 7;
  if (startsWithNoCase(text, "https://")) rest = 8;
  if (rest == 0 || rest == text.size() || text[rest] == '/') return false;
  for (char c : text) {
    if (!allowedInAddress(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace lumaset
