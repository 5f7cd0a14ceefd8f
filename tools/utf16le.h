// UTF-16 text as the little-endian bytes that the host's language file and Windows
// profile files hold, for the tools that write such files.
#pragma once
#include <string>

namespace lumaset::tools {

inline std::string utf16le(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

}  // namespace lumaset::tools
