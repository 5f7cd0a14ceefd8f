#include "ui/window_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32_text.h"
#include "ui/accessible_control.h"
#include "ui/control_looks.h"
#include "ui/image_button.h"
#include "ui/window_images.h"

namespace lumaset::ui {
namespace {

constexpr int kEditLineHeight = 24;

LRESULT CALLBACK linkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

HWND WindowControls::add(HWND parent, const wchar_t* cls, const std::string& text, Control id, const DesignRect& design,
                         DWORD style, HFONT font) {
  // Created at the monitor's scale; the design rectangle and font are kept for a change of DPI.
  const DesignRect r = scale_.rect(design);
  HWND window =
      CreateWindowExW(0, cls, toWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.x, r.y, r.w, r.h, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ui::id(id))), GetModuleHandleW(nullptr), nullptr);
  if (font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  remember(window, design, font);
  describeToScreenReaders(window, id);
  controls_[id] = window;
  return window;
}

HWND WindowControls::addLabel(HWND parent, Control id, const char* text, const DesignRect& design, HFONT font,
                              DWORD align) {
  // A label that is a little narrow for the font at hand is cut, never wrapped away, and
  // never paints over a sibling above it.
  HWND label = add(parent, L"Static", text, id, design, SS_NOTIFY | align | WS_CLIPSIBLINGS, font);
  moveWindowOnPress(label);
  return label;
}

HWND WindowControls::addLink(HWND parent, Control id, const char* text, const DesignRect& design, HFONT font) {
  HWND link = add(parent, L"Static", text, id, design, SS_NOTIFY | SS_LEFTNOWORDWRAP, font);
  SetWindowSubclass(link, linkProc, 2, 0);
  return link;
}

HWND WindowControls::addEdit(HWND parent, Control id, const DesignRect& design) {
  HWND edit = add(parent, L"Edit", "", id, design, ES_AUTOHSCROLL | WS_CLIPSIBLINGS, font(FontSize::k12));
  const int line = std::min(design.h, kEditLineHeight);
  drawAsFieldLine(edit, scale_.px(line));
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(scale_.px(kFieldMargin), scale_.px(kFieldMargin)));
  placed_[edit].fieldLine = line;
  return edit;
}

HWND WindowControls::addButton(HWND parent, Control id, const DesignRect& design, const std::string& look,
                               bool twoState) {
  // The disabled look where the built-in images have one, else the normal one.
  ButtonLooks looks{localBuiltin(look + "_normal"), localBuiltin(look + "_over"), localBuiltin(look + "_down"),
                    localBuiltin(look + "_disabled")};
  return addImageButton(parent, id, design, looks, twoState);
}

HWND WindowControls::addImageButton(HWND parent, Control id, const DesignRect& design, const ButtonLooks& looks,
                                    bool twoState) {
  const DesignRect r = scale_.rect(design);
  HWND button = createImageButton(parent, ui::id(id), r.x, r.y, r.w, r.h, looks, twoState, scale_.dpi);
  remember(button, design, nullptr);
  placed_[button].imageButton = true;
  describeToScreenReaders(button, id);
  controls_[id] = button;
  return button;
}

void WindowControls::remember(HWND window, const DesignRect& design, HFONT font) {
  Placed& p = placed_[window];
  p.rect = design;
  const auto* found =
      std::find_if(std::begin(fonts_), std::end(fonts_), [font](const kit::Font& f) { return f.get() == font; });
  p.font = font && found != std::end(fonts_) ? static_cast<int>(found - std::begin(fonts_)) : -1;
}

void WindowControls::place(HWND window, const DesignRect& design) {
  DesignRect r = scale_.rect(design);
  SetWindowPos(window, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
  placed_[window].rect = design;
}

void WindowControls::showOnly(HWND control, int w, int h) {
  placed_[control].shownW = w;
  placed_[control].shownH = h;
  ui::showOnly(control, scale_.px(w), scale_.px(h));
}

void WindowControls::cutOut(HWND window, const std::vector<HWND>& covering) {
  cutWindow_ = window;
  cutCovering_ = covering;
  ui::cutOut(window, covering.data(), static_cast<int>(covering.size()));
}

void WindowControls::setSelectionHeight(HWND combo, int height) {
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale_.px(height));
  placed_[combo].itemHeight = height;
}

std::vector<HWND> WindowControls::imageButtons() const {
  std::vector<HWND> buttons;
  for (const auto& [window, placed] : placed_)
    if (placed.imageButton) buttons.push_back(window);
  return buttons;
}

HWND WindowControls::get(Control id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

DesignRect WindowControls::designRect(HWND window) const {
  auto it = placed_.find(window);
  return it == placed_.end() ? DesignRect{} : it->second.rect;
}

bool WindowControls::checked(Control id) const { return SendMessageW(get(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void WindowControls::setChecked(Control id, bool pressed) {
  SendMessageW(get(id), BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}

void WindowControls::setText(Control id, const std::string& text) { SetWindowTextW(get(id), toWide(text).c_str()); }

}  // namespace lumaset::ui
