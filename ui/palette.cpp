#include "ui/palette.h"

#include <algorithm>
#include <cmath>

namespace lumaset::ui {
namespace {

struct PartColours {
  Part part;
  Rgb design;
  SystemColour highContrast;
};

// In high contrast each text takes the system colour made for the background it lies on:
// the window's text on the window's colour, the highlight's text on the highlight.
constexpr PartColours kPartColours[] = {
    {Part::Panel, kPanelColour, SystemColour::Window},
    {Part::Edit, kEditColour, SystemColour::Window},
    {Part::Text, kTextColour, SystemColour::WindowText},
    {Part::Note, kDimTextColour, SystemColour::WindowText},
    {Part::DisabledText, kDimTextColour, SystemColour::GrayText},
    {Part::Link, kLinkColour, SystemColour::HotLight},
    {Part::Outline, kLinkColour, SystemColour::WindowText},
    {Part::FieldFrame, kFieldFrameColour, SystemColour::WindowText},
    {Part::ChosenBackground, kLinkColour, SystemColour::Highlight},
    {Part::ChosenText, kPanelColour, SystemColour::HighlightText},
};

// A channel of sRGB as linear light.
double linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double relativeLuminance(Rgb c) { return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b); }

}  // namespace

PartColour colourOf(Part part, bool highContrast) {
  const auto* found = std::find_if(std::begin(kPartColours), std::end(kPartColours),
                                   [part](const PartColours& p) { return p.part == part; });
  if (found == std::end(kPartColours)) return {};
  return {highContrast, found->design, found->highContrast};
}

double contrastRatio(Rgb a, Rgb b) {
  const double la = relativeLuminance(a), lb = relativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace lumaset::ui
