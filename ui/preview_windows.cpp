#include "ui/preview_windows.h"

#include "ui/accessible_control.h"
#include "ui/control_looks.h"
#include "ui/group_placement.h"
#include "ui/window_images.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {

void PreviewWindows::open(HWND main) {
  main_ = main;
  const Scale& scale = controls_.scale();
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  const int frameW = scale.px(842), frameH = scale.px(195);
  frame_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kFrameClass, L"", WS_POPUP, (screenW - frameW) / 2,
                           (screenH - frameH) / 2, frameW, frameH, main, nullptr, GetModuleHandleW(nullptr), nullptr);
  frameImage_.attach(frame_);
  openPreview();
  showFrameImage();
}

void PreviewWindows::openPreview() {
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  const int w = previewScale_.px(838), h = previewScale_.px(506);
  preview_ = CreateWindowExW(WS_EX_TOOLWINDOW, kPreviewClass, L"", WS_POPUP, (screenW - w) / 2, (screenH - h) / 2, w, h,
                             main_, nullptr, GetModuleHandleW(nullptr), nullptr);
  previewImage_.attach(preview_);
  HWND splashBox =
      CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, w, h, preview_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id(Control::SplashPreview))), nullptr, nullptr);
  HWND overlayBox = overlay_.createPictureBox(preview_, 0, 0, w, h);
  // The two picture boxes cover the whole window: a press on them moves it.
  moveWindowOnPress(splashBox);
  moveWindowOnPress(overlayBox);
  SetWindowLongPtrW(overlayBox, GWLP_ID, id(Control::OverlayPreview));
  describeToScreenReaders(splashBox, Control::SplashPreview);
  describeToScreenReaders(overlayBox, Control::OverlayPreview);
  splash_.attachPictureBox(splashBox);
  // The overlay is drawn last, over the splash: the composition draws lower children on top.
  SetWindowPos(overlayBox, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PreviewWindows::standAround(HWND main) {
  placeAround(main);
  ShowWindow(frame_, SW_SHOWNOACTIVATE);
  ShowWindow(preview_, SW_SHOWNOACTIVATE);
}

void PreviewWindows::placeAround(HWND main) {
  const RECT m = kit::windowRect(main);
  const GroupRects r = groupRects(controls_.scale(), previewScale_, {m.left, m.top});
  if (preview_) {
    const ScreenRect& p = r.preview;
    SetWindowPos(preview_, nullptr, p.left, p.top, p.width(), p.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // The splash and the overlay cover the whole preview.
    for (Control box : {Control::SplashPreview, Control::OverlayPreview})
      SetWindowPos(GetDlgItem(preview_, id(box)), nullptr, 0, 0, p.width(), p.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (frame_) {
    const ScreenRect& f = r.frame;
    SetWindowPos(frame_, nullptr, f.left, f.top, f.width(), f.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  group_.join(main, preview_, frame_);
}

// Hidden, not destroyed: the next look shown brings it back.
void PreviewWindows::closePreview() { ShowWindow(preview_, SW_HIDE); }

void PreviewWindows::frameFollows() {
  if (!frame_) return;
  const Scale& scale = controls_.scale();
  RECT m = kit::windowRect(main_);
  SetWindowPos(frame_, nullptr, m.left - scale.px(9), m.top - scale.px(5), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PreviewWindows::mainMoved() {
  frameFollows();
  group_.mainMoved();
}

void PreviewWindows::showFrameImage() {
  // Shadow, line, centre, line, shadow on each axis.
  if (frame_)
    frameImage_.setBackImage(
        slicedBuiltin(controls_.scale(), "frame", {0, 5, 9, 833, 837, 842}, {0, 1, 5, 182, 186, 195}, false, ahead_));
}

std::vector<std::string> PreviewWindows::imagesDrawnFirst() const {
  return {builtinName(controls_.scale(), "frame"), builtinName(previewScale_, "marked_overlay")};
}

void PreviewWindows::showPlaceholder() {
  if (!preview_) return;
  splash_.setBackImage(builtinAtScale(previewScale_, "placeholder_splash"));
}

void PreviewWindows::showSplash(const Look& look) {
  if (!preview_) return;
  splash_.setBackImage(lookImage(previewScale_, look.splash, look.splashHigh));
  // Closed by Esc: the next step through the themes shows it again, beside the main window
  // (a minimised group shows it on its restore).
  if (!IsWindowVisible(preview_) && IsWindowVisible(frame_)) ShowWindow(preview_, SW_SHOWNOACTIVATE);
}

void PreviewWindows::showOverlay(Overlay overlay) {
  overlayShown_ = overlay;
  redrawOverlay();
}

void PreviewWindows::redrawOverlay() {
  if (!preview_) return;
  // The clear overlay is fully transparent: no image draws the same, without decoding one.
  overlay_.setBackImage(overlayShown_ == Overlay::Clear ? nullptr
                                                        : builtinAtScale(previewScale_, "marked_overlay", ahead_));
  previewImage_.refresh();
}

}  // namespace lumaset::ui
