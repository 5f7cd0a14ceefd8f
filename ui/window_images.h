// The window's images at the current scale: the built-in ones from their 1x or 2x
// copies, a look's splash and icons from the theme's 2x images from 150 % on (else its 1x
// ones), each made at the exact size it is shown. The caller owns what it gets (null when
// the image does not decode).
#pragma once
#include <array>
#include <string>

#include "formats/bytes.h"
#include "ui/dpi_scale.h"
#include "widgets/image_loading.h"

namespace lumaset::ui {

class ImagesAhead;

// The name a built-in image is embedded under at the scale: its 2x copy's from 150 % on
// where there is one.
std::string builtinName(const Scale& scale, const std::string& name);
// A built-in image in the program's language: an image with a word on it has its English
// look beside it, "<name>_en", which English takes.
std::string localBuiltin(const std::string& name);
// A built-in image at the scale: its 2x copy from 150 % on where there is one. One that
// was decoded ahead is taken from `ahead`.
kit::Image* builtinAtScale(const Scale& scale, const std::string& name, ImagesAhead* ahead = nullptr);
// A built-in image cut into bands on each axis at the design edges, each band scaled on
// its own: a frame's lines and a box's outline keep whole pixels. `mirrored` gives the
// far bands the near bands' widths.
kit::Image* slicedBuiltin(const Scale& scale, const std::string& name, const std::array<int, 6>& xs,
                          const std::array<int, 6>& ys, bool mirrored = false, ImagesAhead* ahead = nullptr);
// A look's image: its 2x bytes from 150 % on when it has them, else its 1x bytes.
kit::Image* lookImage(const Scale& scale, const Bytes& low, const Bytes& high);

}  // namespace lumaset::ui
