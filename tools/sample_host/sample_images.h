// The pictures of the sample host, drawn in code: a splash image and app-bar icons in
// the host's style, and small tool icons for the rest of the index.
#pragma once
#include "tools/png_writer.h"

namespace lumaset::tools {

// A dark splash with a diagonal light band and a grid of soft squares; `hue` tints it.
Image drawSplash(int width, int height, int hue);
// A rounded square badge with a bright letter-like bar pattern.
Image drawAppBarIcon(int size, bool dark);
// A small icon: a coloured disc on transparency; `seed` picks colour and radius.
Image drawToolIcon(int size, int seed);

}  // namespace lumaset::tools
