#include "formats/path_text.h"

#include <gtest/gtest.h>

#include "formats/png.h"

namespace lumaset {
namespace {

TEST(PathText, SplitsAtEitherSlashOnlyWhereWindowsDoes) {
  EXPECT_EQ(leafName("C:\\a/b\\c.zip", separatorsFor('\\')), "c.zip");
  EXPECT_EQ(leafName("/a/b\\c.zip", separatorsFor('/')), "b\\c.zip");
  EXPECT_EQ(folderOf("C:\\lib/Theme", separatorsFor('\\')), "C:\\lib");
  EXPECT_EQ(folderOf("Theme", separatorsFor('\\')), "");
  EXPECT_EQ(folderOf("/Theme", "/"), "");
  EXPECT_EQ(folderWithSeparator("C:\\Photoshop.exe", '\\'), "C:\\");
  EXPECT_EQ(leafName("no-separator", '/'), "no-separator");
}

TEST(PathText, SplitKeepsEmptyParts) {
  EXPECT_EQ(splitPath("a//b/", "/"), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(splitPath("", "/"), (std::vector<std::string>{""}));
  EXPECT_EQ(splitPath("x\\y/z", "\\/"), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(Png, SignatureAndSizeFromTheHeader) {
  Bytes png = pngSignature() + std::string("\0\0\0\x0dIHDR\0\0\x01\x02\0\0\0\x30", 16);
  ASSERT_TRUE(pngSize(png));
  EXPECT_EQ(pngSize(png)->width, 258u);
  EXPECT_EQ(pngSize(png)->height, 48u);
  EXPECT_FALSE(pngSize(png.substr(0, 23)));
  EXPECT_FALSE(pngSize("GIF89a" + png));
  EXPECT_FALSE(startsWithPngSignature(png.substr(0, 7)));
}

}  // namespace
}  // namespace lumaset
