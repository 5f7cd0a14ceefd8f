// What the program reads from PNG files before one goes into the host's packs.
#include <gtest/gtest.h>

#include "formats/png.h"
#include "support/broken_pngs.h"
#include "support/tiny_png.h"

namespace lumaset {
namespace {

TEST(Png, SignatureAndSizeFromTheHeader) {
  Bytes png = pngSignature() + std::string("\0\0\0\x0dIHDR\0\0\x01\x02\0\0\0\x30", 16);
  ASSERT_TRUE(pngSize(png));
  EXPECT_EQ(pngSize(png)->width, 258u);
  EXPECT_EQ(pngSize(png)->height, 48u);
  EXPECT_FALSE(pngSize(png.substr(0, 23)));
  EXPECT_FALSE(pngSize("GIF89a" + png));
  EXPECT_FALSE(startsWithPngSignature(png.substr(0, 7)));
}

TEST(Png, SoundImagesPassAsTheyAre) {
  const Bytes png = testing::solidPngRgba(40, 30, 10, 20, 30, 255);
  EXPECT_TRUE(isSoundPng(png));
  EXPECT_TRUE(isSoundPng(png + "trailing bytes after IEND"));  // decoders stop at IEND
  EXPECT_TRUE(isSoundPng(testing::withDimensions(png, kPngMaxSide, kPngMaxSide)));
}

TEST(Png, BrokenAndOversizedImagesAreRefused) {
  const Bytes png = testing::solidPngRgba(40, 30, 10, 20, 30, 255);
  for (const auto& [name, broken] : testing::brokenPngs(png)) EXPECT_FALSE(isSoundPng(broken)) << name;
  EXPECT_FALSE(isSoundPng(testing::withDimensions(png, kPngMaxSide + 1, 30)));
  EXPECT_FALSE(isSoundPng(testing::withDimensions(png, 30, kPngMaxSide + 1)));
  for (std::size_t cut = 0; cut < png.size(); ++cut) EXPECT_FALSE(isSoundPng(png.substr(0, cut))) << cut;
  // A header whose colour type and bit depth do not go together (RGBA at 4 bits).
  Bytes depth = png;
  depth[24] = 4;
  testing::fixChunkCrc(depth, 8);
  EXPECT_FALSE(isSoundPng(depth));
  // Larger than any file the packs take.
  EXPECT_FALSE(isSoundPng(png + Bytes(kPngMaxFileSize, '\0')));
}

}  // namespace
}  // namespace lumaset
