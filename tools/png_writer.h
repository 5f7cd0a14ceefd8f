// Encodes RGBA pixels as a PNG file in memory, with libpng.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lumaset::tools {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;  // row by row

  Image(int w, int h, Rgba fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The PNG file's bytes; empty if libpng fails. `level` is zlib's compression level.
std::string encodePng(const Image& image, int level = 9);

// Decodes a PNG file's bytes to RGBA (for checks); width 0 when it does not decode.
Image decodePng(const std::string& bytes);

}  // namespace lumaset::tools
