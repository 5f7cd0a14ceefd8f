#include "widgets/load_dialog.h"

#include "widgets/gdiplus_include.h"

#include "platform/win32_scoped.h"
#include "widgets/kit.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {

void registerLoadDialogClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = loadDialogProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kLoadDialogClass;
  RegisterClassExW(&wc);
}

LRESULT CALLBACK loadDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY: {
      win32::Handle thread(reinterpret_cast<HANDLE>(getProp(window, kDialogThread)));
      if (thread.ok()) TerminateThread(thread.get(), 0);
      if (auto image = reinterpret_cast<Gdiplus::GpImage*>(getProp(window, kDialogImage))) GdipDisposeImage(image);
      if (auto block = reinterpret_cast<HGLOBAL>(getProp(window, kDialogStream))) GlobalFree(block);
      return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_LBUTTONDOWN: {
      LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      if (getProp(window, kDialogHitMove) == 1) {
        ReleaseCapture();
        SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      }
      return result;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace lumaset::kit
