// The two windows that accompany the main window: the layered splash preview above it
// (the splash and the overlay over it) and the layered frame around it. They move and
// minimise with the main window as one group, and are placed around it again at another
// DPI. Esc on the preview hides it until the next look.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "themes/looks.h"
#include "ui/window_controls.h"
#include "ui/window_group.h"
#include "widgets/image_control.h"
#include "widgets/layered_window.h"

namespace lumaset::ui {

class ImagesAhead;

class PreviewWindows {
 public:
  explicit PreviewWindows(WindowControls& controls) : controls_(controls) {}

  // Opens the frame and the preview, centred on the screen, and shows the frame's image.
  void open(HWND main);
  // Puts the preview above the main window and the frame round it, shows both and joins
  // the three windows into a group.
  void standAround(HWND main);
  // Places both round the main window at the current scale (after a change of DPI).
  void placeAround(HWND main);
  // The preview's own DPI: the window's, or less where the whole group would not fit.
  void setPreviewDpi(int dpi) { previewScale_ = Scale{dpi}; }
  // The embedded names of the built-in images the start draws: the frame, the overlay.
  std::vector<std::string> imagesDrawnFirst() const;
  // Where those are taken from once decoded ahead; nullptr: decoded when drawn.
  void takeImagesFrom(ImagesAhead* ahead) { ahead_ = ahead; }

  HWND preview() const { return preview_; }
  // Esc on the preview hides it until the next look is shown.
  void closePreview();

  // What the main window's moves and size changes ask of the other two.
  void mainMoved();
  void mainResized(WPARAM kind) { group_.mainResized(kind); }
  void hold() { group_.hold(); }

  // The frame's image at the current scale.
  void showFrameImage();
  // The placeholder splash, until a look is shown.
  void showPlaceholder();
  void showSplash(const Look& look);
  void showOverlay(Overlay overlay);
  // The overlay shown last, drawn again at the current scale.
  void redrawOverlay();

 private:
  void openPreview();
  void frameFollows();

  WindowControls& controls_;
  Scale previewScale_;
  HWND main_ = nullptr, preview_ = nullptr, frame_ = nullptr;
  kit::LayeredWindow frameImage_, previewImage_;
  kit::ImageControl overlay_, splash_;
  WindowGroup group_;
  Overlay overlayShown_ = Overlay::Clear;
  ImagesAhead* ahead_ = nullptr;
};

}  // namespace lumaset::ui
