// What the DPI driver checks of lumaset.exe at a DPI: the windows' geometry against the
// design scaled, the ink of texts and buttons read from screenshots, the preview's
// pixels against the theme's 2x splash, and a change of DPI sent to the running window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "screen_checks.h"
#include "ui/dpi_scale.h"

namespace dpi {

[[noreturn]] void fail(const std::string& what);
void ok(const std::string& what);
int passed();
// The driver works in device pixels, as the program does (no DPI virtualisation).
void beDpiAware();
// The DPI the next process reads (the prefix's LogPixels); false when it cannot be set.
bool setLogPixels(DWORD dpi);
// Runs a command line in `folder` and waits a minute at most for its exit code (-1 when
// it does not start).
int run(const std::wstring& command, const std::wstring& folder);

struct Program {
  HANDLE process = nullptr;
  DWORD id = 0;
  HWND main = nullptr, preview = nullptr, frame = nullptr;
};
Program startProgram(const std::wstring& exe, const std::wstring& folder);
void closeProgram(Program& program);
void chooseTheme(HWND main, const std::string& theme);
void showCustomPage(HWND main);
void showThemePage(HWND main);

RECT rectOf(HWND window);
driver::Shot screenshot(const std::wstring& folder, const std::string& name);

// A 24-bit BMP as ImageMagick writes it (BMP3), top row first.
struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  COLORREF at(int x, int y) const;
};
Image readBmp(const std::wstring& path);

// The three windows at their scaled sizes, the preview px(2) from the top, the main
// window px(8) below it and the frame px(9) left of and px(5) above the main window.
void checkWindows(const Program& program, const lumaset::ui::Scale& s, const std::string& when);
// On a screen smaller than the group at this DPI: all three windows on the screen, the main
// window and the frame at their scaled sizes, the preview of the design's shape, smaller
// only when the group would not fit whole, still centred above the main window.
void checkFitsScreen(const Program& program, const lumaset::ui::Scale& s, const std::string& when);
// Controls on the main window and on the theme page at their scaled design rectangles.
void checkControlPlaces(HWND main, const lumaset::ui::Scale& s, const std::string& when);
// The preview shows the theme's 2x splash over its whole size: pixel for pixel at 200 %,
// scaled at 150 %.
void checkSplash(const driver::Shot& shot, HWND preview, const Image& high, const lumaset::ui::Scale& s,
                 const std::string& when);
// The custom page's labels show their whole text, no glyph cut at a page's edge.
void checkCustomLabels(HWND main, const driver::Shot& shot, const lumaset::ui::Scale& s, const std::string& when);

// Heights of text ink and counts of button ink, by control name.
struct Measures {
  std::map<std::string, int> textHeight, ink;
  // The width and height of the box round a button's ink.
  std::map<std::string, std::pair<int, int>> inkSpan;
};
Measures measure(HWND main, const driver::Shot& shot);
// Text and the span of a button's ink grow with the scale, against the 96-DPI run (how
// much ink a glyph has depends on how its strokes fall on the pixels at each size).
void compareWithDesign(const Measures& at, const Measures& design, const lumaset::ui::Scale& s,
                       const std::string& when);
// A window that changed to 192 DPI shows what a fresh start at 192 DPI shows.
void compareChange(const Measures& changed, const Measures& fresh);
// Sends WM_DPICHANGED with the suggested rectangle placed in the program's memory.
void sendDpiChanged(const Program& program, int dpi, const RECT& suggested);

}  // namespace dpi
