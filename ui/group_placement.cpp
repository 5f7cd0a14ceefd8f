#include "ui/group_placement.h"

#include <algorithm>
#include <cstdio>

namespace lumaset::ui {

namespace {

// The lowest DPI the preview is drawn at: a quarter of the design, still a picture.
constexpr int kLeastPreviewDpi = kDesignDpi / 4;

bool fits(const ScreenRect& group, const ScreenRect& work) {
  return group.width() <= work.width() && group.height() <= work.height();
}

// The position along one axis that keeps [low, high) (the group's extent from the main
// window's corner) inside [from, to), as near `wanted` as it can; against `from` when the
// group is larger than the room.
int clampAxis(int wanted, int low, int high, int from, int to) {
  return std::max(from - low, std::min(wanted, to - high));
}

}  // namespace

ScreenRect GroupRects::bounds() const {
  return {std::min({main.left, preview.left, frame.left}), std::min({main.top, preview.top, frame.top}),
          std::max({main.right, preview.right, frame.right}), std::max({main.bottom, preview.bottom, frame.bottom})};
}

GroupRects groupRects(const Scale& window, const Scale& preview, ScreenPoint m) {
  const int mw = window.px(824), mh = window.px(179);
  const int pw = preview.px(838), ph = preview.px(506);
  // As the start has always stood them: the preview's top at 2 and the main window's at the
  // preview's height + 8; the preview centred over the main window, the frame 9 left and 5 up.
  const int previewTop = m.y - (window.px(8) - window.px(2)) - ph;
  const int previewLeft = m.x - (pw - mw) / 2;
  return {{m.x, m.y, m.x + mw, m.y + mh},
          {previewLeft, previewTop, previewLeft + pw, previewTop + ph},
          {m.x - window.px(9), m.y - window.px(5), m.x - window.px(9) + window.px(842), m.y - window.px(5) + window.px(195)}};
}

GroupPlace placeGroup(const Scale& window, const ScreenRect& work, std::optional<ScreenPoint> kept) {
  GroupPlace place{window.dpi, {}};
  while (place.previewDpi > kLeastPreviewDpi &&
         !fits(groupRects(window, Scale{place.previewDpi}, {}).bounds(), work))
    --place.previewDpi;
  const ScreenRect b = groupRects(window, Scale{place.previewDpi}, {}).bounds();  // relative to the main window
  ScreenPoint wanted;
  if (kept) {
    wanted = *kept;
  } else {
    wanted.x = work.left + (work.width() - window.px(824)) / 2;
    const int slack = work.height() - b.height();
    wanted.y = work.top + std::min(window.px(2), std::max(slack, 0)) - b.top;
  }
  place.main = {clampAxis(wanted.x, b.left, b.right, work.left, work.right),
                clampAxis(wanted.y, b.top, b.bottom, work.top, work.bottom)};
  return place;
}

std::string monitorKey(const ScreenRect& m) {
  return std::to_string(m.left) + "_" + std::to_string(m.top) + "_" + std::to_string(m.right) + "_" +
         std::to_string(m.bottom);
}

std::string placeText(ScreenPoint p, int dpi) {
  return std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(dpi);
}

std::optional<ScreenPoint> readPlace(const std::string& text, int dpi) {
  ScreenPoint p;
  int at = 0, consumed = 0;
  if (std::sscanf(text.c_str(), "%d,%d,%d%n", &p.x, &p.y, &at, &consumed) != 3 ||
      static_cast<std::size_t>(consumed) != text.size() || at != dpi)
    return std::nullopt;
  // Far beyond any desktop: a hand-edited value, not a place.
  if (p.x < -100000 || p.x > 100000 || p.y < -100000 || p.y > 100000) return std::nullopt;
  return p;
}

}  // namespace lumaset::ui
