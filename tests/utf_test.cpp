// UTF-8 in pieces: where a piece may be converted up to without cutting a character.
#include "formats/utf.h"

#include <gtest/gtest.h>

namespace lumaset {
namespace {

TEST(Utf8Pieces, APieceIsConvertedUpToTheCharacterItsEndCuts) {
  // One character of each length: "[", "é", "当", "😀".
  const std::string text = "[\xC3\xA9\xE5\xBD\x93\xF0\x9F\x98\x80]";
  const std::size_t starts[] = {0, 1, 3, 6, 10, 11};
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    std::size_t expected = 0;
    for (std::size_t start : starts)
      if (start <= cut) expected = start;
    EXPECT_EQ(completeUtf8Length(std::string_view(text).substr(0, cut)), expected) << cut;
  }
  // Bytes that no following byte can finish are not held back.
  EXPECT_EQ(completeUtf8Length("ab\x80"), 3u);
  EXPECT_EQ(completeUtf8Length("\x80\x80\x80\x80"), 4u);
  EXPECT_EQ(completeUtf8Length("\xE5\xBD\x93\x80"), 4u);
}

}  // namespace
}  // namespace lumaset
