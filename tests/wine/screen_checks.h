// What the gui driver sees of the screen and does with the mouse: screenshots read back
// pixel by pixel, and real input (SendInput goes through the system's hit-testing, mouse
// capture and move loops, as a person's mouse does; a posted message does not).
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ui/palette.h"

namespace driver {

struct Shot {
  int width = 0, height = 0;
  std::vector<std::uint8_t> bgr;  // bottom-up rows of 24-bit pixels, as a BMP holds them
  int stride() const { return (width * 3 + 3) & ~3; }
  // The pixel at screen position (x, y) as RGB(r, g, b); 0 outside the screen.
  COLORREF colour(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const std::uint8_t* p = &bgr[static_cast<std::size_t>(height - 1 - y) * stride() + x * 3];
    return RGB(p[2], p[1], p[0]);
  }
  // The brightest channel of the pixel at screen position (x, y); 0 outside the screen.
  int brightness(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const std::uint8_t* p = &bgr[static_cast<std::size_t>(height - 1 - y) * stride() + x * 3];
    return std::max({p[0], p[1], p[2]});
  }
};

// The brightest channel of a colour.
inline int brightnessOf(COLORREF c) { return std::max({GetRValue(c), GetGValue(c), GetBValue(c)}); }
inline lumaset::ui::Rgb rgbOf(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

inline Shot grabScreen() {
  Shot shot;
  shot.width = GetSystemMetrics(SM_CXSCREEN);
  shot.height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFOHEADER header{sizeof header, shot.width, shot.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* start = static_cast<const std::uint8_t*>(bits);
  shot.bgr.assign(start, start + static_cast<std::size_t>(shot.stride()) * shot.height);
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

// Whether a visible window of `process`, or one of its controls, still waits to be painted.
inline bool paintPending(DWORD process) {
  struct Search {
    DWORD process;
    bool pending = false;
  } search{process};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != s->process || !IsWindowVisible(window)) return TRUE;
        s->pending = GetUpdateRect(window, nullptr, FALSE) != FALSE;
        if (!s->pending) {
          EnumChildWindows(
              window,
              [](HWND child, LPARAM flag) -> BOOL {
                if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
                *reinterpret_cast<bool*>(flag) = true;
                return FALSE;
              },
              reinterpret_cast<LPARAM>(&s->pending));
        }
        return !s->pending;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.pending;
}

// The screen once `process` has painted what it had to and the picture has stopped
// changing: polled every 100 ms until no window of the process waits for a paint and two
// grabs in a row agree, for at most `limitMs` (a loaded machine paints late).
inline Shot settledScreen(DWORD process, int limitMs = 10000) {
  Shot last = grabScreen();
  for (int waited = 0; waited < limitMs; waited += 100) {
    Sleep(100);
    Shot next = grabScreen();
    if (next.bgr == last.bgr && !paintPending(process)) return next;
    last = std::move(next);
  }
  return last;
}

inline void saveBmp(const Shot& shot, const std::wstring& path) {
  BITMAPINFOHEADER header{sizeof header, shot.width, shot.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + shot.bgr.size()), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof header};
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(shot.bgr.data()), static_cast<std::streamsize>(shot.bgr.size()));
}

// Pixels of a glyph or an outline: light blue and white on the panel's (0, 17, 34).
inline constexpr int kInk = 110;

inline int inkIn(const Shot& shot, const RECT& r) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += shot.brightness(x, y) > kInk;
  return count;
}

// The ink of a rectangle as a string of 0 and 1, to tell two texts apart.
inline std::string inkMask(const Shot& shot, const RECT& r) {
  std::string mask;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) mask += shot.brightness(x, y) > kInk ? '1' : '0';
  return mask;
}

inline void mouseTo(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  Sleep(30);
}

inline void mouseButton(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
  Sleep(60);
}

inline void mouseClick(int x, int y) {
  mouseTo(x, y);
  mouseButton(true);
  mouseButton(false);
}

// Drags `window` with the mouse, held at `grab` from its top left, until it stands with its
// top left at `target` (`arrived` says when); the button is held until then, or three
// seconds. A busy program may take the press late and begin its move loop from wherever
// the pointer then stands, so the window would stop short of the target or not move at
// all: while it stands still short of it, the pointer is nudged on by what it still lacks
// (by a pixel to and fro while it has not moved yet, which wakes a loop that began at the
// pointer's last place). A press that went by altogether is tried again, up to three times.
template <typename Arrived>
void dragWindowTo(HWND window, POINT grab, POINT target, Arrived arrived) {
  auto rectNow = [window] {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  };
  for (int attempt = 0; attempt < 3 && !arrived(); ++attempt) {
    const RECT start = rectNow();
    POINT pointer{start.left + grab.x, start.top + grab.y};
    mouseTo(pointer.x, pointer.y);
    mouseButton(true);
    Sleep(200);
    const int dx = target.x - start.left, dy = target.y - start.top;
    for (int step = 1; step <= 10; ++step) mouseTo(pointer.x + dx * step / 10, pointer.y + dy * step / 10);
    pointer = {pointer.x + dx, pointer.y + dy};
    RECT last = start;
    for (int i = 0; i < 60 && !arrived(); ++i) {
      Sleep(50);
      const RECT now = rectNow();
      const bool still = now.left == last.left && now.top == last.top;
      last = now;
      if (!still) continue;
      if (now.left == start.left && now.top == start.top) {
        pointer.x += i % 2 ? -1 : 1;
      } else {
        pointer = {pointer.x + target.x - now.left, pointer.y + target.y - now.top};
      }
      mouseTo(pointer.x, pointer.y);
    }
    mouseButton(false);
    Sleep(200);
  }
}

inline POINT centreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The window below parent (at any depth) whose control id is id, or null.
inline HWND findChild(HWND parent, int id) {
  struct Search {
    int id;
    HWND found = nullptr;
  } search{id};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(window) != s->id) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace driver
