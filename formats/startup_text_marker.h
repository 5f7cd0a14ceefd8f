// The marker that the program writes into the host's language file with its startup-text
// block, found in the file's bytes.
#pragma once
#include "formats/bytes.h"

namespace lumaset {

// "//Lumaset v1.0---" in UTF-16LE: 34 bytes, no terminator.
const Bytes& startupTextMarker();
// True when the bytes hold the marker at any byte position.
bool carriesStartupTextMarker(const Bytes& languageFile);

}  // namespace lumaset
