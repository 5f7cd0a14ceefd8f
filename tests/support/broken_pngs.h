// PNG files damaged the ways a careless tool or a hostile theme damages them, made from
// one sound image.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lumaset::testing {

inline void putBigEndian32(std::string& png, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) png[at + i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
}

// The chunk at `at` (its length field) gets a CRC that matches its type and data again.
inline void fixChunkCrc(std::string& png, std::size_t at) {
  std::uint32_t length = 0;
  for (int i = 0; i < 4; ++i) length = (length << 8) | static_cast<unsigned char>(png[at + i]);
  auto crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4));
  putBigEndian32(png, at + 8 + length, crc);
}

// The image with the header's width and height replaced (CRC kept valid).
inline std::string withDimensions(std::string png, std::uint32_t width, std::uint32_t height) {
  putBigEndian32(png, 16, width);
  putBigEndian32(png, 20, height);
  fixChunkCrc(png, 8);
  return png;
}

// Named broken copies of a sound PNG.
inline std::vector<std::pair<std::string, std::string>> brokenPngs(const std::string& sound) {
  std::string lying = sound;
  putBigEndian32(lying, 33, 0x00FFFFF0);  // the first chunk after IHDR claims 16 MiB
  std::string badCrc = sound;
  badCrc[sound.size() - 20] ^= 0x01;
  return {{"eight bytes", sound.substr(0, 8)},
          {"truncated", sound.substr(0, sound.size() - 13)},
          {"lying chunk length", lying},
          {"damaged data", badCrc},
          {"100000 x 100000", withDimensions(sound, 100000, 100000)},
          {"zero width", withDimensions(sound, 0, 32)},
          {"no end chunk", sound.substr(0, sound.size() - 12)}};
}

}  // namespace lumaset::testing
