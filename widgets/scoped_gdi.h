// Owners of GDI resources that give them back when they go out of scope, each the way it
// was obtained: a window's DC (ReleaseDC), a memory DC (DeleteDC), a paint (EndPaint), an
// object selected into a DC (the previous one selected again), a GDI object (DeleteObject)
// and a popup menu (DestroyMenu). No paint path frees anything by hand.
#pragma once
#include <windows.h>

#include <utility>

namespace lumaset::kit {

// A DC of a window's client area (GetDC) or of the whole window (GetWindowDC); a null
// window gives the screen's.
class WindowDC {
 public:
  enum Area { kClient, kWholeWindow };
  explicit WindowDC(HWND window, Area area = kClient)
      : window_(window), dc_(area == kClient ? GetDC(window) : GetWindowDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with `like` (CreateCompatibleDC).
class MemoryDC {
 public:
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The paint of a WM_PAINT, from BeginPaint to EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a DC for the owner's life; the one it replaced comes back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A GDI object (a bitmap, brush, font or region), deleted with DeleteObject. Deselect it
// first: a Selection made after the object ends before it.
template <typename T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T object) : object_(object) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject&& other) noexcept : object_(other.release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Gives the object up without deleting it (to a window region, which the system then owns).
  T release() { return std::exchange(object_, nullptr); }
  void reset(T object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }

 private:
  T object_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

// A popup menu (CreatePopupMenu), destroyed with DestroyMenu.
class PopupMenu {
 public:
  PopupMenu() = default;
  ~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
  }
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  void create() {
    if (!menu_) menu_ = CreatePopupMenu();
  }
  HMENU get() const { return menu_; }

 private:
  HMENU menu_ = nullptr;
};

}  // namespace lumaset::kit
