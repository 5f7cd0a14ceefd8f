// What the program knows of PNG files: their signature, the image size in the header, and
// whether the chunk structure holds together (the pixels themselves are the system's to
// decode).
#pragma once
#include <cstdint>
#include <optional>

#include "formats/bytes.h"

namespace lumaset {

// The eight bytes every PNG file begins with.
const Bytes& pngSignature();
bool startsWithPngSignature(const Bytes& data);

struct PngSize {
  std::uint32_t width = 0, height = 0;
};

// Width and height from the IHDR chunk that follows the signature; nothing when the
// bytes are too short or do not begin with the signature.
std::optional<PngSize> pngSize(const Bytes& png);

// The largest image the program puts into the host's packs: far above any splash or icon
// (1676 × 1012 at most), far below what would exhaust the host's memory.
inline constexpr std::uint32_t kPngMaxSide = 16384;
inline constexpr std::uint64_t kPngMaxFileSize = 64ull << 20;

// Whether `png` is a whole PNG file: the signature, an IHDR first with sane dimensions
// (1 to kPngMaxSide a side) and a valid colour type and bit depth, every chunk complete
// with a matching CRC, at least one IDAT, and IEND (anything after it is ignored); at
// most kPngMaxFileSize bytes.
bool isSoundPng(const Bytes& png);

}  // namespace lumaset
