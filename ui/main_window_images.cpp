// The main window's images at the current scale: the built-in ones from their 1x or 2x
// copies, the shown look's splash and icons from the theme's 2x images from 150 % on
// (else its 1x ones), each redrawn at the exact size it is shown.
#include <array>

#include "assets/builtin_images.h"
#include "ui/main_window.h"
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

kit::Image* builtinAtScale(const Scale& scale, const std::string& name) {
  auto [source, imageScale] = builtinSource(scale, name);
  return atScale(scale, source, imageScale);
}

// A built-in image cut into bands on each axis at the design edges, each band scaled on
// its own: a frame's lines and a box's outline keep whole pixels.
kit::Image* slicedBuiltin(const Scale& scale, const std::string& name, const std::array<int, 6>& xs,
                          const std::array<int, 6>& ys, bool mirrored = false) {
  auto [source, imageScale] = builtinSource(scale, name);
  if (!source) return nullptr;
  std::array<int, 6> fromX = xs, fromY = ys;
  for (int& x : fromX) x *= imageScale;
  for (int& y : fromY) y *= imageScale;
  kit::Image* sliced = kit::slicedImage(source, fromX, fromY, mirrored ? mirroredEdges(scale, xs) : scaledEdges(scale, xs),
                                          mirrored ? mirroredEdges(scale, ys) : scaledEdges(scale, ys));
  kit::disposeImage(source);
  return sliced;
}

// A look's image: its 2x bytes from 150 % on when it has them, else its 1x bytes.
kit::Image* lookImage(const Scale& scale, const Bytes& low, const Bytes& high) {
  const bool useHigh = scale.highImages() && !high.empty();
  return atScale(scale, kit::loadImageFromBytes(useHigh ? high : low), useHigh ? 2 : 1);
}

}  // namespace

void MainWindow::showBuiltinImages() {
  // The frame: shadow, line, centre, line, shadow on each axis.
  if (frame_)
    frameImage_.setBackImage(slicedBuiltin(scale_, "frame", {0, 5, 9, 833, 837, 842}, {0, 1, 5, 182, 186, 195}));
  // The theme box: its one-pixel outline, the inside with its arrow.
  if (HWND box = control(Control::ThemeBoxImage)) {
    kit::ImageControl fake;
    fake.attach(box);
    fake.setBackImage(slicedBuiltin(scale_, "theme_box", {0, 1, 2, 241, 242, 243}, {0, 1, 2, 24, 25, 26}, true));
  }
  // The preview window's own image, the clear overlay, is fully transparent: it is not
  // drawn. The placeholder waits until the start has shown whatever look it could.
  if (preview_ && started_ && !lookReceived_) splash_.setBackImage(builtinAtScale(scale_, "placeholder_splash"));
}

void MainWindow::showPlaceholder() {
  if (!preview_ || lookReceived_) return;
  splash_.setBackImage(builtinAtScale(scale_, "placeholder_splash"));
  showOverlayImage();
}

void MainWindow::showLookImages() {
  if (!lookReceived_) return;
  // Esc may have closed the preview for good: its splash is then not decoded at all.
  if (preview_) splash_.setBackImage(lookImage(scale_, lookShown_.splash, lookShown_.splashHigh));
  darkIcon_.setBackImage(lookImage(scale_, lookShown_.darkIcon, lookShown_.darkIconHigh));
  lightIcon_.setBackImage(lookImage(scale_, lookShown_.lightIcon, lookShown_.lightIconHigh));
}

void MainWindow::showOverlayImage() {
  if (!preview_) return;
  // The clear overlay is fully transparent: no image draws the same, without decoding one.
  overlay_.setBackImage(overlayShown_ == Overlay::Clear ? nullptr : builtinAtScale(scale_, "marked_overlay"));
  previewImage_.refresh();
}

}  // namespace lumaset::ui
