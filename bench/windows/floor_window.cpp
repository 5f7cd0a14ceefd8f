// The floor of the start benchmark: what any program that draws lumaset's first frame
// with lumaset's libraries must do, and nothing more. It imports the same system
// libraries (linked the same way, with the same manifest), starts GDI+, decodes one splash
// image beside it (floor-splash.png), shows it in a layered window of the preview's size,
// and shows a main window with one line of Chinese text in the window's font. Lumaset's
// start cannot be quicker than this one's.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "yardstick_window.h"
#include "widgets/gdiplus_include.h"

using namespace Gdiplus::DllExports;

namespace {

// The libraries lumaset loads at its start are loaded here too: these calls are never
// made, but they keep the imports.
void keepImports() {
  if (GetTickCount() != 1) return;
  GetOpenFileNameW(nullptr);
  DragAcceptFiles(nullptr, FALSE);
  RegCloseKey(nullptr);
}

std::wstring besideProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

void showImage(HWND layered, Gdiplus::GpBitmap* image, int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, dib);
  UINT w = 0, h = 0;
  GdipGetImageWidth(image, &w);
  GdipGetImageHeight(image, &h);
  Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
  Gdiplus::BitmapData data{};
  if (bits && GdipBitmapLockBits(image, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
    const int rows = std::min(static_cast<int>(h), height), row = 4 * std::min(static_cast<int>(w), width);
    for (int y = 0; y < rows; ++y) {
      std::memcpy(static_cast<char*>(bits) + 4 * width * y, static_cast<char*>(data.Scan0) + data.Stride * y, row);
    }
    GdipBitmapUnlockBits(image, &data);
  }
  SIZE size{width, height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(layered, screen, nullptr, &size, memory, &source, 0, &blend, ULW_ALPHA);
  SelectObject(memory, previous);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  keepImports();
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  Gdiplus::GpBitmap* splash = nullptr;
  GdipCreateBitmapFromFile(besideProgram(L"floor-splash.png").c_str(), &splash);

  registerYardstickClass(instance, L"FloorWindow");
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  HWND main = CreateWindowExW(WS_EX_APPWINDOW, L"FloorWindow", L"Floor", WS_POPUP, (screenW - 824) / 2,
                              screenH / 2, 824, 179, nullptr, nullptr, instance, nullptr);
  HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"微软雅黑");
  HWND label = CreateWindowExW(0, L"Static", L"Photoshop 的默认启动画面", WS_CHILD | WS_VISIBLE, 10, 10, 400, 24,
                               main, nullptr, instance, nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  HWND preview = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_LAYERED, L"FloorWindow", L"", WS_POPUP,
                                 (screenW - 838) / 2, 0, 838, 506, main, nullptr, instance, nullptr);
  if (splash) showImage(preview, splash, 838, 506);
  ShowWindow(preview, SW_SHOWNOACTIVATE);
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (splash) GdipDisposeImage(splash);
  Gdiplus::GdiplusShutdown(token);
  DeleteObject(font);
  return 0;
}
