#include "widgets/image_scaling.h"

#include <algorithm>

using namespace Gdiplus::DllExports;

namespace lumaset::kit {
namespace {

Gdiplus::GpBitmap* emptyBitmap(int w, int h) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (w <= 0 || h <= 0 || GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, &bitmap) != Gdiplus::Ok)
    return nullptr;
  return bitmap;
}

constexpr int kMargin = 3;

// A copy of the source's part with kMargin pixels around it that repeat its edge pixels.
Gdiplus::GpBitmap* withMargin(Image* source, int sx, int sy, int sw, int sh) {
  Gdiplus::GpBitmap* out = emptyBitmap(sw + 2 * kMargin, sh + 2 * kMargin);
  if (!out) return nullptr;
  Gdiplus::Rect from{sx, sy, sw, sh}, to{0, 0, sw + 2 * kMargin, sh + 2 * kMargin};
  Gdiplus::BitmapData in{}, copy{};
  auto* bitmap = static_cast<Gdiplus::GpBitmap*>(source);
  if (GdipBitmapLockBits(bitmap, &from, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &in) != Gdiplus::Ok) {
    GdipDisposeImage(out);
    return nullptr;
  }
  GdipBitmapLockBits(out, &to, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &copy);
  for (int y = 0; y < to.Height; ++y) {
    const int row = std::clamp(y - kMargin, 0, sh - 1);
    const auto* src = reinterpret_cast<const UINT32*>(static_cast<const BYTE*>(in.Scan0) + row * in.Stride);
    auto* dst = reinterpret_cast<UINT32*>(static_cast<BYTE*>(copy.Scan0) + y * copy.Stride);
    for (int x = 0; x < to.Width; ++x) dst[x] = src[std::clamp(x - kMargin, 0, sw - 1)];
  }
  GdipBitmapUnlockBits(out, &copy);
  GdipBitmapUnlockBits(bitmap, &in);
  return out;
}

// Draws source rectangles into destination rectangles of `target`: bicubic when a part
// changes size, pixel for pixel when it does not.
class Painter {
 public:
  explicit Painter(Gdiplus::GpBitmap* target) {
    GdipGetImageGraphicsContext(target, &g_);
    GdipSetCompositingMode(g_, Gdiplus::CompositingModeSourceCopy);
    GdipSetPixelOffsetMode(g_, Gdiplus::PixelOffsetModeHalf);
  }
  ~Painter() { GdipDeleteGraphics(g_); }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void draw(Image* source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    if (sw == dw && sh == dh) {
      GdipSetInterpolationMode(g_, Gdiplus::InterpolationModeNearestNeighbor);
      GdipDrawImageRectRectI(g_, source, dx, dy, dw, dh, sx, sy, sw, sh, Gdiplus::UnitPixel, nullptr, nullptr,
                             nullptr);
      return;
    }
    // Scaled, a part's edge would be mixed with what lies beyond it (its neighbours, or
    // nothing): it is scaled with a margin of its own edge pixels, which the clip cuts off.
    Gdiplus::GpBitmap* part = withMargin(source, sx, sy, sw, sh);
    if (!part) return;
    const float fx = static_cast<float>(dw) / sw, fy = static_cast<float>(dh) / sh;
    GdipSetInterpolationMode(g_, Gdiplus::InterpolationModeHighQualityBicubic);
    GdipSetClipRectI(g_, dx, dy, dw, dh, Gdiplus::CombineModeReplace);
    GdipDrawImageRect(g_, part, dx - kMargin * fx, dy - kMargin * fy, (sw + 2 * kMargin) * fx,
                      (sh + 2 * kMargin) * fy);
    GdipResetClip(g_);
    GdipDisposeImage(part);
  }

 private:
  Gdiplus::GpGraphics* g_ = nullptr;
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
