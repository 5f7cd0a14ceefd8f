#include "ui/window_group.h"

#include <commctrl.h>

#include <initializer_list>

#include "widgets/window_rect.h"

namespace lumaset::ui {

void WindowGroup::join(HWND main, HWND preview, HWND frame) {
  main_ = main;
  preview_ = preview;
  frame_ = frame;
  held_ = false;
  const RECT m = kit::windowRect(main_), p = kit::windowRect(preview_), f = kit::windowRect(frame_);
  previewOffset_ = {p.left - m.left, p.top - m.top};
  frameOffset_ = {f.left - m.left, f.top - m.top};
  SetWindowSubclass(preview_, previewProc, 8, reinterpret_cast<DWORD_PTR>(this));
}

void WindowGroup::moveTo(HWND window, int x, int y) {
  if (!window || !IsWindow(window)) return;
  const RECT now = kit::windowRect(window);
  if (now.left == x && now.top == y) return;
  following_ = true;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  following_ = false;
}

void WindowGroup::mainMoved() {
  // A minimised window stands far off the screen: the others stay where they were.
  if (!main_ || following_ || held_ || IsIconic(main_)) return;
  const RECT m = kit::windowRect(main_);
  moveTo(frame_, m.left + frameOffset_.x, m.top + frameOffset_.y);
  if (preview_) moveTo(preview_, m.left + previewOffset_.x, m.top + previewOffset_.y);
}

void WindowGroup::previewMoved() {
  if (following_ || held_ || !IsWindow(preview_)) return;
  const RECT p = kit::windowRect(preview_);
  moveTo(main_, p.left - previewOffset_.x, p.top - previewOffset_.y);
  const RECT m = kit::windowRect(main_);
  moveTo(frame_, m.left + frameOffset_.x, m.top + frameOffset_.y);
}

void WindowGroup::mainResized(WPARAM kind) {
  if (!main_) return;
  if (kind == SIZE_MINIMIZED && !hidden_) {
    hidden_ = true;
    for (HWND w : {preview_, frame_})
      if (w && IsWindow(w)) ShowWindow(w, SW_HIDE);
  } else if (kind != SIZE_MINIMIZED && hidden_) {
    hidden_ = false;
    mainMoved();
    for (HWND w : {frame_, preview_})
      if (w && IsWindow(w)) ShowWindow(w, SW_SHOWNOACTIVATE);
  }
}

LRESULT CALLBACK WindowGroup::previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR group) {
  auto* me = reinterpret_cast<WindowGroup*>(group);
  if (message == WM_MOVE) {
    LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    me->previewMoved();
    return result;
  }
  if (message == WM_NCDESTROY) {
    me->preview_ = nullptr;
    RemoveWindowSubclass(window, previewProc, 8);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace lumaset::ui
