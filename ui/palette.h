// The main window's colours.
#pragma once
#include <windows.h>

namespace lumaset::ui {

inline constexpr COLORREF kPanelColour = RGB(0, 17, 34);
inline constexpr COLORREF kTextColour = RGB(200, 222, 238);
inline constexpr COLORREF kDimTextColour = RGB(70, 92, 110);  // a label whose control is not available
inline constexpr COLORREF kLinkColour = RGB(60, 200, 255);
inline constexpr COLORREF kEditColour = RGB(8, 32, 52);
inline constexpr COLORREF kFieldFrameColour = RGB(30, 110, 150);  // the outline of a path box

}  // namespace lumaset::ui
