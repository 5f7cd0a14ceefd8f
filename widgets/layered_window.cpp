#include "widgets/layered_window.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>

#include "widgets/button_state.h"
#include "widgets/frame_drawing.h"
#include "widgets/image_control.h"
#include "widgets/kit.h"
#include "widgets/scoped_gdi.h"
#include "widgets/scoped_gdiplus.h"
#include "widgets/window_rect.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {
namespace {

unsigned long& composeCounter() {
  static unsigned long count = 0;
  return count;
}

void drawCaret(HWND layered, Gdiplus::GpGraphics* g) {
  HWND box = caretState().focusTextBox;
  if (!box) return;
  RECT r = windowRect(box);
  POINT p = clientCorner(layered, box);
  POINT caret{};
  GetCaretPos(&caret);
  float lineX = static_cast<float>(p.x + caret.x + 5);
  float top = static_cast<float>(p.y + static_cast<int>((r.bottom - r.top - 12) / 2));
  GdipDrawLine(g, thinPen(0xFF000000).get(), lineX, top, lineX, top + 12);
}

void CALLBACK caretTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  CaretState& c = caretState();
  if (id != kCaretTimer || window != c.focusWindow || !c.focusTextBox || !c.lastFrame) return;
  c.phase = c.phase ? 0 : 1;
  present(window, c.lastFrame, c.phase);
}

void recompose(HWND window) { compose(window, false); }

LRESULT CALLBACK buttonChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = static_cast<ButtonState>(getProp(child, kDrawState));
  ButtonState next = nextButtonState(state, message, wParam);
  trackLeaveOnEnter(child, state, next);
  if (next != state) {
    setProp(child, kDrawState, static_cast<std::intptr_t>(next));
    recompose(GetParent(child));
  }
  return callPrevious(kChildWndProc, child, message, wParam, lParam);
}

LRESULT CALLBACK textBoxChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  CaretState& c = caretState();
  if (message == WM_SETFOCUS) {
    c.phase = 0;
    c.focusWindow = GetParent(child);
    c.focusTextBox = child;
  } else if (message == WM_KILLFOCUS) {
    c.focusWindow = nullptr;
    c.focusTextBox = nullptr;
  }
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_KEYDOWN:
    case WM_LBUTTONUP: {
      LRESULT result = callPrevious(kChildWndProc, child, message, wParam, lParam);
      recompose(GetParent(child));
      return result;
    }
    default:
      return callPrevious(kChildWndProc, child, message, wParam, lParam);
  }
}

}  // namespace

CaretState& caretState() {
  static CaretState state;
  return state;
}

unsigned long composeCount() { return composeCounter(); }

Gdiplus::GpBitmap* compose(HWND window, bool handBack) {
  ++composeCounter();
  RECT r = windowRect(window);
  int width = r.right - r.left, height = r.bottom - r.top;
  // Premultiplied, as UpdateLayeredWindow takes it: presenting copies it as it is.
  Gdiplus::GpBitmap* frame = nullptr;
  if (width <= 0 || height <= 0 ||
      GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &frame) != Gdiplus::Ok)
    return nullptr;
  if (auto back = reinterpret_cast<Image*>(getProp(window, kBackImage))) {
    drawImage(frame, back, 0, 0, static_cast<float>(width), static_cast<float>(height));
  }
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (getProp(child, kType) != 0) drawChild(window, child, frame);
  }
  if (handBack) return frame;
  present(window, frame, 0);
  CaretState& c = caretState();
  if (window == c.focusWindow) {
    if (c.lastFrame) GdipDisposeImage(c.lastFrame);
    c.lastFrame = frame;
  } else {
    GdipDisposeImage(frame);
  }
  return nullptr;
}

namespace {

// Copies the frame's premultiplied pixels straight into the top-down DIB that
// UpdateLayeredWindow reads: far cheaper than drawing the frame into it, which costs a
// whole alpha blend of the window's size on every change. The frame is premultiplied
// already, so reading it converts nothing.
bool copyFrame(Gdiplus::GpBitmap* frame, void* bits, int width, int height) {
  UINT fw = 0, fh = 0;
  GdipGetImageWidth(frame, &fw);
  GdipGetImageHeight(frame, &fh);
  if (static_cast<int>(fw) != width || static_cast<int>(fh) != height) return false;
  Gdiplus::Rect all(0, 0, width, height);
  Gdiplus::BitmapData data{};
  if (GdipBitmapLockBits(frame, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
    return false;
  }
  const auto rowBytes = static_cast<std::size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    std::memcpy(static_cast<char*>(bits) + rowBytes * static_cast<std::size_t>(y),
                static_cast<const char*>(data.Scan0) + static_cast<std::ptrdiff_t>(data.Stride) * y, rowBytes);
  }
  GdipBitmapUnlockBits(frame, &data);
  return true;
}

void drawFrame(HDC memory, HWND window, Gdiplus::GpBitmap* frame, int caretPhase) {
  Graphics g = graphicsOn(memory);
  UINT fw = 0, fh = 0;
  GdipGetImageWidth(frame, &fw);
  GdipGetImageHeight(frame, &fh);
  GdipDrawImageRect(g.get(), frame, 0, 0, static_cast<float>(fw), static_cast<float>(fh));
  if (caretPhase == 1) drawCaret(window, g.get());
}

}  // namespace

namespace {

// A top-down 32-bit DIB section of the window's size, whose pixels UpdateLayeredWindow reads.
Bitmap topDownSection(HDC dc, int width, int height, void** bits) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;  // top-down, row for row as the frame holds them
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(width) * height * 4;
  return Bitmap(CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace

void present(HWND window, Gdiplus::GpBitmap* frame, int caretPhase) {
  if (!IsWindow(window) || !frame) return;
  RECT r = windowRect(window);
  int width = r.right - r.left, height = r.bottom - r.top;
  WindowDC screen(window, WindowDC::kWholeWindow);
  MemoryDC memory(screen.get());
  void* bits = nullptr;
  Bitmap dib = topDownSection(memory.get(), width, height, &bits);
  Selection selected(memory.get(), dib.get());
  // The caret is drawn over the frame, which needs the drawing path.
  if (caretPhase == 1 || !bits || !copyFrame(frame, bits, width, height))
    drawFrame(memory.get(), window, frame, caretPhase);
  SIZE size{width, height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window, screen.get(), nullptr, &size, memory.get(), &source, 0, &blend, ULW_ALPHA);
}

int LayeredWindow::attach(HWND window) {
  if (!IsWindow(window)) return 0;
  window_ = window;
  SetWindowLongPtrW(window, GWL_EXSTYLE, WS_EX_LAYERED);
  CreateCaret(window, nullptr, 1, 12);
  if (getProp(window, kTime) == 0) {
    SetTimer(window, kCaretTimer, 500, caretTimer);
    setProp(window, kTime, static_cast<std::intptr_t>(kCaretTimer));
  }
  watchForDestroy(window);
  return 1;
}

int LayeredWindow::setBackImage(Image* image) {
  if (!IsWindow(window_) || !image) return 0;
  setImageProp(window_, kBackImage, image);
  compose(window_, false);
  return 1;
}

int LayeredWindow::setBackImageFromBytes(const Bytes& bytes) {
  Image* image = loadImageFromBytes(bytes);
  int result = setBackImage(image);
  if (!result && image) disposeImage(image);
  return result;
}

void LayeredWindow::refresh() {
  if (!IsWindow(window_)) return;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    std::intptr_t kind = getProp(child, kType);
    if (kind == 0) continue;
    if (auto own = getProp(child, kWndProc)) {
      SetWindowLongPtrW(child, GWLP_WNDPROC, own);
      RemovePropW(child, kWndProc);
    }
    if (getProp(child, kChildWndProc) != 0) continue;
    WNDPROC procedure = kind == kImageButton ? buttonChildProc : kind == kTextBox ? textBoxChildProc : nullptr;
    LONG_PTR previous = procedure ? SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure))
                                  : GetWindowLongPtrW(child, GWLP_WNDPROC);
    setProp(child, kChildWndProc, previous);
  }
  compose(window_, false);
}

void LayeredWindow::moveTo(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                           std::optional<int> height, bool noRedraw) {
  UINT flags = moveFlags(left, top, width, height, noRedraw);
  RECT r = windowRect(window_);
  SetWindowPos(window_, nullptr, left.value_or(r.left), top.value_or(r.top), width.value_or(r.right - r.left),
               height.value_or(r.bottom - r.top), flags);
}

}  // namespace lumaset::kit
