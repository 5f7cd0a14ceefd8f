// The program's three windows move and minimise as one: the frame window keeps 9 pixels
// left of and 5 above the main window, the splash preview keeps the offset it has from
// the main window, whichever of the two is moved; a minimised main window hides the other
// two and a restored one brings them back in place.
#pragma once
#include <windows.h>

namespace lumaset::ui {

class WindowGroup {
 public:
  // Takes the windows as they stand now: the preview's present offset to the main window
  // is the one kept. A move of the preview is seen through a subclass of it.
  void join(HWND main, HWND preview, HWND frame);
  // The main window moved (WM_MOVE): the other two follow.
  void mainMoved();
  // The main window was minimised or restored (WM_SIZE's kind).
  void mainResized(WPARAM kind);

 private:
  static LRESULT CALLBACK previewProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void previewMoved();
  void moveTo(HWND window, int x, int y);

  HWND main_ = nullptr, preview_ = nullptr, frame_ = nullptr;
  POINT previewOffset_{};
  bool following_ = false;  // a move made here, which must not start a move back
  bool hidden_ = false;
};

}  // namespace lumaset::ui
