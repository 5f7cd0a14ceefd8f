// The window's colours: every text against the background it lies on reaches 4.5:1, and in
// high-contrast mode every part takes a system colour, each text the one the system makes
// for its background.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "ui/palette.h"

namespace lumaset::ui {
namespace {

TEST(Palette, ContrastRatioFollowsTheRelativeLuminanceOfBothColours) {
  const Rgb black{0, 0, 0}, white{255, 255, 255};
  EXPECT_DOUBLE_EQ(contrastRatio(black, white), 21.0);
  EXPECT_DOUBLE_EQ(contrastRatio(white, black), 21.0);
  EXPECT_DOUBLE_EQ(contrastRatio(kPanelColour, kPanelColour), 1.0);
  // Grey #777777 on white, the guidelines' known case just short of 4.5, and #767676 just past it.
  EXPECT_NEAR(contrastRatio(Rgb{0x77, 0x77, 0x77}, white), 4.48, 0.005);
  EXPECT_NEAR(contrastRatio(Rgb{0x76, 0x76, 0x76}, white), 4.54, 0.005);
  // Green counts for more light than red, red for more than blue.
  EXPECT_GT(contrastRatio(Rgb{0, 128, 0}, black), contrastRatio(Rgb{128, 0, 0}, black));
  EXPECT_GT(contrastRatio(Rgb{128, 0, 0}, black), contrastRatio(Rgb{0, 0, 128}, black));
}

TEST(Palette, EveryTextReachesFourAndAHalfToOneOnItsBackground) {
  for (const TextOn& pair : kTextsOnBackgrounds) {
    const PartColour text = colourOf(pair.text, false), background = colourOf(pair.background, false);
    EXPECT_FALSE(text.system || background.system);
    EXPECT_GE(contrastRatio(text.design, background.design), 4.5)
        << "text part " << static_cast<int>(pair.text) << " on part " << static_cast<int>(pair.background);
  }
}

TEST(Palette, HighContrastDrawsEachTextInTheSystemColourMadeForItsBackground) {
  // The pairs the system keeps apart in every high-contrast scheme.
  const std::pair<SystemColour, SystemColour> schemePairs[] = {
      {SystemColour::WindowText, SystemColour::Window},
      {SystemColour::GrayText, SystemColour::Window},
      {SystemColour::HotLight, SystemColour::Window},
      {SystemColour::HighlightText, SystemColour::Highlight},
  };
  for (const TextOn& pair : kTextsOnBackgrounds) {
    const PartColour text = colourOf(pair.text, true), background = colourOf(pair.background, true);
    ASSERT_TRUE(text.system && background.system);
    const std::pair<SystemColour, SystemColour> drawn{text.systemColour, background.systemColour};
    EXPECT_NE(std::find(std::begin(schemePairs), std::end(schemePairs), drawn), std::end(schemePairs))
        << "text part " << static_cast<int>(pair.text) << " on part " << static_cast<int>(pair.background);
  }
  // The note is no disabled text: it keeps the window's text colour; the dimmed label the grey.
  EXPECT_EQ(colourOf(Part::Note, true).systemColour, SystemColour::WindowText);
  EXPECT_EQ(colourOf(Part::DisabledText, true).systemColour, SystemColour::GrayText);
  for (Part outline : {Part::Outline, Part::FieldFrame}) {
    EXPECT_TRUE(colourOf(outline, true).system);
    EXPECT_EQ(colourOf(outline, true).systemColour, SystemColour::WindowText);
  }
}

}  // namespace
}  // namespace lumaset::ui
