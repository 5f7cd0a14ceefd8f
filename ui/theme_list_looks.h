// The open theme list in the window's colours: the face of its box as the closed box
// looks (outline, name, down arrow) and its items, drawn dark with light text, the chosen
// item in the link colour.
#pragma once
#include <windows.h>

namespace lumaset::ui {

// A light-blue down arrow centred in `area`.
void drawDownArrow(HDC dc, const RECT& area);
// The open list's box paints its face as the closed box looks: outline, name and arrow.
void drawThemeListFace(HWND combo);
// An item of the owner-drawn theme list.
void measureThemeListItem(MEASUREITEMSTRUCT& item);
void drawThemeListItem(const DRAWITEMSTRUCT& item);

}  // namespace lumaset::ui
