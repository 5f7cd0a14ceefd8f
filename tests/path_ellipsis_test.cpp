#include "formats/path_ellipsis.h"

#include <gtest/gtest.h>

namespace lumaset {
namespace {

// A box as wide as `width` characters, each UTF-8 character one wide.
std::function<bool(const std::string&)> boxOf(std::size_t width) {
  return [width](const std::string& text) {
    std::size_t characters = 0;
    for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters <= width;
  };
}

const std::string kHost = "C:\\Program Files\\Adobe\\Adobe Photoshop CC 2015\\";

TEST(PathEllipsis, DropsWholePartsAtTheLeft) {
  EXPECT_EQ(pathEndThatFits(kHost, "\\/", boxOf(80)), kHost);
  EXPECT_EQ(pathEndThatFits(kHost, "\\/", boxOf(32)), "…\\Adobe\\Adobe Photoshop CC 2015\\");
  EXPECT_EQ(pathEndThatFits(kHost, "\\/", boxOf(30)), "…\\Adobe Photoshop CC 2015\\");
  // Either slash separates on Windows.
  EXPECT_EQ(pathEndThatFits("C:/图片/光影 light.png", "\\/", boxOf(14)), "…/光影 light.png");
}

TEST(PathEllipsis, CutsTheLastPartOnlyWhenItAloneIsTooLong) {
  EXPECT_EQ(pathEndThatFits(kHost, "\\/", boxOf(10)), "… CC 2015\\");
  // Whole UTF-8 characters: no byte of a Chinese character is split off.
  EXPECT_EQ(pathEndThatFits("D:\\主题图片很长的名字", "\\/", boxOf(4)), "…的名字");
  EXPECT_EQ(pathEndThatFits(kHost, "\\/", boxOf(0)), "…");
  EXPECT_EQ(pathEndThatFits("\\\\\\", "\\/", boxOf(1)), "…");
}

TEST(PathEllipsis, ShowsTheLastPartWholeOnOneLineOrBrokenOntoTwo) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(pathEndLines(kHost, "\\/", true, boxOf(30)), Lines{"…\\Adobe Photoshop CC 2015\\"});
  // The last part broken at the last space that lets the first line fit.
  EXPECT_EQ(pathEndLines(kHost, "\\/", true, boxOf(17)), (Lines{"…\\Adobe Photoshop", "CC 2015\\"}));
  EXPECT_EQ(pathEndLines(kHost, "\\/", true, boxOf(15)), (Lines{"Adobe Photoshop", "CC 2015\\"}));
  // A path of one part breaks without "…"; a second line too long, a part without a
  // space, or a box of one line does not show the last part whole.
  EXPECT_EQ(pathEndLines("my splash.png", "\\/", true, boxOf(10)), (Lines{"my", "splash.png"}));
  EXPECT_EQ(pathEndLines(kHost, "\\/", true, boxOf(12)), Lines{});
  EXPECT_EQ(pathEndLines("C:\\图片\\光影lightsplash.png", "\\/", true, boxOf(10)), Lines{});
  EXPECT_EQ(pathEndLines(kHost, "\\/", false, boxOf(17)), Lines{});
}

}  // namespace
}  // namespace lumaset
