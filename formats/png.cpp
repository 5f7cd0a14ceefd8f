#include "formats/png.h"

namespace lumaset {
namespace {

std::uint32_t bigEndian32(const Bytes& b, std::size_t pos) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(b[pos + i]);
  return v;
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

}  // namespace lumaset
