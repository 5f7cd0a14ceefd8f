// Profile strings on POSIX, read and written as the Windows profile functions do. The
// parsing is SimpleIni's (case-insensitive sections and keys); this file adds the
// text encodings that Windows profile files come in: UTF-16LE with a byte-order mark,
// UTF-8, or the Chinese ANSI code page (GBK). A file keeps its encoding when a key is
// written; a new file is UTF-16LE with a byte-order mark, as the Windows build makes
// it, so that any path survives whatever the system's code page.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <iconv.h>

#include <optional>

#include "platform/posix_files.h"
#include "platform/utf.h"

namespace lumaset {
namespace {

enum class Encoding { Utf16le, Utf8Bom, Utf8, Gbk };

const std::string kUtf16Bom = "\xFF\xFE";
const std::string kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::optional<std::string> convertEncoding(const std::string& in, const char* to, const char* from) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  std::size_t rc = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  ::iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

std::optional<std::string> PosixFiles::chineseCodePageToUtf8(const Bytes& text) {
  return convertEncoding(text, "UTF-8", "GBK");
}

namespace {

struct DecodedText {
  std::string utf8;
  Encoding encoding = Encoding::Utf16le;
};

DecodedText decode(const Bytes& raw) {
  if (raw.compare(0, 2, kUtf16Bom) == 0) return {utf16leToUtf8(raw.substr(2)), Encoding::Utf16le};
  if (raw.compare(0, 3, kUtf8Bom) == 0) return {raw.substr(3), Encoding::Utf8Bom};
  if (isValidUtf8(raw)) return {raw, Encoding::Utf8};
  if (auto text = convertEncoding(raw, "UTF-8", "GBK")) return {*text, Encoding::Gbk};
  return {raw, Encoding::Utf8};
}

Bytes encode(const std::string& utf8, Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf16le: return kUtf16Bom + utf8ToUtf16le(utf8);
    case Encoding::Utf8Bom: return kUtf8Bom + utf8;
    case Encoding::Utf8: return utf8;
    case Encoding::Gbk:
      if (auto text = convertEncoding(utf8, "GBK", "UTF-8")) return *text;
      return kUtf16Bom + utf8ToUtf16le(utf8);  // a character GBK cannot hold
  }
  return utf8;
}

void configure(CSimpleIniA& ini) {
  ini.SetUnicode(true);
  ini.SetMultiKey(false);
  ini.SetQuotes(true);
  ini.SetSpaces(false);
}

}  // namespace

std::string PosixFiles::readProfileString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& def) {
  Bytes raw = readFile(file);
  if (raw.empty()) return cutProfileValue(def);
  CSimpleIniA ini;
  configure(ini);
  std::string text = decode(raw).utf8;
  if (ini.LoadData(text.data(), text.size()) < 0) return cutProfileValue(def);
  const char* value = ini.GetValue(section.c_str(), key.c_str(), nullptr);
  return cutProfileValue(value ? value : def);
}

bool PosixFiles::writeProfileString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& value) {
  Bytes raw = readFile(file);
  DecodedText decoded = raw.empty() ? DecodedText{} : decode(raw);
  CSimpleIniA ini;
  configure(ini);
  if (ini.LoadData(decoded.utf8.data(), decoded.utf8.size()) < 0) return false;
  if (ini.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0) return false;
  std::string out;
  if (ini.Save(out) < 0) return false;
  return writeFile(file, encode(out, decoded.encoding));
}

}  // namespace lumaset
