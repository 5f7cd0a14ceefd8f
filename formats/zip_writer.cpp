#include "formats/zip_writer.h"

#include <zlib.h>

#include <algorithm>

namespace lumaset {
namespace {

void put(Bytes& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

Bytes rawDeflate(const Bytes& data) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace

Bytes writeZip(std::vector<ZipFile> files, std::uint16_t dosDate, std::uint16_t dosTime) {
  if (files.size() > 0xFFFF) return {};
  std::sort(files.begin(), files.end(), [](const ZipFile& a, const ZipFile& b) { return a.name < b.name; });
  Bytes archive, directory;
  for (const ZipFile& f : files) {
    if (f.data.size() >= 0xFFFFFFFFull || f.name.size() > 0xFFFF) return {};
    Bytes packed = rawDeflate(f.data);
    const bool deflated = packed.size() < f.data.size();
    const Bytes& stored = deflated ? packed : f.data;
    if (archive.size() >= 0xFFFFFFFFull - stored.size()) return {};
    const auto crc = static_cast<std::uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(f.data.data()), static_cast<uInt>(f.data.size())));
    Bytes common;
    put(common, 20, 2);      // version needed: 2.0
    put(common, 0x0800, 2);  // the name is UTF-8
    put(common, deflated ? 8 : 0, 2);
    put(common, dosTime, 2);
    put(common, dosDate, 2);
    put(common, crc, 4);
    put(common, stored.size(), 4);
    put(common, f.data.size(), 4);
    put(common, f.name.size(), 2);
    put(common, 0, 2);  // no extra field
    const std::uint64_t offset = archive.size();
    put(archive, 0x04034b50, 4);
    archive += common + f.name + stored;
    put(directory, 0x02014b50, 4);
    // Made by Unix, 2.0, with a plain file's permissions: unzippers that translate the
    // names of archives made on MS-DOS from its code page would garble UTF-8 ones.
    put(directory, (3 << 8) | 20, 2);
    directory += common;
    put(directory, 0, 2);               // comment
    put(directory, 0, 2);               // disk
    put(directory, 0, 2);               // internal attributes
    put(directory, 0100644u << 16, 4);  // external attributes: -rw-r--r--
    put(directory, offset, 4);
    directory += f.name;
  }
  const std::uint64_t directoryOffset = archive.size();
  Bytes end;
  put(end, 0x06054b50, 4);
  put(end, 0, 4);
  put(end, files.size(), 2);
  put(end, files.size(), 2);
  put(end, directory.size(), 4);
  put(end, directoryOffset, 4);
  put(end, 0, 2);
  return archive + directory + end;
}

}  // namespace lumaset
