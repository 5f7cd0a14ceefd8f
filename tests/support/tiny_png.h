// The smallest PNG writer that serves the Windows tests, which have zlib but no libpng:
// RGBA, 8 bits, no filtering.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <string>

namespace lumaset::testing {

inline void appendBigEndian32(std::string& s, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void appendPngChunk(std::string& png, const char* type, const std::string& data) {
  appendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  png += body;
  appendBigEndian32(png, static_cast<std::uint32_t>(
                             crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// A PNG of `width` x `height` RGBA pixels whose IDAT chunk holds `imageData` as given.
inline std::string pngWithImageData(int width, int height, const std::string& imageData) {
  std::string header;
  appendBigEndian32(header, static_cast<std::uint32_t>(width));
  appendBigEndian32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);
  std::string png("\x89PNG\r\n\x1a\n", 8);
  appendPngChunk(png, "IHDR", header);
  appendPngChunk(png, "IDAT", imageData);
  appendPngChunk(png, "IEND", "");
  return png;
}

inline std::string solidPngRgba(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    for (int x = 0; x < width; ++x)
      raw += std::string{static_cast<char>(r), static_cast<char>(g), static_cast<char>(b), static_cast<char>(a)};
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
           static_cast<uLong>(raw.size()));
  packed.resize(size);
  return pngWithImageData(width, height, packed);
}

}  // namespace lumaset::testing
