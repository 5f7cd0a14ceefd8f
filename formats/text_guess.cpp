#include "formats/text_guess.h"

#include "formats/byte_order_mark.h"
#include "formats/utf.h"

namespace lumaset {
namespace {

bool isCjkOrFullWidth(char32_t c) {
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kRanges[] = {
      {0x00B7, 0x00B7},    // middle dot, as in names of people
      {0x2010, 0x2027},    // dashes, quotation marks, ellipsis
      {0x2030, 0x205E},    // per mille, primes, reference mark
      {0x2E80, 0x2FDF},    // radicals
      {0x3000, 0x312F},    // CJK symbols and punctuation, kana, bopomofo
      {0x3190, 0x31FF},    // kanbun, strokes, kana extensions
      {0x3400, 0x4DBF},    // ideographs, extension A
      {0x4E00, 0x9FFF},    // unified ideographs
      {0xF900, 0xFAFF},    // compatibility ideographs
      {0xFE30, 0xFE4F},    // compatibility forms
      {0xFF00, 0xFFEF},    // half-width and full-width forms
      {0x20000, 0x3FFFF},  // ideographs, extensions B and later
  };
  for (const Range& r : kRanges) {
    if (c >= r.first && c <= r.last) return true;
  }
  return false;
}

constexpr char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

}  // namespace

bool isPlausibleUtf8(const std::string& text) {
  std::size_t pos = 0;
  char32_t c;
  while (pos < text.size()) {
    if (!decodeUtf8(text, pos, c)) return false;
    if (c >= 0x80 && !isCjkOrFullWidth(c)) return false;
  }
  return true;
}

std::optional<std::string> decodeUnmarkedText(const Bytes& raw, const CodePageConversion& gbkToUtf8) {
  if (isPlausibleUtf8(raw)) return raw;
  if (gbkToUtf8) {
    if (std::optional<std::string> text = gbkToUtf8(raw)) return text;
  }
  return std::nullopt;
}

Bytes startupTextAsUtf16le(const Bytes& raw, const CodePageConversion& gbkToUtf8) {
  const Bom bom = bomOf(raw);
  switch (bom) {
    case Bom::Utf16Le:
      return raw.substr(bomLength(bom));
    case Bom::Utf16Be:
      return swapUtf16ByteOrder(raw.substr(bomLength(bom)));
    case Bom::Utf8:
      return utf8ToUtf16le(raw.substr(bomLength(bom)));
    case Bom::None:
      break;
  }
  if (raw.find('\0') != Bytes::npos) return raw;
  if (std::optional<std::string> text = decodeUnmarkedText(raw, gbkToUtf8)) return utf8ToUtf16le(*text);
  return utf8ToUtf16le(raw);
}

std::string cp437ToUtf8(const Bytes& raw) {
  std::string out;
  out.reserve(raw.size() * 2);
  for (unsigned char b : raw) appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kCp437High[b - 0x80]});
  return out;
}

}  // namespace lumaset
