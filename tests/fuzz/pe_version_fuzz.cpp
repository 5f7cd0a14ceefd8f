// libFuzzer target for the version-resource reader: any bytes give a version text or
// none, without a crash, a hang or a read outside the file.
#include <cstdint>
#include <cstdlib>

#include "formats/pe_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string version = lumaset::peProductVersion(lumaset::Bytes(reinterpret_cast<const char*>(data), size));
  if (version.size() > size) std::abort();  // a text from nowhere
  return 0;
}
