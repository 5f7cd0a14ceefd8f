// The window's scale: design pixels at a monitor's DPI, the rounding that keeps
// touching controls touching, and the sizes at which 1x and 2x images are shown.
#include <gtest/gtest.h>

#include "ui/dpi_scale.h"

namespace lumaset::ui {
namespace {

const int kDpis[] = {96, 120, 144, 168, 192, 240, 288};

TEST(DpiScale, RoundsToTheNearestPixelSymmetricallyAroundZero) {
  const Scale design{96}, oneAndHalf{144}, twice{192};
  for (int v : {-40, -8, -5, 0, 1, 9, 179, 824}) {
    EXPECT_EQ(design.px(v), v);
    EXPECT_EQ(twice.px(v), 2 * v);
  }
  // Halves go away from zero: a control at -5 mirrors one at 5.
  EXPECT_EQ(oneAndHalf.px(9), 14);
  EXPECT_EQ(oneAndHalf.px(-9), -14);
  EXPECT_EQ(oneAndHalf.px(-5), -8);
  EXPECT_EQ(oneAndHalf.px(179), 269);
  EXPECT_EQ(Scale{120}.px(9), 11);
}

TEST(DpiScale, ControlsThatTouchInTheDesignTouchAtEveryDpi) {
  // The theme page's previous button, box and next button, and the path label, box and
  // folder button, edge to edge or overlapping as designed.
  const DesignRect row[] = {{256, 8, 27, 26}, {283, 8, 5, 26}, {288, 8, 243, 26}, {531, 8, 5, 26}, {536, 8, 27, 26}};
  for (int dpi : kDpis) {
    const Scale s{dpi};
    SCOPED_TRACE(dpi);
    for (std::size_t i = 0; i + 1 < std::size(row); ++i) {
      DesignRect a = s.rect(row[i]), b = s.rect(row[i + 1]);
      EXPECT_EQ(a.x + a.w, b.x);
      EXPECT_EQ(a.y, b.y);
      EXPECT_EQ(a.h, b.h);
    }
    DesignRect whole = s.rect({256, 8, 307, 26});
    EXPECT_EQ(whole.x + whole.w, s.rect(row[4]).x + s.rect(row[4]).w);
  }
}

TEST(DpiScale, TheFramesCentreIsTheMainWindowAtTheUsualDpis) {
  // The frame window sits px(9) left of the main window; its image's centre band runs
  // between the scaled edges 9 and 833 and must be exactly as wide as the main window.
  for (int dpi : kDpis) {
    const Scale s{dpi};
    std::array<int, 6> x = scaledEdges(s, {0, 5, 9, 833, 837, 842});
    EXPECT_EQ(x[3] - x[2], s.px(824)) << dpi;
    EXPECT_EQ(x[5], s.px(842)) << dpi;
    EXPECT_EQ(x[2], s.px(9)) << dpi;
  }
}

TEST(DpiScale, BothSidesOfAnOutlineAreEquallyThick) {
  // The theme box: 243 x 26 with a one-pixel outline; at 150 % 25.5 rounds up and 24.5
  // too, which would leave the bottom outline one pixel and the top two.
  for (int dpi : kDpis) {
    const Scale s{dpi};
    for (const std::array<int, 6>& design :
         {std::array<int, 6>{0, 1, 2, 241, 242, 243}, std::array<int, 6>{0, 1, 2, 24, 25, 26}}) {
      std::array<int, 6> e = mirroredEdges(s, design);
      EXPECT_EQ(e[5], s.px(design[5])) << dpi;
      EXPECT_EQ(e[1] - e[0], e[5] - e[4]) << dpi;
      EXPECT_EQ(e[2] - e[1], e[4] - e[3]) << dpi;
      EXPECT_GE(e[1], 1) << dpi;
    }
  }
}

TEST(DpiScale, TwiceSizedImagesServeFromOneAndAHalfAndFillTheirPlace) {
  EXPECT_FALSE(Scale{96}.highImages());
  EXPECT_FALSE(Scale{120}.highImages());
  EXPECT_TRUE(Scale{144}.highImages());
  EXPECT_TRUE(Scale{192}.highImages());
  for (int dpi : kDpis) {
    const Scale s{dpi};
    // A theme's 2x splash (1676 x 1012) and its 1x one (838 x 506) both fill the
    // preview window; a 2x icon fills its 32-pixel box.
    EXPECT_EQ(s.imagePx(1676, 2), s.px(838)) << dpi;
    EXPECT_EQ(s.imagePx(1012, 2), s.px(506)) << dpi;
    EXPECT_EQ(s.imagePx(838, 1), s.px(838)) << dpi;
    EXPECT_EQ(s.imagePx(64, 2), s.px(32)) << dpi;
  }
  // At 200 % a 2x image is shown pixel for pixel, at 100 % a 1x one.
  EXPECT_EQ(Scale{192}.imagePx(1676, 2), 1676);
  EXPECT_EQ(Scale{96}.imagePx(838, 1), 838);
}

}  // namespace
}  // namespace lumaset::ui
