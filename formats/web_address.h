// Which link targets a theme may open. A theme's info.ini comes from anyone who made a
// package; the shell's "open" starts whatever an address names (a program, a UNC path,
// an "ms-…:" or "search-ms:" handler), so only web pages are ever handed to it.
#pragma once
#include <string>

namespace lumaset {

// An "http://" or "https://" address (scheme in any letter case) with a host after it,
// at most 2048 bytes, without spaces, control characters, quotes, angle brackets or
// backslashes (which Windows would read as a path).
bool isWebAddress(const std::string& text);

}  // namespace lumaset
