// Builds zip archives byte by byte for tests, so that every header field can be set to
// what a hostile or broken archive would carry.
#pragma once
#include <zlib.h>

#include <string>
#include <vector>

namespace lumaset::testing {

struct ZipEntrySpec {
  std::string name;
  std::string data;
  bool deflate = true;
  std::uint16_t flags = 0;
  std::uint16_t method = 0xFFFF;  // 0xFFFF: from `deflate`
  std::uint16_t madeBy = 0x031E;  // Unix, version 3.0
  std::uint32_t external = 0100644u << 16;
  long long crcDelta = 0;   // added to the true CRC-32
  long long sizeDelta = 0;  // added to the declared uncompressed size
  std::string extra;        // the central directory entry's extra field
};

// An Info-ZIP Unicode Path extra field for a member stored under `storedName`.
inline std::string unicodePathField(const std::string& storedName, const std::string& utf8Name,
                                    std::uint32_t crcDelta = 0) {
  std::string field;
  auto add = [&field](std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) field += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  add(0x7075, 2);
  add(5 + utf8Name.size(), 2);
  add(1, 1);
  add(crc32(0, reinterpret_cast<const Bytef*>(storedName.data()), static_cast<uInt>(storedName.size())) + crcDelta, 4);
  return field + utf8Name;
}

inline std::string rawDeflate(const std::string& data, int level = 6) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

inline void put(std::string& b, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::string buildZip(const std::vector<ZipEntrySpec>& entries) {
  std::string archive, directory;
  for (const ZipEntrySpec& e : entries) {
    std::uint16_t method = e.method != 0xFFFF ? e.method : (e.deflate ? 8 : 0);
    std::string stored = method == 8 ? rawDeflate(e.data) : e.data;
    auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())) + e.crcDelta);
    auto size = static_cast<std::uint32_t>(e.data.size() + e.sizeDelta);
    auto offset = static_cast<std::uint32_t>(archive.size());
    std::string common;
    put(common, 20, 2);
    put(common, e.flags, 2);
    put(common, method, 2);
    put(common, 0, 4);  // time and date
    put(common, crc, 4);
    put(common, stored.size(), 4);
    put(common, size, 4);
    put(common, e.name.size(), 2);
    put(common, 0, 2);  // extra length
    put(archive, 0x04034b50, 4);
    archive += common + e.name + stored;
    put(directory, 0x02014b50, 4);
    put(directory, e.madeBy, 2);
    directory += common.substr(0, common.size() - 2);
    put(directory, e.extra.size(), 2);
    put(directory, 0, 2);  // comment length
    put(directory, 0, 2);  // disk
    put(directory, 0, 2);  // internal attributes
    put(directory, e.external, 4);
    put(directory, offset, 4);
    directory += e.name + e.extra;
  }
  std::string end;
  put(end, 0x06054b50, 4);
  put(end, 0, 4);
  put(end, entries.size(), 2);
  put(end, entries.size(), 2);
  put(end, directory.size(), 4);
  put(end, archive.size(), 4);
  put(end, 0, 2);
  return archive + directory + end;
}

}  // namespace lumaset::testing
