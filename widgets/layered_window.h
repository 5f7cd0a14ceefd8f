// Layered windows: a window whose whole face is one per-pixel alpha frame, composed from
// its background PNG and its kit children (picture boxes, image buttons with pointer
// states, text boxes with a drawn caret) and handed to UpdateLayeredWindow.
#pragma once
#include <windows.h>

#include "widgets/gdiplus_include.h"

#include <optional>

#include "formats/bytes.h"
#include "widgets/image_loading.h"

namespace lumaset::kit {

inline constexpr UINT_PTR kCaretTimer = 64;

class LayeredWindow {
 public:
  LayeredWindow() = default;

  int attach(HWND window);
  int setBackImage(Image* image);
  int setBackImageFromBytes(const Bytes& bytes);
  void refresh();
  void moveTo(std::optional<int> left, std::optional<int> top, std::optional<int> width, std::optional<int> height,
              bool noRedraw = false);
  HWND handle() const { return window_; }
  bool isWindow() const { return IsWindow(window_) == 1; }
  LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(window_, message, wParam, lParam);
  }

 private:
  HWND window_ = nullptr;
};

// Composes the window's frame. With handBack the caller gets the frame (and disposes of
// it with GdipDisposeImage); without, it is presented and kept or disposed of here.
Gdiplus::GpBitmap* compose(HWND window, bool handBack);
// Puts a frame on the screen as the window's face, with the caret line when phase is 1.
void present(HWND window, Gdiplus::GpBitmap* frame, int caretPhase);

// The process-wide caret state, for tests.
struct CaretState {
  HWND focusWindow = nullptr;
  HWND focusTextBox = nullptr;
  int phase = 0;
  Gdiplus::GpBitmap* lastFrame = nullptr;
};
CaretState& caretState();
// How many times a window has been composed (for the tests of what recomposes).
unsigned long composeCount();

}  // namespace lumaset::kit
