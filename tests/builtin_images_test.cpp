// The built-in images as committed: their sizes and the pixel rules of the frame and the
// overlays, read back with libpng, and the embedded copies byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "assets/builtin_images.h"
#include "support/theme_maker.h"
#include "tools/png_writer.h"

namespace lumaset {
namespace {

using tools::Image;

Image load(const std::string& name) {
  return tools::decodePng(testing::readWhole(std::string(LUMASET_SOURCE_DIR) + "/assets/builtin/" + name + ".png"));
}

TEST(BuiltinImages, FrameHasItsCentreFrameAndShadow) {
  Image f = load("frame");
  ASSERT_EQ(f.width, 842);
  ASSERT_EQ(f.height, 195);
  const int sideAlpha[5] = {4, 18, 31, 45, 58};                     // columns 0..4, outermost first
  const int belowAlpha[9] = {128, 113, 97, 82, 66, 51, 35, 20, 4};  // rows 186..194
  for (int y = 0; y < 195; ++y) {
    for (int x = 0; x < 842; ++x) {
      const tools::Rgba& p = f.at(x, y);
      SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
      if (x >= 9 && x <= 832 && y >= 5 && y <= 181) {
        ASSERT_EQ(p.a, 0);
      } else if (x >= 5 && x <= 836 && y >= 1 && y <= 185) {
        ASSERT_TRUE(p.r == 60 && p.g == 200 && p.b == 255 && p.a == 255);
      } else {
        ASSERT_TRUE(p.r == 0 && p.g == 0 && p.b == 0);
        int side = x <= 4 ? sideAlpha[x] : x >= 837 ? sideAlpha[841 - x] : -1;
        int below = y >= 186 ? belowAlpha[y - 186] : -1;
        int expected = y == 0 ? 4 : (side >= 0 && below >= 0) ? std::min(side, below) : std::max(side, below);
        ASSERT_EQ(p.a, expected);
      }
    }
  }
}

TEST(BuiltinImages, OverlaysAreClearOrMarkedWhereTheHostWrites) {
  Image clear = load("clear_overlay");
  ASSERT_EQ(clear.width, 838);
  ASSERT_EQ(clear.height, 506);
  int faint = 0;
  for (const auto& p : clear.pixels) {
    ASSERT_LE(p.a, 1);
    faint += p.a;
  }
  EXPECT_EQ(faint, 2);

  Image marked = load("marked_overlay");
  ASSERT_EQ(marked.width, 832);
  ASSERT_EQ(marked.height, 500);
  int blocks = 0, lowest = 255, highest = 0;
  for (int y = 0; y < marked.height; ++y) {
    for (int x = 0; x < marked.width; ++x) {
      const tools::Rgba& p = marked.at(x, y);
      if (p.a == 0) continue;
      ++blocks;
      ASSERT_TRUE(p.r == 57 && p.g == 197 && p.b == 251) << x << "," << y;
      lowest = std::min<int>(lowest, p.a);
      highest = std::max<int>(highest, p.a);
      EXPECT_LT(x, marked.width / 2);  // the host writes down the left
      EXPECT_GT(y, marked.height / 2);
    }
  }
  EXPECT_GT(blocks, 10000);
  EXPECT_EQ(lowest, 74);
  EXPECT_EQ(highest, 186);
}

TEST(BuiltinImages, PlaceholderAndButtonLooksHaveTheirSizes) {
  Image placeholder = load("placeholder_splash");
  EXPECT_EQ(placeholder.width, 838);
  EXPECT_EQ(placeholder.height, 506);
  for (const auto& p : placeholder.pixels) ASSERT_EQ(p.a, 255);
  const std::tuple<const char*, int, int> buttons[] = {
      {"tab_theme", 40, 26},     {"tab_custom", 48, 26}, {"minimise", 24, 26}, {"close", 48, 26},
      {"folder", 48, 24},        {"previous", 27, 26},   {"next", 27, 26},     {"apply_theme", 123, 26},
      {"apply_custom", 107, 26}, {"preview", 48, 24},    {"checkbox", 48, 19}};
  for (const auto& [name, w, h] : buttons) {
    for (const char* state : {"_normal", "_over", "_down"}) {
      Image look = load(std::string(name) + state);
      EXPECT_EQ(look.width, w) << name << state;
      EXPECT_EQ(look.height, h) << name << state;
      // Drawn on the panel's colour: the corner pixel is the background.
      if (std::string(state) == "_normal") {
        EXPECT_TRUE(look.at(w - 1, 0).r == 0 && look.at(w - 1, 0).g == 17 && look.at(w - 1, 0).b == 34) << name;
      }
    }
  }
  for (const char* badge : {"badge_1x", "badge_2x", "badge_t"}) {
    EXPECT_EQ(load(std::string(badge) + "_normal").width, 24);
    EXPECT_EQ(load(std::string(badge) + "_disabled").height, 9);
  }
  EXPECT_EQ(load("theme_box").width, 243);
}

TEST(BuiltinImages, EveryImageHasItsTwiceSizedCopy) {
  namespace fs = std::filesystem;
  int twins = 0;
  for (const auto& entry : fs::directory_iterator(std::string(LUMASET_SOURCE_DIR) + "/assets/builtin")) {
    std::string name = entry.path().stem().string();
    if (name.find('@') != std::string::npos) continue;
    SCOPED_TRACE(name);
    Image one = load(name), two = load(name + "@2x");
    ASSERT_EQ(two.width, 2 * one.width);
    ASSERT_EQ(two.height, 2 * one.height);
    ++twins;
  }
  EXPECT_GE(twins, 40);
  // The frame and the overlays are their pixel rules at twice the size: each design
  // pixel a 2 x 2 block, so the frame's line stays whole at 150 % and 200 %.
  for (const char* name : {"frame", "marked_overlay"}) {
    Image one = load(name), two = load(std::string(name) + "@2x");
    for (int y = 0; y < two.height; ++y) {
      for (int x = 0; x < two.width; ++x) {
        const tools::Rgba &a = two.at(x, y), &b = one.at(x / 2, y / 2);
        ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a) << name << " " << x << "," << y;
      }
    }
  }
  // The looks keep the panel's colour in their corner, as at 1x.
  const tools::Rgba corner = load("close_normal@2x").at(95, 0);
  EXPECT_TRUE(corner.r == 0 && corner.g == 17 && corner.b == 34);
}

TEST(BuiltinImages, EmbeddedCopiesAreTheCommittedFiles) {
  for (const char* name :
       {"frame", "clear_overlay", "marked_overlay", "placeholder_splash", "next_over", "frame@2x", "theme_box@2x"}) {
    std::string_view embedded = embeddedImage(name);
    EXPECT_EQ(std::string(embedded),
              testing::readWhole(std::string(LUMASET_SOURCE_DIR) + "/assets/builtin/" + name + ".png"))
        << name;
  }
  EXPECT_TRUE(embeddedImage("no_such_image").empty());
}

}  // namespace
}  // namespace lumaset
