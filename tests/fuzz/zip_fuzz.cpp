// libFuzzer target for the zip reader: any bytes must be refused or read without a
// crash, a hang or a read outside the archive.
#include <cstdint>
#include <string>

#include "formats/zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumaset::Bytes archive(reinterpret_cast<const char*>(data), size);
  // A stand-in for the system's GBK conversion: accepts some names, refuses others.
  auto gbk = [](const std::string& raw) -> std::optional<std::string> {
    if (raw.empty() || raw[0] == '\x80') return std::nullopt;
    return raw;
  };
  std::size_t total = 0;
  lumaset::readZip(archive, gbk, [&](const lumaset::ZipMember& m, const lumaset::Bytes& bytes) {
    total += m.name.size() + bytes.size();
    return true;
  });
  return 0;
}
