#include "widgets/image_scaling.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {
namespace {

Gdiplus::GpBitmap* emptyBitmap(int w, int h) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (w <= 0 || h <= 0 || GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, &bitmap) != Gdiplus::Ok)
    return nullptr;
  return bitmap;
}

// Draws source rectangles into destination rectangles of `target`: bicubic when a part
// changes size, pixel for pixel when it does not; the source's edge pixels repeat
// outwards instead of fading into transparency.
class Painter {
 public:
  explicit Painter(Gdiplus::GpBitmap* target) {
    GdipGetImageGraphicsContext(target, &g_);
    GdipSetCompositingMode(g_, Gdiplus::CompositingModeSourceCopy);
    GdipSetPixelOffsetMode(g_, Gdiplus::PixelOffsetModeHalf);
    GdipCreateImageAttributes(&clamp_);
    GdipSetImageAttributesWrapMode(clamp_, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
  }
  ~Painter() {
    GdipDisposeImageAttributes(clamp_);
    GdipDeleteGraphics(g_);
  }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void draw(Image* source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    GdipSetInterpolationMode(g_, sw == dw && sh == dh ? Gdiplus::InterpolationModeNearestNeighbor
                                                      : Gdiplus::InterpolationModeHighQualityBicubic);
    // The part is copied out first: scaled in place, its neighbours' pixels would bleed
    // into its edges.
    Gdiplus::GpBitmap* part = nullptr;
    if (GdipCloneBitmapAreaI(sx, sy, sw, sh, PixelFormat32bppARGB, static_cast<Gdiplus::GpBitmap*>(source), &part) !=
        Gdiplus::Ok)
      return;
    GdipDrawImageRectRectI(g_, part, dx, dy, dw, dh, 0, 0, sw, sh, Gdiplus::UnitPixel, clamp_, nullptr, nullptr);
    GdipDisposeImage(part);
  }

 private:
  Gdiplus::GpGraphics* g_ = nullptr;
  Gdiplus::GpImageAttributes* clamp_ = nullptr;
};

}  // namespace

std::array<int, 2> imageSize(Image* image) {
  UINT w = 0, h = 0;
  if (image) {
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
  }
  return {static_cast<int>(w), static_cast<int>(h)};
}

Image* resizedImage(Image* source, int w, int h) {
  Gdiplus::GpBitmap* bitmap = source ? emptyBitmap(w, h) : nullptr;
  if (!bitmap) return nullptr;
  auto [sw, sh] = imageSize(source);
  {
    Painter painter(bitmap);
    painter.draw(source, 0, 0, sw, sh, 0, 0, w, h);
  }
  return adoptImage(bitmap);
}

Image* slicedImage(Image* source, const std::array<int, 6>& fromX, const std::array<int, 6>& fromY,
                   const std::array<int, 6>& toX, const std::array<int, 6>& toY) {
  Gdiplus::GpBitmap* bitmap = source ? emptyBitmap(toX[5], toY[5]) : nullptr;
  if (!bitmap) return nullptr;
  {
    Painter painter(bitmap);
    for (std::size_t row = 0; row + 1 < fromY.size(); ++row) {
      for (std::size_t column = 0; column + 1 < fromX.size(); ++column) {
        painter.draw(source, fromX[column], fromY[row], fromX[column + 1] - fromX[column], fromY[row + 1] - fromY[row],
                     toX[column], toY[row], toX[column + 1] - toX[column], toY[row + 1] - toY[row]);
      }
    }
  }
  return adoptImage(bitmap);
}

}  // namespace lumaset::kit
