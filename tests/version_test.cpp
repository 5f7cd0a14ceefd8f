// Version texts: the leading number, the stored form and the tolerant comparisons.
#include <gtest/gtest.h>

#include <cmath>

#include "run/version.h"

namespace lumaset {
namespace {

TEST(Version, LeadingNumberOfAVersionText) {
  EXPECT_FLOAT_EQ(versionFromText("16.1.2"), 16.1f);
  EXPECT_FLOAT_EQ(versionFromText("18.0.0"), 18.0f);
  EXPECT_FLOAT_EQ(versionFromText("  19.1 x64"), 19.1f);
  EXPECT_FLOAT_EQ(versionFromText("-3.5"), -3.5f);
  EXPECT_FLOAT_EQ(versionFromText("+17"), 17.0f);
  EXPECT_FLOAT_EQ(versionFromText("1.6e1"), 16.0f);
  EXPECT_FLOAT_EQ(versionFromText("16e"), 16.0f);  // an exponent without digits is not part of it
  EXPECT_FLOAT_EQ(versionFromText(".5"), 0.5f);
  EXPECT_FLOAT_EQ(versionFromText(""), 0.0f);
  EXPECT_FLOAT_EQ(versionFromText("CC 2015"), 0.0f);
  EXPECT_FLOAT_EQ(versionFromText("0x12"), 0.0f);
  EXPECT_FLOAT_EQ(versionFromText("."), 0.0f);
}

TEST(Version, StoredFormHasSixSignificantDigitsAndNoTrailingZeros) {
  EXPECT_EQ(versionToText(16.1f), "16.1");
  EXPECT_EQ(versionToText(18.0f), "18");
  EXPECT_EQ(versionToText(0.0f), "0");
  EXPECT_EQ(versionToText(versionFromText("16.1234567")), "16.1235");
}

TEST(Version, LeadingIntegerOfAStoredText) {
  EXPECT_EQ(leadingInteger("16.1"), 16);
  EXPECT_EQ(leadingInteger("18"), 18);
  EXPECT_EQ(leadingInteger("17.9"), 17);
  EXPECT_EQ(leadingInteger(""), 0);
  EXPECT_EQ(leadingInteger("-2"), -2);
  EXPECT_EQ(leadingInteger("v18"), 0);
}

TEST(Version, ComparisonsAllowATinyShortfall) {
  EXPECT_TRUE(versionAtLeast(16.0f, 16));
  EXPECT_TRUE(versionAtLeast(versionFromText("16.1.2"), 16));
  EXPECT_FALSE(versionAtLeast(15.9f, 16));
  EXPECT_TRUE(versionAtLeast(18.0f, 18));
  EXPECT_FALSE(versionAtLeast(17.99f, 18));
  // The tolerance is finer than a float's spacing near 18: the next float below fails.
  EXPECT_FALSE(versionAtLeast(std::nextafter(18.0f, 0.0f), 18));
  EXPECT_FALSE(versionAtLeast(0.0f, 16));
}

TEST(Version, ProductVersionsOrderPartByPart) {
  EXPECT_EQ(versionParts(" 24.7.0.643 x64"), (std::vector<unsigned long>{24, 7, 0, 643}));
  EXPECT_EQ(versionParts("16.1."), (std::vector<unsigned long>{16, 1}));
  EXPECT_TRUE(versionParts("CC 2015").empty());
  EXPECT_TRUE(versionParts("").empty());
  // Numbers, not texts: 9 comes before 10, and before 10 comes 9.9.
  EXPECT_LT(compareProductVersions("9.0", "10.0"), 0);
  EXPECT_LT(compareProductVersions("16.1.2", "16.10"), 0);
  EXPECT_GT(compareProductVersions("19.1", "18.0.0"), 0);
  EXPECT_EQ(compareProductVersions("16.1", "16.1.0.0"), 0);
  EXPECT_LT(compareProductVersions("16.1", "16.1.0.1"), 0);
  // A text without a version comes first, so that it sorts last among the newest first.
  EXPECT_LT(compareProductVersions("", "0.1"), 0);
  EXPECT_GT(compareProductVersions("0", "unknown"), 0);
  EXPECT_EQ(compareProductVersions("", "unknown"), 0);
}

}  // namespace
}  // namespace lumaset
