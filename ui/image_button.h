// The main window's image buttons: a window class that draws one of its PNG looks
// (normal, pointer over, pressed, disabled) with GDI+ and tells its parent of a click
// with WM_COMMAND / BN_CLICKED. A two-state button keeps its pressed state between
// clicks (BM_GETCHECK / BM_SETCHECK); BM_CLICK clicks it.
#pragma once
#include <windows.h>

#include <string>

namespace lumaset::ui {

struct ButtonLooks {
  std::string normal, over, down, disabled;  // names of built-in images; empty: none
};

void registerImageButtonClass();
HWND createImageButton(HWND parent, int id, int x, int y, int w, int h, const ButtonLooks& looks, bool twoState);

}  // namespace lumaset::ui
