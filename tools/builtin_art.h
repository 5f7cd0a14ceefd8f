// The program's built-in images: the frame of the frame window, the two overlays of the
// splash preview, the placeholder splash and the looks of the main window's image
// buttons. Pure pixel rules here; text is drawn by glyph_painter.
#pragma once
#include "tools/png_writer.h"

namespace lumaset::tools {

inline constexpr Rgba kLightBlue{60, 200, 255, 255};
inline constexpr Rgba kPanel{0, 17, 34, 255};

// The alpha of the frame image's shadow at a pixel outside the frame: 58 down to 4 over
// the five outer columns on each side, 4 in row 0, 128 down to 4 over the nine rows below
// the frame (the lower of the two in the corners).
int frameShadowAlpha(int x, int y);
// What the frame image holds at a pixel: transparent centre, opaque light-blue frame,
// black shadow.
Rgba framePixel(int x, int y);

// Each at `scale` times its design size, every design pixel a scale x scale block.
Image drawFrame(int scale = 1);          // 842 x 195
Image drawClearOverlay(int scale = 1);   // 838 x 506
Image drawMarkedOverlay(int scale = 1);  // 832 x 500

}  // namespace lumaset::tools
