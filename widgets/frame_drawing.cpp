#include "widgets/frame_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "widgets/gdiplus_text.h"
#include "widgets/image_control.h"
#include "widgets/kit.h"
#include "widgets/pixel_blend.h"
#include "widgets/placement.h"
#include "widgets/scoped_gdiplus.h"
#include "widgets/window_rect.h"
#include "widgets/window_text.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {
namespace {

void drawTextBoxText(Gdiplus::GpGraphics* g, HWND child, float x, float y, float w, float h) {
  const std::wstring text = windowText(child);
  if (text.empty()) return;
  FontHandle font;
  font.fromWindow(child);
  StringFormatHandle format;
  format.create(0x1004, 0);
  format.setAlignments(Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
  auto brush = solidFill(argbFromColorref(static_cast<unsigned>(getProp(child, kTextColor)), 255));
  Gdiplus::RectF layout(x + 2, y + 2, w - 4, h - 4);
  GdipDrawString(g, text.c_str(), static_cast<INT>(text.size()), font.handle(), &layout, format.handle(), brush.get());
}

// A GDI+ drawing context on the frame, for what the kit does not blend itself (scaled
// images, fills, lines and text). It lives for one child: the frame's pixels cannot be
// locked while a context draws on them.
Graphics frameGraphics(Gdiplus::GpBitmap* frame) { return graphicsOn(frame); }

// Draws an image at its own size with its top-left corner at (x, y), cut to the box of
// w × h there and to the frame. False when it is no bitmap or its pixels cannot be read:
// GDI+ then draws it.
bool blendUnscaled(Gdiplus::GpBitmap* frame, Image* image, int x, int y, int w, int h) {
  Gdiplus::ImageType type{};
  if (GdipGetImageType(image, &type) != Gdiplus::Ok || type != Gdiplus::ImageTypeBitmap) return false;
  UINT fw = 0, fh = 0, iw = 0, ih = 0;
  GdipGetImageWidth(frame, &fw);
  GdipGetImageHeight(frame, &fh);
  GdipGetImageWidth(image, &iw);
  GdipGetImageHeight(image, &ih);
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min({x + w, x + static_cast<int>(iw), static_cast<int>(fw)});
  const int bottom = std::min({y + h, y + static_cast<int>(ih), static_cast<int>(fh)});
  if (right <= left || bottom <= top) return true;  // nothing of it shows
  auto* bitmap = static_cast<Gdiplus::GpBitmap*>(image);
  Gdiplus::Rect from(left - x, top - y, right - left, bottom - top), to(left, top, right - left, bottom - top);
  Gdiplus::BitmapData source{}, target{};
  if (GdipBitmapLockBits(bitmap, &from, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &source) != Gdiplus::Ok) {
    return false;
  }
  if (GdipBitmapLockBits(frame, &to, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB,
                         &target) != Gdiplus::Ok) {
    GdipBitmapUnlockBits(bitmap, &source);
    return false;
  }
  for (int row = 0; row < to.Height; ++row) {
    blendRow(reinterpret_cast<std::uint32_t*>(static_cast<char*>(target.Scan0) + std::ptrdiff_t{target.Stride} * row),
             reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(source.Scan0) +
                                                    std::ptrdiff_t{source.Stride} * row),
             static_cast<std::size_t>(to.Width));
  }
  GdipBitmapUnlockBits(frame, &target);
  GdipBitmapUnlockBits(bitmap, &source);
  return true;
}

// Where a child lies on the frame.
struct ChildPlace {
  float x, y, w, h;
};

// A text box's fill, when it has a back colour.
void fillTextBox(HWND child, Gdiplus::GpBitmap* frame, const ChildPlace& at) {
  std::intptr_t back = getProp(child, kBackColor);
  if (back == -1) return;
  auto fill =
      solidFill(argbFromColorref(static_cast<unsigned>(back), static_cast<unsigned>(getProp(child, kBackAlpha))));
  GdipFillRectangle(frameGraphics(frame).get(), fill.get(), at.x, at.y, at.w, at.h);
}

// A text box's outline, when it has one, and its text.
void drawTextBoxFront(HWND child, Gdiplus::GpBitmap* frame, const ChildPlace& at) {
  Graphics g = frameGraphics(frame);
  std::intptr_t order = getProp(child, kOrderColor);
  if (order != -1) {
    auto pen =
        thinPen(argbFromColorref(static_cast<unsigned>(order), static_cast<unsigned>(getProp(child, kOrderAlpha))));
    GdipDrawRectangle(g.get(), pen.get(), at.x, at.y, at.w, at.h);
  }
  drawTextBoxText(g.get(), child, at.x, at.y, at.w, at.h);
}

// A child's image in its place; false when it is too large for it, and only its top-left
// part was drawn.
bool drawChildImage(HWND child, Gdiplus::GpBitmap* frame, Image* image, const ChildPlace& at) {
  const int placement = static_cast<int>(getProp(child, kBackType));
  float iw = 0, ih = 0;
  GdipGetImageDimension(image, &iw, &ih);
  if (placement == 1 || placement == 2) {
    Placement place = placeImage(placement, iw, ih, static_cast<int>(at.w), static_cast<int>(at.h));
    drawImage(frame, image, at.x + static_cast<float>(place.x), at.y + static_cast<float>(place.y),
              static_cast<float>(place.width), static_cast<float>(place.height));
    return true;
  }
  if (iw - at.w > 1e-7 || ih - at.h > 1e-7) {
    if (!blendUnscaled(frame, image, static_cast<int>(at.x), static_cast<int>(at.y), static_cast<int>(at.w),
                       static_cast<int>(at.h))) {
      GdipDrawImagePointRect(frameGraphics(frame).get(), image, at.x, at.y, 0, 0, at.w, at.h, Gdiplus::UnitPixel);
    }
    return false;
  }
  drawImage(frame, image, at.x, at.y, iw, ih);
  return true;
}

}  // namespace

POINT clientCorner(HWND layered, HWND child) {
  RECT r = windowRect(child);
  POINT p{r.left, r.top};
  ScreenToClient(layered, &p);
  return p;
}

// An image drawn in its place: unscaled ones blended by the kit, the others by GDI+.
void drawImage(Gdiplus::GpBitmap* frame, Image* image, float x, float y, float w, float h) {
  float iw = 0, ih = 0;
  GdipGetImageDimension(image, &iw, &ih);
  const bool whole = x == std::floor(x) && y == std::floor(y);
  if (whole && w == iw && h == ih &&
      blendUnscaled(frame, image, static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h))) {
    return;
  }
  GdipDrawImageRect(frameGraphics(frame).get(), image, x, y, w, h);
}

void drawChild(HWND layered, HWND child, Gdiplus::GpBitmap* frame) {
  RECT r = windowRect(child);
  POINT p = clientCorner(layered, child);
  const ChildPlace at{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(r.right - r.left),
                      static_cast<float>(r.bottom - r.top)};
  std::intptr_t kind = getProp(child, kType);
  Image* image = nullptr;
  if (kind == kPictureBox) {
    image = reinterpret_cast<Image*>(getProp(child, kBackImage));
  } else if (kind == kImageButton) {
    image = stateImage(child);
  } else if (kind == kTextBox) {
    image = reinterpret_cast<Image*>(getProp(child, kBackImage));
    fillTextBox(child, frame, at);
  } else {
    return;
  }
  // An image too large for its place shows its top-left part only, and nothing more of the child.
  if (image && !drawChildImage(child, frame, image, at)) return;
  if (kind == kTextBox) drawTextBoxFront(child, frame, at);
}

}  // namespace lumaset::kit
