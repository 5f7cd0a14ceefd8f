// Path texts built by plain concatenation, as the host's folders are named.
#pragma once
#include <string>

namespace lumaset {

// The text with one separator at its end (an empty text becomes the separator alone).
std::string withTrailingSeparator(const std::string& text, char sep);
// The path up to and including its last separator; empty when it has none.
std::string folderWithSeparator(const std::string& path, char sep);
// The path after its last separator.
std::string leafName(const std::string& path, char sep);
// R: the host's Resources folder, without a trailing separator.
std::string resourcesFolder(const std::string& hostFolder, char sep);

}  // namespace lumaset
