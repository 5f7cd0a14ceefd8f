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

}  // namespace
}  // namespace lumaset
