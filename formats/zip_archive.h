// A zip reader on zlib's inflate, for theme packages. No Debian package offers a zip
// reader for the mingw build, so this small one serves both builds. It is written for
// hostile input: every member is checked (name, type, method, sizes, CRC-32) and an
// archive that fails any check is refused as a whole.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "formats/bytes.h"
#include "formats/text_guess.h"

namespace lumaset {

// Results of reading and unpacking a package. kZipOk is the only success.
enum ZipResult : int {
  kZipOk = 1,
  kZipNotAnArchive = 0,  // missing, unreadable, or no zip directory
  kZipDamaged = -1,      // headers or sizes that do not hold together
  kZipUnsafeName = -2,   // absolute, drive letter, "..", ':' or a name Windows cannot hold
  kZipSymbolicLink = -3,
  kZipEncrypted = -4,
  kZipUnsupportedMethod = -5,  // other than stored and deflate
  kZipNameClash = -6,          // two members whose names differ only in letter case
  kZipCorruptData = -7,        // CRC-32 or size mismatch, inflate error
  kZipTooLarge = -8,           // above the size limits, or a ratio that shows a zip bomb
  kZipWriteFailed = -9,        // the unpacked files could not be written
};

// A complete theme is a few MiB; the limits leave room for a generous one and stop a
// package from filling the disk. The ratio is the whole package's: all members' sizes
// against all their compressed bytes (PNG images hardly compress), once the total is
// above kZipRatioFloor, where a ratio starts to mean something.
inline constexpr std::uint64_t kZipTotalLimit = 64ull << 20;
inline constexpr std::uint64_t kZipBombRatio = 100;
inline constexpr std::uint64_t kZipRatioFloor = 1ull << 20;
inline constexpr std::size_t kZipMaxMembers = 10000;

struct ZipMember {
  std::string name;  // UTF-8, '/' between its parts, no trailing '/'
  bool folder = false;
  std::uint64_t size = 0;
};

// How a member's name becomes UTF-8: an Info-ZIP Unicode Path field (0x7075) whose CRC
// matches the stored name gives it; a name flagged UTF-8 must be valid; an unflagged
// name is taken as UTF-8 where that is plausible, else as GBK through `gbkToUtf8` (the
// system's conversion, may be empty), else as code page 437 (formats/text_guess.h).
using LegacyNameDecoder = CodePageConversion;

// Lists and checks every member; kZipOk when the archive may be unpacked as a whole.
ZipResult listZip(const Bytes& archive, const LegacyNameDecoder& decode, std::vector<ZipMember>& members);

// Checks the archive, then inflates the members one by one in directory order and
// hands each to `sink` (folders with empty data); stops at the first failure, whether
// its own or the sink's (a sink returning false gives kZipWriteFailed).
ZipResult readZip(const Bytes& archive, const LegacyNameDecoder& decode,
                  const std::function<bool(const ZipMember&, const Bytes&)>& sink);

}  // namespace lumaset
