// A path field that shows the end of its path: while it does not have the focus it draws
// its text shortened at the start ("…\Adobe Photoshop CC 2015\"), whole parts dropped;
// with the focus it is a plain edit box again, to select, copy or type in. Its text is
// always the whole path.
#pragma once
#include <windows.h>

#include <string>

namespace lumaset::ui {

void showPathEnd(HWND edit);
// The pointer resting on the field shows the whole path in a tooltip (none when empty).
void showWholePathOnHover(HWND edit, const std::string& path);
// A line of text in a one-line box: whole when it fits, else its longest beginning of
// whole characters that fits with "…" after it, the whole text then in a tooltip.
void showTextCutToFit(HWND box, const std::string& text);

}  // namespace lumaset::ui
