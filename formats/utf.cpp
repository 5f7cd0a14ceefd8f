#include "formats/utf.h"

#include <cstdint>
#include <utility>

namespace lumaset {

bool decodeUtf8(const std::string& s, std::size_t& pos, char32_t& out) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char b0 = byte(pos);
  int extra;
  char32_t cp;
  if (b0 < 0x80) {
    out = b0;
    ++pos;
    return true;
  }
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else
    return false;
  if (pos + extra >= s.size()) return false;
  for (int i = 1; i <= extra; ++i) {
    unsigned char b = byte(pos + i);
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3F);
  }
  static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  pos += extra + 1;
  out = cp;
  return true;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

namespace {

void appendUnit(Bytes& out, std::uint16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

}  // namespace

bool isValidUtf8(const std::string& text) {
  std::size_t pos = 0;
  char32_t cp;
  while (pos < text.size()) {
    if (!decodeUtf8(text, pos, cp)) return false;
  }
  return true;
}

Bytes utf8ToUtf16le(const std::string& text) {
  Bytes out;
  out.reserve(text.size() * 2);
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t cp;
    if (!decodeUtf8(text, pos, cp)) {
      cp = kReplacement;
      ++pos;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      appendUnit(out, static_cast<std::uint16_t>(0xD800 | (cp >> 10)));
      appendUnit(out, static_cast<std::uint16_t>(0xDC00 | (cp & 0x3FF)));
    } else {
      appendUnit(out, static_cast<std::uint16_t>(cp));
    }
  }
  return out;
}

std::string utf16leToUtf8(const Bytes& bytes) {
  std::string out;
  out.reserve(bytes.size());
  auto unitAt = [&](std::size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  std::size_t n = bytes.size() / 2;
  for (std::size_t i = 0; i < n; ++i) {
    char32_t u = unitAt(2 * i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n) {
      char32_t low = unitAt(2 * (i + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    appendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
  }
  return out;
}

Bytes swapUtf16ByteOrder(Bytes units) {
  for (std::size_t i = 0; i + 1 < units.size(); i += 2) std::swap(units[i], units[i + 1]);
  return units;
}

std::string cutUtf8(std::string text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t cut = limit;
  // Step back over continuation bytes so that no character is split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
  return text;
}

std::size_t completeUtf8Length(std::string_view text) {
  // The last lead byte lies at most three continuation bytes before the end.
  const std::size_t size = text.size();
  for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
    const auto byte = static_cast<unsigned char>(text[size - back]);
    if ((byte & 0xC0) == 0x80) continue;
    const std::size_t length = (byte & 0xE0) == 0xC0 ? 2 : (byte & 0xF0) == 0xE0 ? 3 : (byte & 0xF8) == 0xF0 ? 4 : 1;
    return back < length ? size - back : size;
  }
  return size;
}

}  // namespace lumaset
