// The marker that the system writes into the host's language file with its startup-text
// block, and the test whether a language file carries it.
#pragma once
#include <string>

#include "platform/files.h"

namespace lumaset {

// "//Lumaset v1.0---" in UTF-16LE: 34 bytes, no terminator.
const Bytes& startupTextMarker();
// True when the file holds the marker at any byte position.
bool languageFileCarriesMarker(Files& files, const std::string& languageFilePath);

}  // namespace lumaset
