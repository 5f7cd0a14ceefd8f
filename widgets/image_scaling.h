// Images redrawn at the exact size a window shows them: scaled as a whole, or cut into
// bands on each axis (a frame's shadow, line and centre) that are scaled one by one, so
// that a band's edges stay on whole pixels and solid lines stay sharp.
#pragma once
#include <array>

#include "widgets/image_loading.h"

namespace lumaset::kit {

// A new image of w × h holding `source` scaled (bicubic, edges clamped); null without a
// source or with an empty size. The kit counts it like a loaded image.
Image* resizedImage(Image* source, int w, int h);
// A new image whose bands between the edges `toX`/`toY` hold the source's bands between
// `fromX`/`fromY` (both ascending, the first 0 and the last the full size).
Image* slicedImage(Image* source, const std::array<int, 6>& fromX, const std::array<int, 6>& fromY,
                   const std::array<int, 6>& toX, const std::array<int, 6>& toY);
// The pixel size of an image; {0, 0} without one.
std::array<int, 2> imageSize(Image* image);

}  // namespace lumaset::kit
