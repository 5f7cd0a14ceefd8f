#include "starttext/marker.h"

namespace lumaset {

bool languageFileCarriesMarker(SystemReading& files, const std::string& languageFilePath) {
  return carriesStartupTextMarker(files.readFile(languageFilePath));
}

}  // namespace lumaset
