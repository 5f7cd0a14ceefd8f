// The main window's keyboard: the focus outline that image buttons and links draw, links
// that a key clicks, and the walk of Tab through an ordered list of controls.
#pragma once
#include <windows.h>

#include <vector>

namespace lumaset::ui {

// A dotted outline just inside `r`, in the window's light text colour, where the focus is.
void drawFocusOutline(HDC dc, const RECT& r);
// The label or link takes the focus from the keyboard: it draws the focus outline round
// its text, and Space or Enter report a click (STN_CLICKED) to its parent as a press would.
void makeFocusableLabel(HWND label);
// The control after (or before) `current` in `order` that can take the focus now: visible
// and enabled. It wraps round; a `current` outside the list starts at the list's first
// (or last) control. Null when no control can take the focus.
HWND nextInTabOrder(const std::vector<HWND>& order, HWND current, bool backwards);
// What the focused window does with keys, by its WM_GETDLGCODE answer.
bool actsAsButton(HWND window);
bool takesArrows(HWND window);

}  // namespace lumaset::ui
