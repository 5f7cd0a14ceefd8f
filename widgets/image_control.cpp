#include "widgets/image_control.h"

#include <commctrl.h>
#include "widgets/gdiplus_include.h"

#include "platform/win32_text.h"
#include "widgets/button_state.h"
#include "widgets/kit.h"
#include "widgets/placement.h"
#include "widgets/scoped_gdi.h"
#include "widgets/scoped_gdiplus.h"
#include "widgets/window_rect.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {
namespace {

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK pictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Deletes the picture of what lies behind a control, which it keeps from its last paint.
void dropSnapshot(HWND control) {
  Bitmap snapshot(reinterpret_cast<HBITMAP>(getProp(control, kCacheBitmap)));
  RemovePropW(control, kCacheBitmap);
}

bool isControlColour(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    NMHDR header = *reinterpret_cast<NMHDR*>(lParam);
    if (getProp(header.hwndFrom, kType) == kImageButton && header.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      WindowDC dc(header.hwndFrom, WindowDC::kWholeWindow);
      paintControl(header.hwndFrom, stateImage(header.hwndFrom), dc.get());
    }
  } else if (message == WM_COMMAND) {
    auto control = reinterpret_cast<HWND>(lParam);
    WORD code = HIWORD(wParam);
    if (control && getProp(control, kType) == kTextBox &&
        (code == EN_CHANGE || code == EN_HSCROLL || code == EN_VSCROLL))
      InvalidateRect(control, nullptr, TRUE);
  } else if (isControlColour(message)) {
    auto control = reinterpret_cast<HWND>(lParam);
    std::intptr_t kind = getProp(control, kType);
    if (kind != 0) {
      auto dc = reinterpret_cast<HDC>(wParam);
      if (kind == kTextBox) SetTextColor(dc, static_cast<COLORREF>(getProp(control, kTextColor)));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
  }
  return callPrevious(kWndProc, window, message, wParam, lParam);
}

LRESULT CALLBACK pictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintDC paint(window);
    takeSnapshot(window, paint.get());
    paintControl(window, reinterpret_cast<Image*>(getProp(window, kBackImage)), paint.get());
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return callPrevious(kWndProc, window, message, wParam, lParam);
}

LRESULT CALLBACK cleanupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    for (const wchar_t* name : {kBackImage, kNormalImage, kOverImage, kDownImage, kDisableImage}) {
      releaseImage(reinterpret_cast<Image*>(getProp(window, name)));
      RemovePropW(window, name);
    }
    dropSnapshot(window);
    RemoveWindowSubclass(window, cleanupProc, id);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void subclassOnce(HWND window, WNDPROC procedure) {
  if (getProp(window, kWndProc) != 0) return;
  LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  setProp(window, kWndProc, previous);
}

LRESULT callPrevious(const wchar_t* property, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(getProp(window, property));
  if (!previous) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void editStyle(HWND window, int index, LONG_PTR remove, LONG_PTR add) {
  LONG_PTR old = GetWindowLongPtrW(window, index);
  LONG_PTR value = (old & ~remove) | add;
  if (value != old) SetWindowLongPtrW(window, index, value);
}

Image* stateImage(HWND button) {
  const wchar_t* name = nullptr;
  switch (static_cast<ButtonState>(getProp(button, kDrawState))) {
    case ButtonState::Over:
      name = kOverImage;
      break;
    case ButtonState::Down:
      name = kDownImage;
      break;
    case ButtonState::Disabled:
      name = kDisableImage;
      break;
    case ButtonState::Normal:
      break;
  }
  auto image = name ? reinterpret_cast<Image*>(getProp(button, name)) : nullptr;
  return image ? image : reinterpret_cast<Image*>(getProp(button, kNormalImage));
}

namespace {

// Has the parent paint its background into `memory` where the control lies; false when
// the parent paints none (no background of its own).
bool eraseParentInto(HWND control, HDC memory) {
  HWND parent = GetParent(control);
  if (!parent) return false;
  POINT corner{0, 0};
  MapWindowPoints(control, parent, &corner, 1);
  POINT old{};
  SetViewportOrgEx(memory, -corner.x, -corner.y, &old);
  const bool erased = SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0) != 0;
  SetViewportOrgEx(memory, old.x, old.y, nullptr);
  return erased;
}

}  // namespace

void takeSnapshot(HWND control, HDC paintDc) {
  RECT r = windowRect(control);
  int w = r.right - r.left, h = r.bottom - r.top;
  dropSnapshot(control);
  MemoryDC memory(paintDc);
  Bitmap bitmap(CreateCompatibleBitmap(paintDc, w, h));
  {
    Selection selected(memory.get(), bitmap.get());
    // Under a control with an image lies its parent's background, painted afresh: the
    // control's own area holds its last picture, and an image with soft edges drawn over
    // that again would harden them at every repaint. A control without an image, or on a
    // parent without a background, keeps what its area shows (the siblings it lies over).
    const bool image = getProp(control, kBackImage) != 0;
    if (!image || !eraseParentInto(control, memory.get())) BitBlt(memory.get(), 0, 0, w, h, paintDc, 0, 0, SRCCOPY);
  }
  // The control keeps its snapshot until the next paint or its end.
  setProp(control, kCacheBitmap, reinterpret_cast<std::intptr_t>(bitmap.release()));
}

namespace {

// The control's picture in `memory`: the snapshot of what lies behind it, its image over that.
void drawOverSnapshot(HDC memory, HWND control, HBITMAP snapshot, Image* foreground, int w, int h) {
  Graphics graphics = graphicsOn(memory);
  GdiplusOwner<Gdiplus::GpBitmap> background;
  Gdiplus::GpBitmap* made = nullptr;
  if (GdipCreateBitmapFromHBITMAP(snapshot, nullptr, &made) == Gdiplus::Ok) {
    background.reset(made);
    GdipDrawImageRect(graphics.get(), background.get(), 0, 0, static_cast<float>(w), static_cast<float>(h));
  }
  if (foreground) {
    float iw = 0, ih = 0;
    GdipGetImageDimension(foreground, &iw, &ih);
    Placement p = placeImage(static_cast<int>(getProp(control, kBackType)), iw, ih, w, h);
    GdipDrawImageRect(graphics.get(), foreground, static_cast<float>(p.x), static_cast<float>(p.y),
                      static_cast<float>(p.width), static_cast<float>(p.height));
  }
}

}  // namespace

void paintControl(HWND control, Image* foreground, HDC dc) {
  auto snapshot = reinterpret_cast<HBITMAP>(getProp(control, kCacheBitmap));
  if (!snapshot) return;
  RECT r = windowRect(control);
  int w = r.right - r.left, h = r.bottom - r.top;
  std::optional<WindowDC> own;
  if (!dc) own.emplace(control, WindowDC::kWholeWindow);
  const HDC target = dc ? dc : own->get();
  MemoryDC memory(target);
  Bitmap bitmap(CreateCompatibleBitmap(target, w, h));
  Selection selected(memory.get(), bitmap.get());
  drawOverSnapshot(memory.get(), control, snapshot, foreground, w, h);
  BitBlt(target, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
}

UINT moveFlags(std::optional<int> left, std::optional<int> top, std::optional<int> width, std::optional<int> height,
               bool noRedraw) {
  UINT flags = SWP_NOZORDER;
  if (noRedraw) flags |= SWP_NOREDRAW;
  if (!left && !top) flags |= SWP_NOMOVE;
  if (!width && !height) flags |= SWP_NOSIZE;
  return flags;
}

void watchForDestroy(HWND window) { SetWindowSubclass(window, cleanupProc, 0x4B454C54, 0); }

HWND sharedToolTip() {
  static HWND tooltip = nullptr;
  if (!tooltip) {
    tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 1024);
  }
  return tooltip;
}

int ImageControl::attach(HWND window) {
  if (!IsWindow(window)) return 0;
  HWND parent = GetParent(window);
  if (parent && getProp(parent, kType) == 0) subclassOnce(parent, parentProc);
  editStyle(window, GWL_STYLE, WS_CLIPSIBLINGS, 0);
  editStyle(window, GWL_EXSTYLE, 0, WS_EX_TRANSPARENT);
  if (parent) editStyle(parent, GWL_STYLE, WS_CLIPCHILDREN, 0);
  watchForDestroy(window);
  window_ = window;
  return 1;
}

BOOL ImageControl::setProperty(const std::string& name, std::intptr_t value) {
  return setProp(window_, lumaset::toWide(name).c_str(), value);
}

std::intptr_t ImageControl::getProperty(const std::string& name) const {
  return getProp(window_, lumaset::toWide(name).c_str());
}

LRESULT ImageControl::sendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(window_, message, wParam, lParam);
}

void ImageControl::setToolTip(const std::string& text, bool atPointer) {
  HWND tooltip = sharedToolTip();
  std::wstring wide = lumaset::toWide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = 0;
  tool.lpszText = wide.data();
  if (getProp(window_, kToolTips)) {
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  setProp(window_, kToolTips, 1);
  tool.uFlags = TTF_SUBCLASS | (atPointer ? 0 : TTF_CENTERTIP);
  GetClientRect(window_, &tool.rect);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ImageControl::moveTo(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                          std::optional<int> height, bool noRedraw) {
  UINT flags = moveFlags(left, top, width, height, noRedraw);
  RECT r = windowRect(window_);
  POINT corner{r.left, r.top};
  if (HWND parent = GetParent(window_)) ScreenToClient(parent, &corner);
  SetWindowPos(window_, nullptr, left.value_or(corner.x), top.value_or(corner.y), width.value_or(r.right - r.left),
               height.value_or(r.bottom - r.top), flags);
}

HWND ImageControl::createPictureBox(HWND parent, int x, int y, int width, int height) {
  HWND box = CreateWindowExW(WS_EX_TRANSPARENT, L"Static", lumaset::toWide(kPictureBoxText).c_str(),
                             WS_CHILD | WS_VISIBLE | SS_NOTIFY, x, y, width, height, parent, nullptr, nullptr, nullptr);
  attachPictureBox(box);
  return box;
}

int ImageControl::attachPictureBox(HWND window, Image* image) {
  if (!attach(window)) return 0;
  setProp(window, kType, kPictureBox);
  SetWindowTextW(window, lumaset::toWide(kPictureBoxText).c_str());
  subclassOnce(window, pictureBoxProc);
  if (image) setBackImage(image);
  return 1;
}

void ImageControl::setBackImage(Image* image) {
  setImageProp(window_, kBackImage, image);
  RECT r = windowRect(window_);
  HWND parent = GetParent(window_);
  POINT corner{r.left, r.top};
  if (parent) ScreenToClient(parent, &corner);
  RECT inParent{corner.x, corner.y, corner.x + (r.right - r.left), corner.y + (r.bottom - r.top)};
  if (parent) InvalidateRect(parent, &inParent, FALSE);
  InvalidateRect(window_, nullptr, FALSE);
}

void ImageControl::setBackImageFromBytes(const Bytes& bytes) { setBackImage(loadImageFromBytes(bytes)); }

void ImageControl::setBackType(int type) { setProp(window_, kBackType, type); }

}  // namespace lumaset::kit
