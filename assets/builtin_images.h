// The program's built-in PNG images, embedded at build time from assets/builtin: the
// frame, the two overlays, the placeholder splash and the image buttons' looks.
#pragma once
#include <string_view>

namespace lumaset {

// The PNG file's bytes by its name without extension ("frame", "next_over", ...); empty
// when there is none.
std::string_view embeddedImage(std::string_view name);

}  // namespace lumaset
