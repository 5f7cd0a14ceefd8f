#include "ui/window_images.h"

#include "assets/builtin_images.h"
#include "messages/language.h"
#include "ui/images_ahead.h"
#include "widgets/image_scaling.h"

namespace lumaset::ui {
namespace {

// A built-in image at the scale, and the scale it was drawn at (1 or 2).
std::pair<kit::Image*, int> builtinSource(const Scale& scale, const std::string& name, ImagesAhead* ahead) {
  const std::string embedded = builtinName(scale, name);
  const int imageScale = embedded.ends_with("@2x") ? 2 : 1;
  kit::Image* image = ahead ? ahead->take(embedded) : nullptr;
  if (!image) image = kit::loadImageFromBytes(std::string(embeddedImage(embedded)));
  return {image, imageScale};
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

std::string localBuiltin(const std::string& name) {
  const bool english = language() == Language::English && !embeddedImage(name + "_en").empty();
  return english ? name + "_en" : name;
}

std::string builtinName(const Scale& scale, const std::string& name) {
  const std::string local = localBuiltin(name);
  if (scale.highImages() && !embeddedImage(local + "@2x").empty()) return local + "@2x";
  return local;
}

kit::Image* builtinAtScale(const Scale& scale, const std::string& name, ImagesAhead* ahead) {
  auto [source, imageScale] = builtinSource(scale, name, ahead);
  return atScale(scale, source, imageScale);
}

kit::Image* slicedBuiltin(const Scale& scale, const std::string& name, const std::array<int, 6>& xs,
                          const std::array<int, 6>& ys, bool mirrored, ImagesAhead* ahead) {
  auto [source, imageScale] = builtinSource(scale, name, ahead);
  if (!source) return nullptr;
  std::array<int, 6> fromX = xs, fromY = ys;
  for (int& x : fromX) x *= imageScale;
  for (int& y : fromY) y *= imageScale;
  const std::array<int, 6> toX = mirrored ? mirroredEdges(scale, xs) : scaledEdges(scale, xs);
  const std::array<int, 6> toY = mirrored ? mirroredEdges(scale, ys) : scaledEdges(scale, ys);
  // Every band keeps its size (the design's scale): the image is its own slicing.
  if (toX == fromX && toY == fromY) return source;
  kit::Image* sliced = kit::slicedImage(source, fromX, fromY, toX, toY);
  kit::disposeImage(source);
  return sliced;
}

kit::Image* lookImage(const Scale& scale, const Bytes& low, const Bytes& high) {
  const bool useHigh = scale.highImages() && !high.empty();
  return atScale(scale, kit::loadImageFromBytes(useHigh ? high : low), useHigh ? 2 : 1);
}

}  // namespace lumaset::ui
