#include "ui/window_images.h"

#include "assets/builtin_images.h"
#include "widgets/image_scaling.h"

namespace lumaset::ui {
namespace {

// A built-in image at the scale: its 2x copy from 150 % on where there is one.
std::pair<kit::Image*, int> builtinSource(const Scale& scale, const std::string& name) {
  if (scale.highImages()) {
    std::string_view high = embeddedImage(name + "@2x");
    if (!high.empty()) return {kit::loadImageFromBytes(std::string(high)), 2};
  }
  return {kit::loadImageFromBytes(std::string(embeddedImage(name))), 1};
}

// An image made at `imageScale` times the design, at its size on the screen.
kit::Image* atScale(const Scale& scale, kit::Image* source, int imageScale) {
  if (!source) return nullptr;
  auto [w, h] = kit::imageSize(source);
  const int tw = scale.imagePx(w, imageScale), th = scale.imagePx(h, imageScale);
  if (tw == w && th == h) return source;
  kit::Image* scaled = kit::resizedImage(source, tw, th);
  kit::disposeImage(source);
  return scaled;
}

}  // namespace

kit::Image* builtinAtScale(const Scale& scale, const std::string& name) {
  auto [source, imageScale] = builtinSource(scale, name);
  return atScale(scale, source, imageScale);
}

kit::Image* slicedBuiltin(const Scale& scale, const std::string& name, const std::array<int, 6>& xs,
                          const std::array<int, 6>& ys, bool mirrored) {
  auto [source, imageScale] = builtinSource(scale, name);
  if (!source) return nullptr;
  std::array<int, 6> fromX = xs, fromY = ys;
  for (int& x : fromX) x *= imageScale;
  for (int& y : fromY) y *= imageScale;
  kit::Image* sliced =
      kit::slicedImage(source, fromX, fromY, mirrored ? mirroredEdges(scale, xs) : scaledEdges(scale, xs),
                       mirrored ? mirroredEdges(scale, ys) : scaledEdges(scale, ys));
  kit::disposeImage(source);
  return sliced;
}

kit::Image* lookImage(const Scale& scale, const Bytes& low, const Bytes& high) {
  const bool useHigh = scale.highImages() && !high.empty();
  return atScale(scale, kit::loadImageFromBytes(useHigh ? high : low), useHigh ? 2 : 1);
}

}  // namespace lumaset::ui
