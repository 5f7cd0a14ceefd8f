#include "starttext/marker.h"

#include "formats/utf.h"

namespace lumaset {

const Bytes& startupTextMarker() {
  static const Bytes marker = utf8ToUtf16le("//Lumaset v1.0---");
  return marker;
}

bool languageFileCarriesMarker(Files& files, const std::string& languageFilePath) {
  return files.readFile(languageFilePath).find(startupTextMarker()) != Bytes::npos;
}

}  // namespace lumaset
