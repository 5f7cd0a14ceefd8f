// libFuzzer target for the profile reader as the POSIX build uses it: decoding any
// bytes (every byte-order mark, GBK guesses, UTF-16 of odd length) and looking keys up.
#include <cstdint>

#include "formats/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumaset::Bytes raw(reinterpret_cast<const char*>(data), size);
  // A stand-in for the system's GBK conversion: accepts some texts, refuses others.
  auto gbk = [](const std::string& text) -> std::optional<std::string> {
    if (text.size() % 3 == 0) return std::nullopt;
    return std::string(text.size(), 'g');
  };
  lumaset::ProfileText text = lumaset::decodeProfileText(raw, gbk);
  std::size_t found = 0;
  for (const char* key : {"info", "by", "loadtext"}) {
    if (auto value = lumaset::lookupProfileValue(text.utf8, "Lumaset_theme", key)) found += value->size();
  }
  lumaset::Bytes again = lumaset::encodeProfileText(text.utf8, text.encoding, gbk);
  volatile std::size_t sink = found + again.size();
  (void)sink;
  return 0;
}
