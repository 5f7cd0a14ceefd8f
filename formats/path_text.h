// Path texts split and joined at their separators. Paths are built by plain
// concatenation, as the host's folders are named; `separators` lists every character
// that ends a path part ("\\/" on Windows, where either slash separates, "/" on POSIX).
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace lumaset {

// The separators a path of the convention `sep` is split at.
std::string_view separatorsFor(char sep);

// The text with one separator at its end (an empty text becomes the separator alone).
std::string withTrailingSeparator(const std::string& text, char sep);
// The path up to and including its last separator; empty when it has none.
std::string folderWithSeparator(const std::string& path, char sep);
// The path before its last separator; empty when it has none.
std::string folderOf(const std::string& path, std::string_view separators);
// The path after its last separator (all of it when it has none).
std::string leafName(const std::string& path, std::string_view separators);
inline std::string leafName(const std::string& path, char sep) { return leafName(path, std::string_view(&sep, 1)); }
// The parts between separators, empty ones included ("a//b/" gives a, "", b, "").
std::vector<std::string> splitPath(const std::string& path, std::string_view separators);

// The text with A-Z made a-z, as Windows compares the ASCII letters of names and keys.
std::string asciiLower(std::string_view text);
// Whether the two texts are equal once their ASCII letters are folded.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace lumaset
