// The main window at its monitor's DPI: controls created from their design rectangles,
// the fonts, the shown parts and cut-outs scaled, and a change of DPI (the window moved
// to another monitor) laid out again, with the preview and the frame placed around it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "ui/control_looks.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/theme_list_looks.h"
#include "widgets/image_control.h"
#include "widgets/layered_window.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {
namespace {

constexpr int kFontHeights[4] = {12, 11, 9, 21};
constexpr int kFieldMargin = 4;

}  // namespace

int windowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 (1607) on; before, the system's DPI serves.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : kDesignDpi;
}

void MainWindow::makeFonts() {
  for (int i = 0; i < 4; ++i) {
    fonts_[i] = CreateFontW(-scale_.px(kFontHeights[i]), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"微软雅黑");
  }
}

void MainWindow::remember(HWND window, const DesignRect& design, HFONT font) {
  Placed& p = placed_[window];
  p.rect = design;
  const auto* found = std::find(std::begin(fonts_), std::end(fonts_), font);
  p.font = font && found != std::end(fonts_) ? static_cast<int>(found - std::begin(fonts_)) : -1;
}

void MainWindow::place(HWND window, const DesignRect& design) {
  DesignRect r = scale_.rect(design);
  SetWindowPos(window, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
  placed_[window].rect = design;
}

HWND MainWindow::createImageButton(HWND parent, int id, int x, int y, int w, int h, const ButtonLooks& looks,
                                   bool twoState) {
  DesignRect r = scale_.rect({x, y, w, h});
  HWND button = ui::createImageButton(parent, id, r.x, r.y, r.w, r.h, looks, twoState, scale_.dpi);
  remember(button, {x, y, w, h}, nullptr);
  placed_[button].imageButton = true;
  return button;
}

void MainWindow::showOnly(HWND control, int w, int h) {
  placed_[control].shownW = w;
  placed_[control].shownH = h;
  ui::showOnly(control, scale_.px(w), scale_.px(h));
}

void MainWindow::cutOut(HWND window, const HWND* covering, int count) {
  cutWindow_ = window;
  cutCovering_.assign(covering, covering + count);
  ui::cutOut(window, covering, count);
}

void MainWindow::layOutControls() {
  for (const auto& [window, p] : placed_) {
    DesignRect r = scale_.rect(p.rect);
    SetWindowPos(window, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
    if (p.font >= 0) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[p.font]), TRUE);
    if (p.fieldLine > 0) {
      drawAsFieldLine(window, scale_.px(p.fieldLine));
      const int margin = scale_.px(kFieldMargin);
      SendMessageW(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    }
    if (p.shownW > 0) ui::showOnly(window, scale_.px(p.shownW), scale_.px(p.shownH));
    if (p.imageButton) setImageButtonDpi(window, scale_.dpi);
    if (p.itemHeight > 0) SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale_.px(p.itemHeight));
  }
  if (cutWindow_) ui::cutOut(cutWindow_, cutCovering_.data(), static_cast<int>(cutCovering_.size()));
  // The tooltips' areas follow their controls.
  for (Control c : {Control::Badge1x, Control::Badge2x, Control::BadgeText, Control::BackupLink, Control::PathBox}) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = control(c);
    GetClientRect(tool.hwnd, &tool.rect);
    SendMessageW(kit::sharedToolTip(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void MainWindow::placeAccompanyingWindows() {
  RECT m = kit::windowRect(main_);
  if (preview_) {
    const int w = scale_.px(838), h = scale_.px(506);
    const int left = m.left - (w - (m.right - m.left)) / 2;
    // As at the start: the preview's top at px(2) and the main window's at its height + px(8).
    const int top = m.top - (scale_.px(8) - scale_.px(2)) - h;
    SetWindowPos(preview_, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (frame_) {
    SetWindowPos(frame_, nullptr, m.left - scale_.px(9), m.top - scale_.px(5), scale_.px(842), scale_.px(195),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MainWindow::onDpiChanged(int dpi, const RECT* suggested) {
  if (dpi <= 0 || dpi == scale_.dpi) return;
  scale_ = Scale{dpi};
  // The three windows are placed anew below; they keep their new offsets from then on.
  group_.hold();
  HFONT old[4];
  std::copy(std::begin(fonts_), std::end(fonts_), std::begin(old));
  makeFonts();
  // The suggested place, at the exact scaled size (the suggestion may be a rounding pixel
  // off, and the frame's centre must match the window).
  RECT m = suggested ? *suggested : kit::windowRect(main_);
  SetWindowPos(main_, nullptr, m.left, m.top, scale_.px(824), scale_.px(179), SWP_NOZORDER | SWP_NOACTIVATE);
  layOutControls();
  // The open list's lines, measured once when the list was made, at the new size.
  MEASUREITEMSTRUCT line{};
  measureThemeListItem(line);
  SendMessageW(control(Control::ThemeList), CB_SETITEMHEIGHT, 0, scale_.px(static_cast<int>(line.itemHeight)));
  for (HFONT font : old) DeleteObject(font);
  placeAccompanyingWindows();
  group_.join(main_, preview_, frame_);
  showBuiltinImages();
  showLookImages();
  showOverlayImage();
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace lumaset::ui
