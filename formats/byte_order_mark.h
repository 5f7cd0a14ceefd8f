// The byte-order mark at the start of a text file: what it says of the encoding, and how
// many bytes it takes. Text files the program reads (profiles, a theme's startup text)
// are read by it first.
#pragma once
#include <cstddef>

#include "formats/bytes.h"

namespace lumaset {

inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
inline constexpr char kUtf16LeBom[] = "\xFF\xFE";
inline constexpr char kUtf16BeBom[] = "\xFE\xFF";

enum class Bom { None, Utf8, Utf16Le, Utf16Be };

// The mark that the bytes begin with.
inline Bom bomOf(const Bytes& text) {
  if (text.starts_with(kUtf16LeBom)) return Bom::Utf16Le;
  if (text.starts_with(kUtf16BeBom)) return Bom::Utf16Be;
  if (text.starts_with(kUtf8Bom)) return Bom::Utf8;
  return Bom::None;
}

// The mark's length in bytes: 3, 2, 2 or 0.
inline std::size_t bomLength(Bom bom) {
  switch (bom) {
    case Bom::Utf8:
      return 3;
    case Bom::Utf16Le:
    case Bom::Utf16Be:
      return 2;
    case Bom::None:
      break;
  }
  return 0;
}

}  // namespace lumaset
