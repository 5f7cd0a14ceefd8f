#include "formats/wine_registry.h"

#include "formats/path_text.h"
#include "formats/utf.h"

namespace lumaset {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text of one quoted string or key name as UTF-8. Wine writes every character
// beyond ASCII as a \x escape of its UTF-16 code unit, so a character above U+FFFF comes
// as two escapes that pair up here; plain bytes are taken as UTF-8.
class EscapedText {
 public:
  void unit(char32_t u) {
    if (high_) {
      const char32_t high = high_;
      high_ = 0;
      if (u >= 0xDC00 && u <= 0xDFFF) {
        appendUtf8(text_, 0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
        return;
      }
      appendUtf8(text_, kReplacement);
    }
    if (u >= 0xD800 && u <= 0xDBFF) {
      high_ = u;
    } else {
      appendUtf8(text_, u >= 0xDC00 && u <= 0xDFFF ? kReplacement : u);
    }
  }
  void byte(char b) {
    endPair();
    text_ += b;
  }
  // The text, with every byte that is no part of valid UTF-8 replaced.
  std::string finish() {
    endPair();
    std::string valid;
    for (std::size_t pos = 0; pos < text_.size();) {
      char32_t c = 0;
      if (decodeUtf8(text_, pos, c)) {
        appendUtf8(valid, c);
      } else {
        appendUtf8(valid, kReplacement);
        ++pos;
      }
    }
    return valid;
  }

 private:
  void endPair() {
    if (high_) appendUtf8(text_, kReplacement);
    high_ = 0;
  }
  std::string text_;
  char32_t high_ = 0;
};

// Reads a number of up to `most` digits of `base` at `pos`; the digits read go past.
char32_t readDigits(std::string_view line, std::size_t& pos, int base, int most) {
  char32_t value = 0;
  for (int n = 0; n < most && pos < line.size(); ++n, ++pos) {
    const int digit = hexDigit(line[pos]);
    if (digit < 0 || digit >= base) break;
    value = value * static_cast<char32_t>(base) + static_cast<char32_t>(digit);
  }
  return value;
}

// The character of the escape whose letter is at `pos` (after the backslash), as wine's
// own reader takes it: C escapes, up to three octal digits, \x and up to four hex digits,
// and any other character standing for itself (\\, \", \[, \]).
void readEscape(std::string_view line, std::size_t& pos, EscapedText& text) {
  static constexpr std::string_view kLetters = "abefnrtv";
  static constexpr char kControls[] = {'\a', '\b', '\x1b', '\f', '\n', '\r', '\t', '\v'};
  const char c = line[pos];
  if (c == 'x' && pos + 1 < line.size() && hexDigit(line[pos + 1]) >= 0) {
    ++pos;
    text.unit(readDigits(line, pos, 16, 4));
  } else if (c >= '0' && c <= '7') {
    text.unit(readDigits(line, pos, 8, 3));
  } else if (std::size_t letter = kLetters.find(c); letter != std::string_view::npos) {
    text.unit(static_cast<unsigned char>(kControls[letter]));
    ++pos;
  } else {
    text.byte(c);
    ++pos;
  }
}

// The text from `pos` up to the first `close` that no backslash escapes; `pos` then
// stands after it. Nothing when the line ends first.
std::optional<std::string> readQuoted(std::string_view line, std::size_t& pos, char close) {
  EscapedText text;
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == close) return text.finish();
    if (c != '\\') {
      text.byte(c);
    } else if (pos < line.size()) {
      readEscape(line, pos, text);
    }
  }
  return std::nullopt;
}

std::string cutAtNul(std::string text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

// One value line: "name"=... or @=...; a string's text is kept, another type only named.
std::optional<RegistryValue> parseValue(std::string_view line) {
  RegistryValue value;
  std::size_t pos = 1;
  if (line[0] == '"') {
    std::optional<std::string> name = readQuoted(line, pos, '"');
    if (!name) return std::nullopt;
    value.name = *name;
  }
  if (pos >= line.size() || line[pos] != '=') return std::nullopt;
  const std::string_view data = line.substr(++pos);
  for (std::string_view opening : {"\"", "str(2):\""}) {
    if (data.substr(0, opening.size()) != opening) continue;
    pos += opening.size();
    std::optional<std::string> text = readQuoted(line, pos, '"');
    if (!text) return std::nullopt;
    value.text = cutAtNul(*text);
    value.isString = true;
    break;
  }
  return value;
}

}  // namespace

std::vector<RegistryKey> parseWineRegistry(std::string_view text) {
  std::vector<RegistryKey> keys;
  bool inKey = false;  // values belong to the last key only while its header parsed
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line[0] == '[') {
      std::size_t pos = 1;
      std::optional<std::string> path = readQuoted(line, pos, ']');
      inKey = path.has_value();
      if (path) keys.push_back({*path, {}});
    } else if (inKey && (line[0] == '"' || line[0] == '@')) {
      if (std::optional<RegistryValue> value = parseValue(line)) keys.back().values.push_back(std::move(*value));
    }
  }
  return keys;
}

std::vector<const RegistryKey*> registrySubkeys(const std::vector<RegistryKey>& keys, std::string_view parent) {
  std::vector<const RegistryKey*> below;
  for (const RegistryKey& key : keys) {
    const std::string_view path = key.path;
    if (path.size() <= parent.size() + 1 || path[parent.size()] != '\\') continue;
    if (!equalIgnoringAsciiCase(path.substr(0, parent.size()), parent)) continue;
    if (path.find('\\', parent.size() + 1) == std::string_view::npos) below.push_back(&key);
  }
  return below;
}

const RegistryKey* findRegistryKey(const std::vector<RegistryKey>& keys, std::string_view path) {
  for (const RegistryKey& key : keys) {
    if (equalIgnoringAsciiCase(key.path, path)) return &key;
  }
  return nullptr;
}

std::optional<std::string> registryString(const RegistryKey& key, std::string_view name) {
  for (const RegistryValue& value : key.values) {
    if (value.isString && equalIgnoringAsciiCase(value.name, name)) return value.text;
  }
  return std::nullopt;
}

std::optional<std::string> pathInWinePrefix(const std::string& prefix, std::string_view windowsPath, char sep) {
  std::string_view path = windowsPath;
  // The long-path forms name the same drive path.
  for (std::string_view longForm : {"\\\\?\\", "\\??\\"}) {
    if (path.substr(0, longForm.size()) == longForm) path.remove_prefix(longForm.size());
  }
  const char letter = path.empty() ? '\0' : asciiLower(path.substr(0, 1))[0];
  if (path.size() < 2 || letter < 'a' || letter > 'z' || path[1] != ':') return std::nullopt;
  // "C:name" is relative to the drive's current folder, which a prefix does not keep.
  if (path.size() > 2 && path[2] != '\\' && path[2] != '/') return std::nullopt;

  std::vector<std::string> parts;
  for (std::string& part : splitPath(std::string(path.substr(2)), "\\/")) {
    if (part.empty() || part == ".") continue;
    if (part != "..") {
      parts.push_back(std::move(part));
    } else if (!parts.empty()) {
      parts.pop_back();
    }
  }
  std::string local = prefix;
  while (local.size() > 1 && local.back() == sep) local.pop_back();
  local += letter == 'c' ? sep + std::string("drive_c") : sep + std::string("dosdevices") + sep + letter + ':';
  for (const std::string& part : parts) local += sep + part;
  return local;
}

}  // namespace lumaset
