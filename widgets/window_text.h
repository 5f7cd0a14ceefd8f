// A window's text, whole, as the wide string Windows keeps.
#pragma once
#include <windows.h>

#include <string>

namespace lumaset::kit {

inline std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace lumaset::kit
