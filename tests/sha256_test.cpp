#include "formats/sha256.h"

#include <gtest/gtest.h>

namespace lumaset {
namespace {

TEST(Sha256, PublishedVectors) {
  EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, PiecesGiveTheHashOfTheWhole) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += static_cast<char>(i * 7);
  std::string whole = sha256Hex(text);
  for (std::size_t step : {1u, 3u, 55u, 56u, 63u, 64u, 65u, 200u}) {
    Sha256 hash;
    for (std::size_t at = 0; at < text.size(); at += step)
      hash.update(text.data() + at, std::min(step, text.size() - at));
    EXPECT_EQ(hash.hexDigest(), whole) << step;
  }
}

}  // namespace
}  // namespace lumaset
