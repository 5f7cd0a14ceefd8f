// Image controls: ordinary child windows turned into alpha-blended picture boxes and
// image buttons drawn with GDI+, whose whole state lives in window properties. The object
// holds nothing but the window handle.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "formats/bytes.h"
#include "widgets/image_loading.h"

namespace lumaset::kit {

inline constexpr const char* kPictureBoxText = "Kelto真彩控件.图片框";

class ImageControl {
 public:
  ImageControl() = default;

  int attach(HWND window);
  HWND handle() const { return window_; }
  BOOL setProperty(const std::string& name, std::intptr_t value);
  std::intptr_t getProperty(const std::string& name) const;
  LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
  void setToolTip(const std::string& text, bool atPointer = true);
  void moveTo(std::optional<int> left, std::optional<int> top, std::optional<int> width, std::optional<int> height,
              bool noRedraw = false);
  bool isWindow() const { return IsWindow(window_) == 1; }
  void invalidate() const { InvalidateRect(window_, nullptr, FALSE); }
  HWND createPictureBox(HWND parent, int x, int y, int width, int height);
  int attachPictureBox(HWND window, Image* image = nullptr);
  void setBackImage(Image* image);
  void setBackImageFromBytes(const Bytes& bytes);
  void setBackType(int type);

 private:
  HWND window_ = nullptr;
};

// Subclasses a window with `procedure` unless it has been already; the previous
// procedure goes into PngControl_WndProc.
void subclassOnce(HWND window, WNDPROC procedure);
// The procedure in place before the kit's, called with the message.
LRESULT callPrevious(const wchar_t* property, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// (old AND NOT remove) OR add, written back only when it differs.
void editStyle(HWND window, int index, LONG_PTR remove, LONG_PTR add);
// The image of an image button's state: over, down or disabled, else the normal one.
Image* stateImage(HWND button);
// Copies what lies behind the control from the paint DC into PngControl_CacheBitmap.
void takeSnapshot(HWND control, HDC paintDc);
// Draws the snapshot and the foreground image off screen and puts it on `dc` (the
// window's DC when none) with one BitBlt.
void paintControl(HWND control, Image* foreground, HDC dc);
// SetWindowPos flags for a move that changes only what the caller gives.
UINT moveFlags(std::optional<int> left, std::optional<int> top, std::optional<int> width, std::optional<int> height,
               bool noRedraw);
// Frees what the kit keeps in a window's properties when the window goes away.
void watchForDestroy(HWND window);
// The shared tooltip window, created on first use.
HWND sharedToolTip();

}  // namespace lumaset::kit
