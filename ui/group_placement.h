// Where the program's three windows stand on a monitor: the splash preview above the main
// window and the frame round it, all inside the monitor's work area (the screen less its
// taskbar). When the group is taller or wider than the work area at the window's DPI, the
// preview alone is drawn at a lower DPI until it fits; the main window and the frame keep
// theirs. A place the user left the window at is kept, moved only as far as the group
// needs to lie inside the work area. Portable: the window reads the monitors and the
// settings, this decides.
#pragma once
#include <optional>
#include <string>

#include "ui/dpi_scale.h"

namespace lumaset::ui {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
  int x = 0, y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// The three windows' rectangles for the main window's top-left at `main`.
struct GroupRects {
  ScreenRect main, preview, frame;
  ScreenRect bounds() const;
};
GroupRects groupRects(const Scale& window, const Scale& preview, ScreenPoint main);

struct GroupPlace {
  int previewDpi = kDesignDpi;  // the preview's scale: the window's DPI, or less to fit
  ScreenPoint main;             // the main window's top-left
};

// The place in `work` at the window's scale: at `kept` (the main window's top-left the
// user left it at) when given, else the main window centred across and the preview 2
// design pixels below the work area's top, as far as the work area allows.
GroupPlace placeGroup(const Scale& window, const ScreenRect& work, std::optional<ScreenPoint> kept = {});

// The settings' words for a place: a monitor by its rectangle ("0_0_1920_1080"), a place
// as "x,y,dpi". A place is read back only at the DPI it was left at (a place of the
// smaller window at 100 % says little of where the larger one at 200 % should stand); a
// text that is none reads as nothing.
std::string monitorKey(const ScreenRect& monitor);
std::string placeText(ScreenPoint p, int dpi);
std::optional<ScreenPoint> readPlace(const std::string& text, int dpi);

}  // namespace lumaset::ui
