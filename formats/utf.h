// UTF-8 and UTF-16LE conversions on byte strings, for texts that cross into the host's
// UTF-16LE language file and, on Windows, into the wide APIs.
#pragma once
#include <string>

#include "formats/bytes.h"

namespace lumaset {

bool isValidUtf8(const std::string& text);
// UTF-8 text to UTF-16LE bytes (no byte-order mark); invalid sequences become U+FFFD.
Bytes utf8ToUtf16le(const std::string& text);
// UTF-16LE bytes (an odd last byte is dropped) to UTF-8; lone surrogates become U+FFFD.
std::string utf16leToUtf8(const Bytes& bytes);
// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
std::string cutUtf8(std::string text, std::size_t limit);

}  // namespace lumaset
