// Straight-alpha pixels drawn over premultiplied ones (both 0xAARRGGBB), as GDI+ draws an
// image at its own size. The layered windows' frames are composed with this rather than
// with GDI+: wine's GDI+ blends an image into a bitmap one pixel at a time through its
// public pixel calls, and the preview's frame took 30 ms of the program's start. Portable,
// so that the rounding is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lumaset::kit {

// x × y / 255, rounded to the nearest.
constexpr std::uint32_t mulDiv255(std::uint32_t x, std::uint32_t y) {
  const std::uint32_t t = x * y + 128;
  return (t + (t >> 8)) >> 8;
}

// One source pixel (straight alpha) over one destination pixel (premultiplied); the
// result is premultiplied, each colour at most its alpha.
constexpr std::uint32_t overPremultiplied(std::uint32_t destination, std::uint32_t source) {
  const std::uint32_t alpha = source >> 24;
  if (alpha == 0) return destination;
  if (alpha == 255) return source;  // what the products below give, most pixels of a splash
  const std::uint32_t rest = 255 - alpha;
  std::uint32_t out = (alpha + mulDiv255(destination >> 24, rest)) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t s = (source >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
    out |= (mulDiv255(s, alpha) + mulDiv255(d, rest)) << shift;
  }
  return out;
}

// A row of `count` source pixels over as many destination pixels.
inline void blendRow(std::uint32_t* destination, const std::uint32_t* source, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) destination[i] = overPremultiplied(destination[i], source[i]);
}

}  // namespace lumaset::kit
