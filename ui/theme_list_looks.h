// The theme box in the window's colours: the down arrow of the closed box (the picture
// box that stands in for the list), the face of the open list's box and its items, drawn
// dark with light text, the chosen item in the link colour.
#pragma once
#include <windows.h>

namespace lumaset::ui {

// A light-blue down arrow centred in `area`.
void drawDownArrow(HDC dc, const RECT& area);
// The closed theme box's arrow stays in sight over its name's label (伪组合框文字).
void addThemeBoxArrow(HWND name);
// The open list's box paints its face as the closed box looks: outline, name and arrow.
void drawThemeListFace(HWND combo);
// An item of the owner-drawn theme list.
void measureThemeListItem(MEASUREITEMSTRUCT& item);
void drawThemeListItem(const DRAWITEMSTRUCT& item);

}  // namespace lumaset::ui
