// The byte-order marks that text files may begin with.
#include "formats/byte_order_mark.h"

#include <gtest/gtest.h>

namespace lumaset {
namespace {

TEST(ByteOrderMark, TellsTheEncodingOnlyFromTheFirstBytes) {
  EXPECT_EQ(bomOf(Bytes("\xFF\xFE[s]", 5)), Bom::Utf16Le);
  EXPECT_EQ(bomOf(Bytes("\xFE\xFF\0[", 4)), Bom::Utf16Be);
  EXPECT_EQ(bomOf("\xEF\xBB\xBF[s]"), Bom::Utf8);
  EXPECT_EQ(bomOf("\xFF\xFE"), Bom::Utf16Le);  // a mark alone
  for (const Bytes& other : {Bytes(), Bytes("\xFF"), Bytes("\xEF\xBB"), Bytes("\xFE\xFE"), Bytes("[s]\xFF\xFE"),
                             Bytes("\xBB\xBF"), Bytes(" \xEF\xBB\xBF")})
    EXPECT_EQ(bomOf(other), Bom::None) << other.size();
}

TEST(ByteOrderMark, LengthIsWhatTheMarkTakes) {
  EXPECT_EQ(bomLength(Bom::Utf8), 3u);
  EXPECT_EQ(bomLength(Bom::Utf16Le), 2u);
  EXPECT_EQ(bomLength(Bom::Utf16Be), 2u);
  EXPECT_EQ(bomLength(Bom::None), 0u);
  for (const char* mark : {kUtf8Bom, kUtf16LeBom, kUtf16BeBom}) EXPECT_EQ(bomLength(bomOf(mark)), Bytes(mark).size());
}

}  // namespace
}  // namespace lumaset
