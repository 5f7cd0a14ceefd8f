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

}  // namespace lumaset
