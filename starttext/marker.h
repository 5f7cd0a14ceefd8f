// Whether the host's language file carries the program's startup-text block.
#pragma once
#include <string>

#include "formats/startup_text_marker.h"
#include "platform/files.h"

namespace lumaset {

// True when the file holds the marker (formats/startup_text_marker.h) at any byte position.
bool languageFileCarriesMarker(SystemReading& files, const std::string& languageFilePath);

}  // namespace lumaset
