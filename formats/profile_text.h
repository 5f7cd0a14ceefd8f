// The text of a profile (INI) file as Windows keeps it: UTF-16LE with a byte-order mark,
// UTF-8 with or without one, or the Chinese ANSI code page (GBK). Decoding notes which
// encoding a file came in, so that a rewrite keeps it. The GBK conversion belongs to the
// system and is handed in.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "formats/bytes.h"

namespace lumaset {

// A profile value holds at most this many bytes (a 10240-byte buffer with its NUL).
inline constexpr std::size_t kProfileValueLimit = 10239;

// Cuts a UTF-8 value to the profile limit without splitting a character.
std::string cutProfileValue(std::string value);

enum class ProfileEncoding { Utf16le, Utf8Bom, Utf8, Gbk };

// One direction of the GBK conversion; nothing when the text does not convert.
using CodePageConversion = std::function<std::optional<std::string>(const std::string&)>;

struct ProfileText {
  std::string utf8;
  ProfileEncoding encoding = ProfileEncoding::Utf16le;
};

// A byte-order mark decides; else valid UTF-8 is UTF-8, else text that converts from GBK
// is GBK, else the bytes are taken as they are.
ProfileText decodeProfileText(const Bytes& raw, const CodePageConversion& gbkToUtf8);
// The text in `encoding`; a text that GBK cannot hold becomes UTF-16LE with its mark.
Bytes encodeProfileText(const std::string& utf8, ProfileEncoding encoding, const CodePageConversion& utf8ToGbk);

}  // namespace lumaset
