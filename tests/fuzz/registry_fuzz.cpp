// libFuzzer target for a wine prefix's registry text: parsing any bytes, looking up the
// keys and values the host places read, and mapping every string value into a prefix.
// Every text that comes out must be valid UTF-8 without a NUL.
#include <cstdint>
#include <cstdlib>

#include "formats/utf.h"
#include "formats/wine_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<lumaset::RegistryKey> keys = lumaset::parseWineRegistry(text);
  std::size_t mapped = 0;
  for (const lumaset::RegistryKey* key : lumaset::registrySubkeys(keys, "Software\\Adobe\\Photoshop")) {
    if (auto path = lumaset::registryString(*key, "ApplicationPath")) mapped += path->size();
  }
  for (const lumaset::RegistryKey& key : keys) {
    if (!lumaset::isValidUtf8(key.path)) std::abort();
    for (const lumaset::RegistryValue& value : key.values) {
      if (!lumaset::isValidUtf8(value.name) || !lumaset::isValidUtf8(value.text)) std::abort();
      if (value.text.find('\0') != std::string::npos) std::abort();
      if (auto local = lumaset::pathInWinePrefix("/prefix", value.text, '/')) mapped += local->size();
    }
  }
  volatile std::size_t sink = mapped + (lumaset::findRegistryKey(keys, "Software") != nullptr);
  (void)sink;
  return 0;
}
