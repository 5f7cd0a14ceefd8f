// SHA-256, fed piece by piece, for the record that proves the backup and the program's own
// changes of the host's files. Written here because no Debian package offers a hash
// library to the mingw build (OpenSSL, libgcrypt and nettle come for Linux only); the
// tests hold it to the published test vectors.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "formats/bytes.h"

namespace lumaset {

class Sha256 {
 public:
  Sha256();
  void update(const char* data, std::size_t size);
  void update(const Bytes& data) { update(data.data(), data.size()); }
  // The digest as 64 lower-case hexadecimal digits; the hash can take no more input.
  std::string hexDigest();

 private:
  void block(const unsigned char* p);

  std::array<std::uint32_t, 8> state_;
  unsigned char buffer_[64];
  std::size_t buffered_ = 0;
  std::uint64_t length_ = 0;
};

// The hash of a whole byte string.
std::string sha256Hex(const Bytes& data);

}  // namespace lumaset
