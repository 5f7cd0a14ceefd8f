// Owners of the GDI+ objects a paint makes for itself: a drawing context, a brush, a pen
// and an image that is no kit image (the kit counts its own, image_loading.h), each deleted
// when its owner goes. Null when GDI+ could not make it.
#pragma once
#include <memory>

#include "widgets/gdiplus_include.h"

namespace lumaset::kit {

struct GdiplusDelete {
  void operator()(Gdiplus::GpGraphics* g) const { Gdiplus::DllExports::GdipDeleteGraphics(g); }
  void operator()(Gdiplus::GpBrush* b) const { Gdiplus::DllExports::GdipDeleteBrush(b); }
  void operator()(Gdiplus::GpPen* p) const { Gdiplus::DllExports::GdipDeletePen(p); }
  void operator()(Gdiplus::GpImage* i) const { Gdiplus::DllExports::GdipDisposeImage(i); }
};

template <typename T>
using GdiplusOwner = std::unique_ptr<T, GdiplusDelete>;
using Graphics = GdiplusOwner<Gdiplus::GpGraphics>;

// A drawing context on a DC, or on an image's pixels.
inline Graphics graphicsOn(HDC dc) {
  Gdiplus::GpGraphics* g = nullptr;
  Gdiplus::DllExports::GdipCreateFromHDC(dc, &g);
  return Graphics(g);
}
inline Graphics graphicsOn(Gdiplus::GpImage* image) {
  Gdiplus::GpGraphics* g = nullptr;
  Gdiplus::DllExports::GdipGetImageGraphicsContext(image, &g);
  return Graphics(g);
}

inline GdiplusOwner<Gdiplus::GpSolidFill> solidFill(Gdiplus::ARGB colour) {
  Gdiplus::GpSolidFill* fill = nullptr;
  Gdiplus::DllExports::GdipCreateSolidFill(colour, &fill);
  return GdiplusOwner<Gdiplus::GpSolidFill>(fill);
}

// A pen one pixel wide.
inline GdiplusOwner<Gdiplus::GpPen> thinPen(Gdiplus::ARGB colour) {
  Gdiplus::GpPen* pen = nullptr;
  Gdiplus::DllExports::GdipCreatePen1(colour, 1.0f, Gdiplus::UnitWorld, &pen);
  return GdiplusOwner<Gdiplus::GpPen>(pen);
}

}  // namespace lumaset::kit
