// Where an image of iw x ih goes in a control of w x h: natural size at the top-left
// (0), stretched (1), or fitted and centred without ever being enlarged (2).
#pragma once

namespace lumaset::kit {

struct Placement {
  double x, y, width, height;
};

inline Placement placeImage(int backType, double iw, double ih, int w, int h) {
  if (backType == 1) return {0, 0, static_cast<double>(w), static_cast<double>(h)};
  if (backType == 2) {
    double nw = static_cast<int>(iw), nh = static_cast<int>(ih);
    if (nw > w) {
      nh = static_cast<int>(nh * w / nw);
      nw = w;
    }
    if (nh > h) {
      nw = static_cast<int>(nw * h / nh);
      nh = h;
    }
    return {static_cast<double>(static_cast<int>((w - nw) / 2)), static_cast<double>(static_cast<int>((h - nh) / 2)),
            nw, nh};
  }
  return {0, 0, iw, ih};
}

// A COLORREF 0x00BBGGRR with alpha A as the GDI+ colour 0xAARRGGBB.
inline unsigned argbFromColorref(unsigned colorref, unsigned alpha) {
  unsigned r = colorref & 0xFF, g = (colorref >> 8) & 0xFF, b = (colorref >> 16) & 0xFF;
  return ((alpha & 0xFF) << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace lumaset::kit
