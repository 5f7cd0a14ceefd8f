// The text of a profile (INI) file: UTF-16LE with a byte-order mark as Windows keeps it,
// UTF-16BE or UTF-8 with a mark, or unmarked UTF-8 or GBK (the Chinese ANSI code page)
// as editors save a theme's info.ini. Decoding notes which encoding a file came in, so
// that a rewrite keeps it; both builds decode the same bytes to the same text.
#pragma once
#include <optional>
#include <string>

#include "formats/bytes.h"
#include "formats/text_guess.h"

namespace lumaset {

// A profile value holds at most this many bytes (a 10240-byte buffer with its NUL).
inline constexpr std::size_t kProfileValueLimit = 10239;

// Cuts a UTF-8 value to the profile limit without splitting a character.
std::string cutProfileValue(std::string value);

enum class ProfileEncoding { Utf16le, Utf8Bom, Utf8, Gbk };

struct ProfileText {
  std::string utf8;
  ProfileEncoding encoding = ProfileEncoding::Utf16le;
};

// A byte-order mark decides (UTF-16LE, UTF-16BE, UTF-8); else plausible UTF-8 is UTF-8
// (formats/text_guess.h), else text that converts from GBK is GBK, else the bytes are
// taken as UTF-8. UTF-16BE is rewritten as UTF-16LE.
ProfileText decodeProfileText(const Bytes& raw, const CodePageConversion& gbkToUtf8);
// The value of `key` in `section` of a profile's text, sections and keys matched without
// regard to ASCII case, quotes around the value removed; nothing when either is missing.
std::optional<std::string> lookupProfileValue(const std::string& utf8, const std::string& section,
                                              const std::string& key);

// The text in `encoding`; a text that GBK cannot hold becomes UTF-16LE with its mark.
Bytes encodeProfileText(const std::string& utf8, ProfileEncoding encoding, const CodePageConversion& utf8ToGbk);

}  // namespace lumaset
