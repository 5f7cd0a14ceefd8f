#include "cli/json.h"

#include <cstdio>

#include "formats/utf.h"

namespace lumaset::cli {

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (std::size_t pos = 0; pos < text.size();) {
    // A byte that is not part of valid UTF-8 is written as the code point of its value,
    // so that every line stays valid UTF-8 (a reader that needs the raw bytes gets them
    // from a *_hex field beside it).
    std::size_t start = pos;
    char32_t cp;
    if (!decodeUtf8(text, pos, cp)) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(text[pos++]));
      out += buffer;
      continue;
    }
    if (pos - start > 1) {
      out.append(text, start, pos - start);
      continue;
    }
    const char c = text[start];
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string jsonStrings(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) out += ',';
    out += jsonString(texts[i]);
  }
  out += ']';
  return out;
}

}  // namespace lumaset::cli
