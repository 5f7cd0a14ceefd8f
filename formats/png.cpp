#include "formats/png.h"

#include <zlib.h>

namespace lumaset {
namespace {

std::uint32_t bigEndian32(const Bytes& b, std::size_t pos) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(b[pos + i]);
  return v;
}

// Bit depths that PNG allows for each colour type.
bool validColourAndDepth(unsigned colourType, unsigned depth) {
  switch (colourType) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

bool soundHeader(const Bytes& b, std::size_t data) {
  std::uint32_t width = bigEndian32(b, data), height = bigEndian32(b, data + 4);
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(b[data + i]); };
  return width >= 1 && width <= kPngMaxSide && height >= 1 && height <= kPngMaxSide &&
         validColourAndDepth(at(9), at(8)) && at(10) == 0 && at(11) == 0 && at(12) <= 1;
}

}  // namespace

const Bytes& pngSignature() {
  static const Bytes signature("\x89PNG\r\n\x1a\n", 8);
  return signature;
}

bool startsWithPngSignature(const Bytes& data) { return data.compare(0, 8, pngSignature()) == 0; }

std::optional<PngSize> pngSize(const Bytes& png) {
  if (png.size() < 24 || !startsWithPngSignature(png)) return std::nullopt;
  return PngSize{bigEndian32(png, 16), bigEndian32(png, 20)};
}

bool isSoundPng(const Bytes& png) {
  if (png.size() > kPngMaxFileSize || !startsWithPngSignature(png)) return false;
  bool sawHeader = false, sawData = false, sawPalette = false;
  unsigned colourType = 0;
  for (std::size_t pos = 8;;) {
    if (png.size() - pos < 12) return false;
    const std::uint32_t length = bigEndian32(png, pos);
    if (length > png.size() - pos - 12) return false;
    const std::string type = png.substr(pos + 4, 4);
    for (char c : type) {
      if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    }
    auto crc = static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(png.data() + pos + 4), length + 4));
    if (crc != bigEndian32(png, pos + 8 + length)) return false;
    if (!sawHeader) {
      if (type != "IHDR" || length != 13 || !soundHeader(png, pos + 8)) return false;
      sawHeader = true;
      colourType = static_cast<unsigned char>(png[pos + 8 + 9]);
    } else if (type == "IHDR") {
      return false;
    }
    sawData = sawData || type == "IDAT";
    sawPalette = sawPalette || type == "PLTE";
    if (type == "IEND") return length == 0 && sawData && (colourType != 3 || sawPalette);
    pos += 12 + length;
  }
}

}  // namespace lumaset
