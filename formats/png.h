// What the program knows of PNG files: their signature and the image size in the header.
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

}  // namespace lumaset
