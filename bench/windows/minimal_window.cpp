// The yardstick of the start benchmark: the least a Windows program does to show a
// window of the main window's size and colour. Built and linked like lumaset.exe.
#include <windows.h>

#include "yardstick_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  registerYardstickClass(instance, L"MinimalWindow");
  const int w = 824, h = 179;
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, L"MinimalWindow", L"Minimal", WS_POPUP,
                                (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w,
                                h, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
