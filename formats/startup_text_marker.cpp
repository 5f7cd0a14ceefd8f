#include "formats/startup_text_marker.h"

#include "formats/utf.h"

namespace lumaset {

const Bytes& startupTextMarker() {
  static const Bytes marker = utf8ToUtf16le(kStartupTextMarkerText);
  return marker;
}

bool carriesStartupTextMarker(const Bytes& languageFile) {
  return languageFile.find(startupTextMarker()) != Bytes::npos;
}

namespace {

const Bytes& openingLine() {
  static const Bytes opening = utf8ToUtf16le("\r\n") + startupTextMarker();
  return opening;
}

const Bytes& closingLine() {
  static const Bytes closing = utf8ToUtf16le(kStartupTextEndText);
  return closing;
}

// The first occurrence of `needle` at or after `from` that starts a UTF-16 code unit.
std::size_t findAligned(const Bytes& text, const Bytes& needle, std::size_t from) {
  for (std::size_t at = text.find(needle, from); at != Bytes::npos; at = text.find(needle, at + 1)) {
    if (at % 2 == 0) return at;
  }
  return Bytes::npos;
}

}  // namespace

Bytes withoutStartupTextBlocks(const Bytes& languageFile) {
  Bytes kept;
  std::size_t from = 0;
  for (std::size_t open = findAligned(languageFile, openingLine(), 0); open != Bytes::npos;
       open = findAligned(languageFile, openingLine(), from)) {
    kept += languageFile.substr(from, open - from);
    const std::size_t close = findAligned(languageFile, closingLine(), open + openingLine().size());
    if (close == Bytes::npos) return kept;
    from = close + closingLine().size();
  }
  return kept + languageFile.substr(from);
}

std::optional<std::size_t> startupTextBlockStart(const Bytes& languageFile) {
  const Bytes& opening = openingLine();
  const Bytes& closing = closingLine();
  if (languageFile.size() < opening.size() + closing.size() ||
      languageFile.compare(languageFile.size() - closing.size(), closing.size(), closing) != 0)
    return std::nullopt;
  const std::size_t at = findAligned(languageFile, opening, 0);
  if (at == Bytes::npos) return std::nullopt;
  return at;
}

}  // namespace lumaset
