// The shield that Windows programs show on a control whose action needs administrator
// rights: drawn by the control's own paint where the window marks it.
#pragma once
#include <windows.h>

namespace lumaset::ui {

// Marks the control (or takes the mark off) and has it drawn again.
void markShield(HWND control, bool shown);
bool shieldMarked(HWND control);
// The system's shield icon, `size` pixels square, with its top-left corner at `at`.
void drawShield(HDC dc, POINT at, int size);

}  // namespace lumaset::ui
