#include "formats/startup_text_marker.h"

#include "formats/utf.h"

namespace lumaset {

const Bytes& startupTextMarker() {
  static const Bytes marker = utf8ToUtf16le("//Lumaset v1.0---");
  return marker;
}

bool carriesStartupTextMarker(const Bytes& languageFile) {
  return languageFile.find(startupTextMarker()) != Bytes::npos;
}

std::optional<std::size_t> startupTextBlockStart(const Bytes& languageFile) {
  static const Bytes opening = utf8ToUtf16le("\r\n") + startupTextMarker();
  static const Bytes closing = utf8ToUtf16le("//Lum_End---");
  if (languageFile.size() < opening.size() + closing.size() ||
      languageFile.compare(languageFile.size() - closing.size(), closing.size(), closing) != 0)
    return std::nullopt;
  for (std::size_t at = languageFile.find(opening); at != Bytes::npos; at = languageFile.find(opening, at + 1)) {
    if (at % 2 == 0) return at;  // UTF-16 code units start at even positions
  }
  return std::nullopt;
}

}  // namespace lumaset
