// The main window's image buttons: a window class that draws one of its PNG looks
// (normal, pointer over, pressed, disabled) with GDI+ and tells its parent of a click
// with WM_COMMAND / BN_CLICKED. A two-state button keeps its pressed state between
// clicks (BM_GETCHECK / BM_SETCHECK); BM_CLICK clicks it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace lumaset::ui {

class ImagesAhead;

struct ButtonLooks {
  std::string normal, over, down, disabled;  // names of built-in images; empty: none
};

void registerImageButtonClass();
// The button takes the looks made for `dpi`: the built-in images at twice the design size
// ("<name>@2x") from 150 % on, and draws them scaled to its size.
HWND createImageButton(HWND parent, int id, int x, int y, int w, int h, const ButtonLooks& looks, bool twoState,
                       int dpi = 96);
// Takes the looks made for another DPI (the window moved to another monitor).
void setImageButtonDpi(HWND button, int dpi);
// The embedded names of the looks the button draws first: its normal look, and the one its
// state draws instead (disabled, pressed).
std::vector<std::string> firstLookNames(HWND button);
// The looks of firstLookNames the button has not decoded yet, from those decoded ahead.
void takeLooksAhead(HWND button, ImagesAhead& ahead);

}  // namespace lumaset::ui
