// Profile strings on POSIX, read and written as the Windows profile functions do. The
// parsing is SimpleIni's (case-insensitive sections and keys); the encodings are those
// of formats/profile_text.h, with iconv for GBK. A file keeps its encoding when a key is
// written; a new file is UTF-16LE with a byte-order mark, as the Windows build makes
// it, so that any path survives whatever the system's code page.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <iconv.h>

#include <optional>

#include "formats/profile_text.h"
#include "platform/posix_files.h"

namespace lumaset {

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

std::optional<std::string> gbkToUtf8(const std::string& text) { return convertEncoding(text, "UTF-8", "GBK"); }
std::optional<std::string> utf8ToGbk(const std::string& text) { return convertEncoding(text, "GBK", "UTF-8"); }

void configure(CSimpleIniA& ini) {
  ini.SetUnicode(true);
  ini.SetMultiKey(false);
  ini.SetQuotes(true);
  ini.SetSpaces(false);
}

}  // namespace

std::string PosixFiles::readProfileString(const std::string& file, const std::string& section, const std::string& key,
                                          const std::string& def) {
  Bytes raw = readFile(file);
  if (raw.empty()) return cutProfileValue(def);
  std::optional<std::string> value = lookupProfileValue(decodeProfileText(raw, gbkToUtf8).utf8, section, key);
  return cutProfileValue(value ? *value : def);
}

bool PosixFiles::writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& value) {
  Bytes raw = readFile(file);
  ProfileText decoded = raw.empty() ? ProfileText{} : decodeProfileText(raw, gbkToUtf8);
  CSimpleIniA ini;
  configure(ini);
  if (ini.LoadData(decoded.utf8.data(), decoded.utf8.size()) < 0) return false;
  if (ini.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0) return false;
  std::string out;
  if (ini.Save(out) < 0) return false;
  return writeFile(file, encodeProfileText(out, decoded.encoding, utf8ToGbk));
}

}  // namespace lumaset
