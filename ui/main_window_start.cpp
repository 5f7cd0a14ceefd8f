// The main window's start and its changes of DPI and of the system's colours: the
// controls, the startup, the preview and the frame, the first look, then the drop target
// and the tooltips; at another DPI everything laid out, placed and drawn again; in or out
// of high contrast everything drawn again in the colours of the mode.
#include <ole2.h>

#include <algorithm>

#include "ui/internal_error.h"
#include "ui/main_window.h"
#include "ui/path_field.h"
#include "ui/window_messages.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {

void MainWindow::onCreate() {
  interaction_.setOwner(main_);
  // The window opens at the DPI of its monitor, where it was left on that monitor.
  controls_.setDpi(windowDpi(main_));
  const RECT made = kit::windowRect(main_);
  const Monitor monitor = monitorOfRect(made);
  placeGroupOn(made, readPlace(presenter_.windowSetting(monitorKey(monitor.area)), controls_.scale().dpi));
  pages_.create(main_);
  decodeImagesAhead();
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

void MainWindow::decodeImagesAhead() {
  std::vector<std::string> names = previews_.imagesDrawnFirst();
  for (HWND button : controls_.imageButtons())
    for (std::string& name : firstLookNames(button))
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  imagesAhead_ = std::make_unique<ImagesAhead>();
  imagesAhead_->start(std::move(names));
  previews_.takeImagesFrom(imagesAhead_.get());
}

void MainWindow::windowStartup() {
  previews_.open(main_);
  themeBox_.showImage();
  previews_.standAround(main_);
  // The first look is read and drawn once: the preview's first composition is the one
  // the user sees.
  presenter_.showFirstEntry();
  keys_.focusOnStart();
  started_ = true;
  showPlaceholder();
  for (HWND button : controls_.imageButtons()) takeLooksAhead(button, *imagesAhead_);
  // The drop target, the tooltips and the shield wait until the window shows: the
  // message comes once its first frame is drawn.
  PostMessageW(main_, kFirstFrameDrawn, 0, 0);
}

void MainWindow::onFirstFrameDrawn() {
  previews_.takeImagesFrom(nullptr);
  imagesAhead_.reset();
  acceptDrops();
  pages_.addToolTips();
  presenter_.firstFrameDrawn();
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
  // The suggested place, at the exact scaled size (the suggestion may be a rounding pixel
  // off, and the frame's centre must match the window), moved as far as the group needs
  // to stay inside that monitor's work area.
  const RECT m = suggested ? *suggested : kit::windowRect(main_);
  placeGroupOn(m, ScreenPoint{m.left, m.top});
  controls_.layOut();
  themeBox_.measureLinesAgain();
  previews_.placeAround(main_);
  showBuiltinImages();
  showLookImages();
  // The description is cut anew for the font of the new DPI.
  if (lookReceived_) showTextCutToFit(controls_.get(Control::DescriptionBox), lookShown_.description);
  previews_.redrawOverlay();
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::placeGroupOn(const RECT& r, std::optional<ScreenPoint> kept) {
  const Scale& scale = controls_.scale();
  const GroupPlace place = placeGroup(scale, monitorOfRect(r).work, kept);
  SetWindowPos(main_, nullptr, place.main.x, place.main.y, scale.px(824), scale.px(179), SWP_NOZORDER | SWP_NOACTIVATE);
  previews_.setPreviewDpi(place.previewDpi);
}

void MainWindow::keepPlace() {
  // A minimised window stands far off every monitor.
  if (!started_ || IsIconic(main_)) return;
  const RECT m = kit::windowRect(main_);
  const std::string monitor = monitorKey(monitorOfRect(m).area);
  presenter_.keepWindowSetting(kMonitorKey, monitor);
  presenter_.keepWindowSetting(monitor, placeText({m.left, m.top}, controls_.scale().dpi));
}

void MainWindow::followSystemColours() {
  // The pages are of the page control's class.
  colours_.followSystem({main_, controls_.get(Control::PageControl)});
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace lumaset::ui
