// Texts whose encoding nobody recorded: zip member names without the UTF-8 flag, theme
// files saved by whatever editor the author had. Chinese Windows writes such text in GBK
// (code page 936), most other tools in UTF-8, and many short GBK texts happen to be valid
// UTF-8 as well (水墨 is cb ae c4 ab, which UTF-8 reads as "ˮī"). Validity alone cannot
// tell them apart, so UTF-8 is taken only where what it decodes to is plausible for a
// theme: ASCII, CJK characters and punctuation, full-width forms.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "formats/bytes.h"

namespace lumaset {

// One direction of the GBK conversion; nothing when the text does not convert. The
// conversion belongs to the system and is handed in.
using CodePageConversion = std::function<std::optional<std::string>(const std::string&)>;

// Valid UTF-8 whose characters are all ASCII, CJK (ideographs, their punctuation, kana,
// bopomofo, the general punctuation that Chinese text uses) or full-width forms.
bool isPlausibleUtf8(const std::string& text);

// Unmarked text as UTF-8: plausible UTF-8 as it is, else GBK where it converts; nothing
// when neither holds.
std::optional<std::string> decodeUnmarkedText(const Bytes& raw, const CodePageConversion& gbkToUtf8);

// A theme's startup text as the host's language file holds it, UTF-16LE without a mark:
// a byte-order mark decides (UTF-16LE, UTF-16BE, UTF-8); unmarked bytes holding a zero
// byte are UTF-16LE already and stay as they are; other unmarked text is decoded as
// above (valid but implausible UTF-8 as UTF-8 when GBK fails).
Bytes startupTextAsUtf16le(const Bytes& raw, const CodePageConversion& gbkToUtf8);

// Code page 437, the zip format's original name encoding, as UTF-8 (every byte maps).
std::string cp437ToUtf8(const Bytes& raw);

}  // namespace lumaset
