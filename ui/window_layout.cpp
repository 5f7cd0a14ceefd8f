// The controls laid out again at another DPI: places, fonts, path boxes' frames and
// margins, shown parts, image buttons' looks, the combo box's field, the cut-out and the
// tooltips' areas.
#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "ui/control_looks.h"
#include "ui/image_button.h"
#include "ui/window_controls.h"
#include "widgets/image_control.h"

namespace lumaset::ui {
namespace {

constexpr int kFontHeights[4] = {12, 11, 9, 21};

}  // namespace

int windowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 (1607) on; before, the system's DPI serves.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  const int dpi = GetDeviceCaps(kit::WindowDC(nullptr).get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kDesignDpi;
}

void WindowControls::setDpi(int dpi) {
  scale_ = Scale{dpi};
  for (int i = 0; i < 4; ++i) {
    oldFonts_[i] = std::move(fonts_[i]);
    fonts_[i].reset(CreateFontW(-scale_.px(kFontHeights[i]), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                L"微软雅黑"));
  }
}

void WindowControls::layOut(HWND window, const Placed& p) {
  DesignRect r = scale_.rect(p.rect);
  SetWindowPos(window, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
  if (p.font >= 0) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[p.font].get()), TRUE);
  if (p.fieldLine > 0) {
    drawAsFieldLine(window, scale_.px(p.fieldLine));
    const int margin = scale_.px(kFieldMargin);
    SendMessageW(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
  }
  if (p.shownW > 0) ui::showOnly(window, scale_.px(p.shownW), scale_.px(p.shownH));
  if (p.imageButton) setImageButtonDpi(window, scale_.dpi);
  if (p.itemHeight > 0) SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale_.px(p.itemHeight));
}

void WindowControls::layOut() {
  for (const auto& [window, p] : placed_) layOut(window, p);
  if (cutWindow_) ui::cutOut(cutWindow_, cutCovering_.data(), static_cast<int>(cutCovering_.size()));
  moveToolTips();
  for (kit::Font& f : oldFonts_) f.reset();
}

// The tooltips' areas follow their controls.
void WindowControls::moveToolTips() {
  for (Control c : {Control::Badge1x, Control::Badge2x, Control::BadgeText, Control::BackupLink, Control::PathBox}) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = get(c);
    GetClientRect(tool.hwnd, &tool.rect);
    SendMessageW(kit::sharedToolTip(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace lumaset::ui
