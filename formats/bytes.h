// Byte strings: file contents, images and index records are carried as std::string,
// which owns its bytes, knows its length and may hold NUL bytes.
#pragma once
#include <cstdint>
#include <string>

namespace lumaset {

using Bytes = std::string;

// Little-endian 32-bit integers, as the host's index stores them.
inline std::int32_t readInt32LE(const Bytes& b, std::size_t pos) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[pos + i]);
  return static_cast<std::int32_t>(v);
}

inline void writeInt32LE(Bytes& b, std::size_t pos, std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) b[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Two lower-case hexadecimal digits for each byte.
inline std::string hexText(const Bytes& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

}  // namespace lumaset
