// A window's rectangle in screen coordinates.
#pragma once
#include <windows.h>

namespace lumaset::kit {

inline RECT windowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace lumaset::kit
