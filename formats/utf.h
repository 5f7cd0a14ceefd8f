// UTF-8 and UTF-16LE conversions on byte strings, for texts that cross into the host's
// UTF-16LE language file and, on Windows, into the wide APIs.
#pragma once
#include <string>
#include <string_view>

#include "formats/bytes.h"

namespace lumaset {

// U+FFFD, what stands for a code unit that is no character.
inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the UTF-8 sequence at `pos` into `out` and steps past it; false (and `pos`
// unchanged) for an invalid one.
bool decodeUtf8(const std::string& text, std::size_t& pos, char32_t& out);
void appendUtf8(std::string& out, char32_t codePoint);

bool isValidUtf8(const std::string& text);
// UTF-8 text to UTF-16LE bytes (no byte-order mark); invalid sequences become U+FFFD.
Bytes utf8ToUtf16le(const std::string& text);
// UTF-16LE bytes (an odd last byte is dropped) to UTF-8; lone surrogates become U+FFFD.
std::string utf16leToUtf8(const Bytes& bytes);
// UTF-16 bytes of the other byte order (UTF-16BE to UTF-16LE and back).
Bytes swapUtf16ByteOrder(Bytes units);
// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
std::string cutUtf8(std::string text, std::size_t limit);
// The length of `text` without the first bytes of a character that its end cuts short:
// where a piece of a UTF-8 stream may be converted up to, the rest waiting for the bytes
// that finish it. Invalid bytes are not held back (they convert to U+FFFD either way).
std::size_t completeUtf8Length(std::string_view text);

}  // namespace lumaset
