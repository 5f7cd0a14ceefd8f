// The main window's start and its changes of DPI and of the system's colours: the
// controls, the startup, the drop target, the preview and the frame, the first look; at
// another DPI everything laid out, placed and drawn again; in or out of high contrast
// everything drawn again in the colours of the mode.
#include <ole2.h>

#include "ui/internal_error.h"
#include "ui/main_window.h"
#include "ui/window_messages.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {

void MainWindow::onCreate() {
  interaction_.setOwner(main_);
  // The window opens at the DPI of its monitor, centred on the screen.
  controls_.setDpi(windowDpi(main_));
  const Scale& scale = controls_.scale();
  const int w = scale.px(824), h = scale.px(179);
  SetWindowPos(main_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
               SWP_NOZORDER | SWP_NOACTIVATE);
  pages_.create(main_);
  themeMenu_.create();
  keys_.prepare(main_);
  paths_.prepare();
  presenter_.runStartup();
  windowStartup();
}

void MainWindow::acceptDrops() {
  if (interaction_.runsAsAdministrator()) {
    acceptDroppedFiles(main_);
    return;
  }
  // The drop is imported once the program that dragged it has its drag call back: its
  // window would hang while the import asks or reports.
  dropTarget_ = std::make_unique<DropTarget>([this](const std::vector<std::string>& paths) {
    runReported(main_, [&] {
      droppedPaths_.push_back(paths);
      PostMessageW(main_, kFilesDropped, 0, 0);
    });
  });
  RegisterDragDrop(main_, dropTarget_.get());
}

void MainWindow::windowStartup() {
  acceptDrops();
  pages_.addToolTips();
  previews_.open(main_);
  themeBox_.showImage();
  previews_.standAround(main_);
  // The first look is read and drawn once: the preview's first composition is the one
  // the user sees.
  presenter_.showFirstEntry();
  started_ = true;
  showPlaceholder();
}

void MainWindow::showBuiltinImages() {
  previews_.showFrameImage();
  themeBox_.showImage();
  // The preview window's own image, the clear overlay, is fully transparent: it is not
  // drawn. The placeholder waits until the start has shown whatever look it could.
  if (started_ && !lookReceived_) previews_.showPlaceholder();
}

void MainWindow::showPlaceholder() {
  if (!previews_.preview() || lookReceived_) return;
  previews_.showPlaceholder();
  previews_.redrawOverlay();
}

void MainWindow::showLookImages() {
  if (!lookReceived_) return;
  previews_.showSplash(lookShown_);
  pages_.showIcons(lookShown_);
}

void MainWindow::onDpiChanged(int dpi, const RECT* suggested) {
  if (dpi <= 0 || dpi == controls_.scale().dpi) return;
  // The three windows are placed anew below; they keep their new offsets from then on.
  previews_.hold();
  controls_.setDpi(dpi);
  const Scale& scale = controls_.scale();
  // The suggested place, at the exact scaled size (the suggestion may be a rounding pixel
  // off, and the frame's centre must match the window).
  RECT m = suggested ? *suggested : kit::windowRect(main_);
  SetWindowPos(main_, nullptr, m.left, m.top, scale.px(824), scale.px(179), SWP_NOZORDER | SWP_NOACTIVATE);
  controls_.layOut();
  themeBox_.measureLinesAgain();
  previews_.placeAround(main_);
  showBuiltinImages();
  showLookImages();
  previews_.redrawOverlay();
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::followSystemColours() {
  // The pages are of the page control's class.
  colours_.followSystem({main_, controls_.get(Control::PageControl)});
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace lumaset::ui
