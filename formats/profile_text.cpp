#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include "formats/profile_text.h"

#include <SimpleIni.h>

#include "formats/byte_order_mark.h"
#include "formats/utf.h"

namespace lumaset {

std::string cutProfileValue(std::string value) { return cutUtf8(std::move(value), kProfileValueLimit); }

ProfileText decodeProfileText(const Bytes& raw, const CodePageConversion& gbkToUtf8) {
  const Bom bom = bomOf(raw);
  switch (bom) {
    case Bom::Utf16Le:
      return {utf16leToUtf8(raw.substr(bomLength(bom))), ProfileEncoding::Utf16le};
    case Bom::Utf16Be:
      return {utf16leToUtf8(swapUtf16ByteOrder(raw.substr(bomLength(bom)))), ProfileEncoding::Utf16le};
    case Bom::Utf8:
      return {raw.substr(bomLength(bom)), ProfileEncoding::Utf8Bom};
    case Bom::None:
      break;
  }
  if (isPlausibleUtf8(raw)) return {raw, ProfileEncoding::Utf8};
  if (auto text = gbkToUtf8 ? gbkToUtf8(raw) : std::nullopt) return {*text, ProfileEncoding::Gbk};
  return {raw, ProfileEncoding::Utf8};
}

std::optional<std::string> lookupProfileValue(const std::string& utf8, const std::string& section,
                                              const std::string& key) {
  CSimpleIniA ini;
  ini.SetUnicode(true);
  ini.SetMultiKey(false);
  ini.SetQuotes(true);
  ini.SetSpaces(false);
  if (ini.LoadData(utf8.data(), utf8.size()) < 0) return std::nullopt;
  const char* value = ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (!value) return std::nullopt;
  return std::string(value);
}

Bytes encodeProfileText(const std::string& utf8, ProfileEncoding encoding, const CodePageConversion& utf8ToGbk) {
  switch (encoding) {
    case ProfileEncoding::Utf16le:
      return kUtf16LeBom + utf8ToUtf16le(utf8);
    case ProfileEncoding::Utf8Bom:
      return kUtf8Bom + utf8;
    case ProfileEncoding::Utf8:
      return utf8;
    case ProfileEncoding::Gbk:
      if (auto text = utf8ToGbk(utf8)) return *text;
      return kUtf16LeBom + utf8ToUtf16le(utf8);
  }
  return utf8;
}

}  // namespace lumaset
