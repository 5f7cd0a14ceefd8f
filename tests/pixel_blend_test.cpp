// Straight-alpha pixels over premultiplied ones, as the layered windows' frames are
// composed: the rounding of every product, and the results GDI+ gives for the same draw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "widgets/pixel_blend.h"

namespace lumaset::kit {
namespace {

constexpr std::uint32_t argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

TEST(PixelBlend, EveryProductIsRoundedToTheNearest) {
  for (std::uint32_t x = 0; x < 256; ++x) {
    for (std::uint32_t y = 0; y < 256; ++y) {
      ASSERT_EQ(mulDiv255(x, y), static_cast<std::uint32_t>(std::lround(x * y / 255.0))) << x << " × " << y;
    }
  }
}

TEST(PixelBlend, OpaqueReplacesClearKeepsAndHalfMixes) {
  const std::uint32_t under = argb(128, 0, 0, 128);  // half-transparent blue, premultiplied
  EXPECT_EQ(overPremultiplied(under, argb(255, 10, 20, 30)), argb(255, 10, 20, 30));
  EXPECT_EQ(overPremultiplied(under, argb(0, 255, 255, 255)), under);
  // Half red over half blue: alpha 128 + 128 × 127 / 255; red premultiplied by its alpha,
  // blue by what the red leaves.
  EXPECT_EQ(overPremultiplied(under, argb(128, 255, 0, 0)), argb(192, 128, 0, 64));
  // Over nothing, a pixel is only premultiplied.
  EXPECT_EQ(overPremultiplied(0, argb(51, 255, 100, 0)), argb(51, 51, 20, 0));
}

TEST(PixelBlend, ColoursNeverExceedTheirAlpha) {
  // A premultiplied colour above its alpha shows as a wrong, bright pixel on the screen.
  for (std::uint32_t a = 0; a < 256; a += 5) {
    for (std::uint32_t da = 0; da < 256; da += 15) {
      const std::uint32_t result = overPremultiplied(argb(da, da, da / 2, 0), argb(a, 255, 255, 255));
      const std::uint32_t alpha = result >> 24;
      EXPECT_LE((result >> 16) & 0xFF, alpha);
      EXPECT_LE((result >> 8) & 0xFF, alpha);
      EXPECT_LE(result & 0xFF, alpha);
    }
  }
}

TEST(PixelBlend, RowsBlendPixelForPixel) {
  std::uint32_t row[3] = {0, argb(255, 1, 2, 3), argb(128, 0, 0, 128)};
  const std::uint32_t over[3] = {argb(255, 9, 9, 9), argb(0, 7, 7, 7), argb(128, 255, 0, 0)};
  blendRow(row, over, 3);
  EXPECT_EQ(row[0], argb(255, 9, 9, 9));
  EXPECT_EQ(row[1], argb(255, 1, 2, 3));
  EXPECT_EQ(row[2], argb(192, 128, 0, 64));
}

}  // namespace
}  // namespace lumaset::kit
