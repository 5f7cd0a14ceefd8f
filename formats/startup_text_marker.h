// The marker that the program writes into the host's language file with its startup-text
// block, found in the file's bytes, and where that block begins.
#pragma once
#include <cstddef>
#include <optional>

#include "formats/bytes.h"

namespace lumaset {

// The lines that open and close the program's block, as text.
inline constexpr char kStartupTextMarkerText[] = "//Lumaset v1.0---";
inline constexpr char kStartupTextEndText[] = "//Lum_End---";

// kStartupTextMarkerText in UTF-16LE: 34 bytes, no terminator.
const Bytes& startupTextMarker();
// True when the bytes hold the marker at any byte position.
bool carriesStartupTextMarker(const Bytes& languageFile);
// The position where the program's block begins (its opening line break before the
// marker) when the file ends with the block's closing line; nothing otherwise. The bytes
// before it are the language file as it was before the block was appended.
std::optional<std::size_t> startupTextBlockStart(const Bytes& languageFile);
// The language file without any of the program's blocks, wherever they stand (lines that
// someone appended after a block stay): each from its opening line break to the end of
// its closing line, or to the file's end when it has none.
Bytes withoutStartupTextBlocks(const Bytes& languageFile);

}  // namespace lumaset
