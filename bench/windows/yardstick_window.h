// The window class of the start benchmark's yardstick programs: the main window's colour,
// and a window that ends its program when it is closed and does nothing else of its own.
#pragma once
#include <windows.h>

inline LRESULT CALLBACK quitOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

inline void registerYardstickClass(HINSTANCE instance, const wchar_t* name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = quitOnDestroy;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(0, 17, 34));
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}
