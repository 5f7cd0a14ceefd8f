#include "tools/builtin_art.h"

#include <algorithm>
#include <cmath>

namespace lumaset::tools {
namespace {

constexpr int kFrameWidth = 842, kFrameHeight = 195;

// Linear steps from `from` to `to` over `count` pixels, rounded half up.
int ramp(int from, int to, int count, int index) {
  double v = from + (to - from) * static_cast<double>(index) / (count - 1);
  return static_cast<int>(std::floor(v + 0.5));
}

}  // namespace

int frameShadowAlpha(int x, int y) {
  if (y == 0) return 4;
  int side = -1, below = -1;
  if (x <= 4) side = ramp(58, 4, 5, 4 - x);
  if (x >= 837) side = ramp(58, 4, 5, x - 837);
  if (y >= 186) below = ramp(128, 4, 9, y - 186);
  if (side >= 0 && below >= 0) return std::min(side, below);
  return std::max(side, below);
}

Rgba framePixel(int x, int y) {
  bool inCentre = x >= 9 && x <= 832 && y >= 5 && y <= 181;
  if (inCentre) return {0, 0, 0, 0};
  bool inFrame = x >= 5 && x <= 836 && y >= 1 && y <= 185;
  if (inFrame) return kLightBlue;
  return {0, 0, 0, static_cast<std::uint8_t>(frameShadowAlpha(x, y))};
}

Image drawFrame(int scale) {
  Image image(kFrameWidth * scale, kFrameHeight * scale);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.at(x, y) = framePixel(x / scale, y / scale);
  return image;
}

Image drawClearOverlay(int scale) {
  Image image(838 * scale, 506 * scale, {255, 255, 255, 0});
  // Two faint corner pixels, so the layered window is never entirely empty.
  image.at(0, 0) = {255, 255, 255, 1};
  image.at(image.width - 1, image.height - 1) = {255, 255, 255, 1};
  return image;
}

Image drawMarkedOverlay(int scale) {
  Image image(832 * scale, 500 * scale, {255, 255, 255, 0});
  // Where the host writes its startup texts: the loading line, the credit lines and the
  // copyright lines down the lower left of the splash.
  struct Block {
    int x, y, w, h, alpha;
  };
  const Block blocks[] = {{24, 262, 300, 16, 186}, {24, 290, 210, 11, 150}, {24, 306, 250, 11, 130},
                          {24, 322, 190, 11, 120}, {24, 338, 230, 11, 110}, {24, 354, 170, 11, 100},
                          {24, 418, 360, 10, 90},  {24, 432, 330, 10, 82},  {24, 446, 280, 10, 74}};
  for (const Block& b : blocks)
    for (int y = b.y * scale; y < (b.y + b.h) * scale; ++y)
      for (int x = b.x * scale; x < (b.x + b.w) * scale; ++x)
        image.at(x, y) = {57, 197, 251, static_cast<std::uint8_t>(b.alpha)};
  return image;
}

}  // namespace lumaset::tools
