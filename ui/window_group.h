// The program's three windows move and minimise as one: the frame window and the splash
// preview keep the offsets they have from the main window, whichever of the main window
// and the preview is moved; a minimised main window hides the other two and a restored one
// brings them back in place.
#pragma once
#include <windows.h>

namespace lumaset::ui {

class WindowGroup {
 public:
  // Takes the windows as they stand now: their present offsets to the main window are the
  // ones kept. A move of the preview is seen through a subclass of it. Joining again (after
  // the windows were laid out anew, at another DPI) takes the new offsets.
  void join(HWND main, HWND preview, HWND frame);
  // Lets the windows be placed one by one without the others following, until the next
  // join.
  void hold() { held_ = true; }
  // The main window moved (WM_MOVE): the other two follow.
  void mainMoved();
  // The main window was minimised or restored (WM_SIZE's kind).
  void mainResized(WPARAM kind);

 private:
  static LRESULT CALLBACK previewProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void previewMoved();
  void moveTo(HWND window, int x, int y);

  HWND main_ = nullptr, preview_ = nullptr, frame_ = nullptr;
  POINT previewOffset_{}, frameOffset_{};
  bool following_ = false;  // a move made here, which must not start a move back
  bool hidden_ = false;
  bool held_ = false;
};

}  // namespace lumaset::ui
