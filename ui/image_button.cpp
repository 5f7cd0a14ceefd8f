#include "ui/image_button.h"

#include "assets/builtin_images.h"
#include "ui/control_colours.h"
#include "ui/control_ids.h"
#include "ui/dpi_scale.h"
#include "ui/images_ahead.h"
#include "ui/keyboard.h"
#include "ui/palette.h"
#include "ui/shield.h"
#include "widgets/button_state.h"
#include "widgets/gdiplus_include.h"
#include "widgets/image_loading.h"
#include "widgets/scoped_gdi.h"
#include "widgets/scoped_gdiplus.h"

using namespace Gdiplus::DllExports;

namespace lumaset::ui {
namespace {

struct Button {
  ButtonLooks names;
  // The looks, each decoded when it is first drawn: a start draws only the normal ones.
  kit::Image* looks[4] = {};  // normal, over, down, disabled
  bool tried[4] = {};
  bool high = false;  // the 2x looks, from 150 %
  bool twoState = false;
  bool pressed = false;  // two-state buttons
  kit::ButtonState state = kit::ButtonState::Normal;
};

enum ButtonState { kNormal, kOver, kDown, kDisabled };

// The name a look is embedded under: its 2x copy's where the button takes those and there is one.
std::string embeddedName(const std::string& name, bool high) {
  return high && !embeddedImage(name + "@2x").empty() ? name + "@2x" : name;
}

kit::Image* load(const std::string& name, bool high) {
  if (name.empty()) return nullptr;
  std::string_view bytes = embeddedImage(embeddedName(name, high));
  return bytes.empty() ? nullptr : kit::loadImageFromBytes(std::string(bytes));
}

const std::string& nameOf(const Button& b, ButtonState which) {
  const std::string* names[4] = {&b.names.normal, &b.names.over, &b.names.down, &b.names.disabled};
  return *names[which];
}

kit::Image* lookOf(Button& b, ButtonState which) {
  if (!b.tried[which]) {
    b.looks[which] = load(nameOf(b, which), b.high);
    b.tried[which] = true;
  }
  return b.looks[which];
}

void dropLooks(Button& b) {
  for (int i = 0; i < 4; ++i) {
    kit::disposeImage(b.looks[i]);
    b.looks[i] = nullptr;
    b.tried[i] = false;
  }
}

void loadLooks(Button& b, int dpi) {
  dropLooks(b);
  b.high = Scale{dpi}.highImages();
}

Button* of(HWND window) { return reinterpret_cast<Button*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

kit::Image* currentLook(HWND window, Button& b) {
  kit::Image* look = nullptr;
  if (!IsWindowEnabled(window))
    look = lookOf(b, kDisabled);
  else if (b.state == kit::ButtonState::Down || b.pressed)
    look = lookOf(b, kDown);
  else if (b.state == kit::ButtonState::Over)
    look = lookOf(b, kOver);
  return look ? look : lookOf(b, kNormal);
}

// Moves the drawing state on with a mouse or enable message; true when it changed.
bool follow(HWND window, Button& b, UINT message, WPARAM wParam) {
  kit::ButtonState next = kit::nextButtonState(b.state, message, wParam);
  kit::trackLeaveOnEnter(window, b.state, next);
  if (next == b.state) return false;
  b.state = next;
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

// The look fills the button: at 96 DPI pixel for pixel, else scaled to its size.
void drawLook(HDC dc, kit::Image* look, const RECT& r) {
  kit::Graphics graphics = kit::graphicsOn(dc);
  Gdiplus::GpGraphics* g = graphics.get();
  if (!g) return;
  UINT w = 0, h = 0;
  GdipGetImageWidth(look, &w);
  GdipGetImageHeight(look, &h);
  bool same = static_cast<LONG>(w) == r.right && static_cast<LONG>(h) == r.bottom;
  GdipSetInterpolationMode(
      g, same ? Gdiplus::InterpolationModeNearestNeighbor : Gdiplus::InterpolationModeHighQualityBicubic);
  GdipSetPixelOffsetMode(g, Gdiplus::PixelOffsetModeHalf);
  GdipDrawImageRectI(g, look, 0, 0, r.right, r.bottom);
}

void paint(HWND window, Button& b) {
  kit::PaintDC paint(window);
  RECT r;
  GetClientRect(window, &r);
  kit::MemoryDC memory(paint.get());
  kit::Bitmap bitmap(CreateCompatibleBitmap(paint.get(), r.right, r.bottom));
  kit::Selection selected(memory.get(), bitmap.get());
  {
    kit::Brush panel(CreateSolidBrush(drawnColour(Part::Panel)));
    FillRect(memory.get(), &r, panel.get());
  }
  if (kit::Image* look = currentLook(window, b)) drawLook(memory.get(), look, r);
  // The shield before the centred caption, where the button's image leaves room.
  if (shieldMarked(window)) {
    const int size = r.bottom * 5 / 8;
    drawShield(memory.get(), {r.bottom / 2, (r.bottom - size) / 2}, size);
  }
  // The focus outline goes round the part of the button that shows (its region, when
  // only a part of it does).
  if (GetFocus() == window) {
    RECT shown;
    drawFocusOutline(memory.get(), GetWindowRgnBox(window, &shown) == ERROR ? r : shown);
  }
  BitBlt(paint.get(), 0, 0, r.right, r.bottom, memory.get(), 0, 0, SRCCOPY);
}

// A two-state button's pressed state, drawn and told to screen readers.
void setPressed(HWND window, Button& b, bool pressed) {
  if (b.pressed == pressed) return;
  b.pressed = pressed;
  InvalidateRect(window, nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void click(HWND window, Button& b) {
  if (b.twoState) setPressed(window, b, !b.pressed);
  InvalidateRect(window, nullptr, FALSE);
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

// A release over the pressed button clicks it.
void release(HWND window, Button& b, WPARAM wParam, LPARAM lParam) {
  if (b.state != kit::ButtonState::Down) return;
  ReleaseCapture();
  follow(window, b, WM_LBUTTONUP, wParam);
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  RECT r;
  GetClientRect(window, &r);
  if (PtInRect(&r, p)) click(window, b);
}

// The messages of the mouse and the keys; false for any other.
bool onInput(HWND window, Button& b, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_ENABLE:
      follow(window, b, message, wParam);
      return true;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      follow(window, b, message, wParam);
      return true;
    case WM_LBUTTONUP:
      release(window, b, wParam, lParam);
      return true;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE && wParam != VK_RETURN) return false;
      // A held key clicks once: its repeats (bit 30, the key was down before) do not.
      if (IsWindowEnabled(window) && !(lParam & (1 << 30))) click(window, b);
      return true;
    case BM_CLICK:
      if (IsWindowEnabled(window)) click(window, b);
      return true;
    default:
      return false;
  }
}

// The messages of a button whose state is set up; WM_NCDESTROY frees it.
LRESULT onMessage(HWND window, Button& b, UINT message, WPARAM wParam, LPARAM lParam) {
  if (onInput(window, b, message, wParam, lParam)) return 0;
  switch (message) {
    case WM_PAINT:
      paint(window, b);
      return 0;
    case BM_GETCHECK:
      return b.pressed ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      setPressed(window, b, wParam == BST_CHECKED);
      return 0;
    case WM_NCDESTROY:
      dropLooks(b);
      delete &b;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    default:
      break;
  }
  if (Button* b = of(window)) return onMessage(window, *b, message, wParam, lParam);
  // While it is being created a button has no state yet: nothing of it to draw or click.
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void registerImageButtonClass() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = buttonProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
  wc.lpszClassName = kImageButtonClass;
  RegisterClassW(&wc);
}

HWND createImageButton(HWND parent, int id, int x, int y, int w, int h, const ButtonLooks& looks, bool twoState,
                       int dpi) {
  HWND window = CreateWindowExW(0, kImageButtonClass, L"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  auto* b = new Button;
  b->names = looks;
  loadLooks(*b, dpi);
  b->twoState = twoState;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
  return window;
}

// The normal look, and the one the button's state draws instead.
std::vector<ButtonState> firstLooks(HWND button, const Button& b) {
  std::vector<ButtonState> looks{kNormal};
  if (!IsWindowEnabled(button)) looks.push_back(kDisabled);
  if (b.pressed) looks.push_back(kDown);
  return looks;
}

std::vector<std::string> firstLookNames(HWND button) {
  std::vector<std::string> names;
  if (const Button* b = of(button))
    for (ButtonState which : firstLooks(button, *b))
      if (!nameOf(*b, which).empty()) names.push_back(embeddedName(nameOf(*b, which), b->high));
  return names;
}

void takeLooksAhead(HWND button, ImagesAhead& ahead) {
  Button* b = of(button);
  if (!b) return;
  for (ButtonState which : firstLooks(button, *b)) {
    if (b->tried[which] || nameOf(*b, which).empty()) continue;
    b->looks[which] = ahead.take(embeddedName(nameOf(*b, which), b->high));
    b->tried[which] = b->looks[which] != nullptr;
  }
}

void setImageButtonDpi(HWND button, int dpi) {
  if (Button* b = of(button)) {
    loadLooks(*b, dpi);
    InvalidateRect(button, nullptr, FALSE);
  }
}

}  // namespace lumaset::ui
