// The main window's colours: each part it draws in the design's colour, or in the system
// colour that stands in for it while high-contrast mode is on, and every text with the
// background it lies on. Portable: the choice is made here and tested natively; the
// window reads the mode and the system colours (ui/control_colours.h).
#pragma once
#include <cstdint>

namespace lumaset::ui {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

inline constexpr Rgb kPanelColour{0, 17, 34};
inline constexpr Rgb kTextColour{200, 222, 238};
// The note of the host's look and a label whose control is not available: the text's hue,
// darker, and still 4.5:1 on the panel.
inline constexpr Rgb kDimTextColour{97, 127, 152};
inline constexpr Rgb kLinkColour{60, 200, 255};
inline constexpr Rgb kEditColour{8, 32, 52};
inline constexpr Rgb kFieldFrameColour{30, 110, 150};  // the outline of a path box

// What the window draws, each in one colour.
enum class Part {
  Panel,             // the background of the window, its pages and its controls
  Edit,              // the description box's background
  Text,              // labels, path boxes, the theme's name, the focus outline
  Note,              // "当前：…", the look the host carries
  DisabledText,      // the label of a toggle that is not available
  Link,              // links
  Outline,           // the outlines of the theme box and the toggle, the list's arrow
  FieldFrame,        // the outline of a path box
  ChosenBackground,  // the chosen line of the open theme list
  ChosenText,
};

// The system colours high-contrast mode draws with: COLOR_WINDOW, COLOR_WINDOWTEXT, ...
enum class SystemColour { Window, WindowText, GrayText, HotLight, Highlight, HighlightText };

// A part's colour: the system's while high contrast is on, else the design's.
struct PartColour {
  bool system = false;
  Rgb design;
  SystemColour systemColour = SystemColour::Window;
};
PartColour colourOf(Part part, bool highContrast);

// Every text the window draws, with the background it lies on.
struct TextOn {
  Part text, background;
};
inline constexpr TextOn kTextsOnBackgrounds[] = {
    {Part::Text, Part::Panel},         {Part::Text, Part::Edit},  {Part::Note, Part::Panel},
    {Part::DisabledText, Part::Panel}, {Part::Link, Part::Panel}, {Part::ChosenText, Part::ChosenBackground},
};

// The contrast of two colours as the web's accessibility guidelines define it: (L1 + 0.05)
// / (L2 + 0.05) of their relative luminances, from 1 (the same) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

}  // namespace lumaset::ui
