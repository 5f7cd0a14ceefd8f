// The drawing of a layered window's frame: images blended by the kit where they are drawn
// at their own size (GDI+ draws the others), and each kit child (picture box, image button,
// text box) in its place.
#pragma once
#include <windows.h>

#include "widgets/gdiplus_include.h"
#include "widgets/image_loading.h"

namespace lumaset::kit {

// Where `child` lies in the client area of `layered`.
POINT clientCorner(HWND layered, HWND child);
// An image drawn in its place on the frame: unscaled ones blended by the kit, the others
// by GDI+.
void drawImage(Gdiplus::GpBitmap* frame, Image* image, float x, float y, float w, float h);
// A kit child of `layered` drawn in its place on the frame.
void drawChild(HWND layered, HWND child, Gdiplus::GpBitmap* frame);

}  // namespace lumaset::kit
