#include "formats/path_text.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lumaset
