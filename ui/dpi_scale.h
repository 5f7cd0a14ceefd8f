// The window's scale on its monitor: the layout is drawn in design pixels for 96 DPI and
// shown in device pixels at the monitor's DPI (the scale is dpi / 96).
#pragma once
#include <array>

namespace lumaset::ui {

inline constexpr int kDesignDpi = 96;

struct DesignRect {
  int x = 0, y = 0, w = 0, h = 0;
};

struct Scale {
  int dpi = kDesignDpi;

  // A design coordinate or length in device pixels, rounded to the nearest (halves away
  // from zero).
  int px(int design) const;
  // A rectangle by its scaled edges: controls that touch in the design touch at any DPI.
  DesignRect rect(const DesignRect& design) const;
  // The built-in and theme images drawn at twice the design size serve from 150 % on.
  bool highImages() const { return dpi >= 144; }
  // The screen size of `imagePixels` of an image made at `imageScale` times the design.
  int imagePx(int imagePixels, int imageScale) const;
};

// The six edges of a frame-like image cut into nine parts (outer edge, inner edges and
// the far edge, on one axis), each scaled: the parts' bands keep whole pixels.
std::array<int, 6> scaledEdges(const Scale& scale, const std::array<int, 6>& design);
// The same for an image whose far bands mirror its near ones (a box's outline): the far
// bands take the near bands' scaled widths, so both sides of an outline are as thick.
std::array<int, 6> mirroredEdges(const Scale& scale, const std::array<int, 6>& design);

}  // namespace lumaset::ui
