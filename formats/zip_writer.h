// Writes zip archives: theme packages (lumaset-cli pack) and the release download. Every
// member is deflated (or stored when that is no smaller), carries the UTF-8 name flag so
// that Chinese names survive every unpacker, and the fixed time given; members go in the
// order of their names, so that the same files always give the same bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/bytes.h"

namespace lumaset {

struct ZipFile {
  std::string name;  // UTF-8, '/' between folders
  Bytes data;
};

// 1980-01-01 00:00, the earliest time a zip can hold.
inline constexpr std::uint16_t kZipEarliestDate = (0 << 9) | (1 << 5) | 1;
inline constexpr std::uint16_t kZipEarliestTime = 0;

// The archive of `files` (sorted by name here); empty when a member is too large for a
// zip without its 64-bit extension (4 GiB) or there are more than 65535 members.
Bytes writeZip(std::vector<ZipFile> files, std::uint16_t dosDate = kZipEarliestDate,
               std::uint16_t dosTime = kZipEarliestTime);

}  // namespace lumaset
