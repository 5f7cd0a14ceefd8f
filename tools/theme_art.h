// The artwork of the themes that ship with the program, drawn in code.
#pragma once
#include "tools/png_writer.h"

namespace lumaset::tools {

enum class Artwork { Aurora, InkBamboo, Sunset, Template };

// A splash image of the host's size (838 x 506 at scale 1, twice that at scale 2).
Image drawThemeSplash(Artwork art, int scale);
// An app-bar icon of `size` pixels for the dark or the light interface.
Image drawThemeIcon(Artwork art, int size, bool dark);

}  // namespace lumaset::tools
