#include "ui/monitors.h"

namespace lumaset::ui {

namespace {

ScreenRect screenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

Monitor monitorInfo(HMONITOR handle) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!handle || !GetMonitorInfoW(handle, &info)) {
    // No monitor to ask: the primary screen, whole.
    const ScreenRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {screen, screen};
  }
  return {screenRect(info.rcMonitor), screenRect(info.rcWork)};
}

struct Search {
  const std::string& key;
  std::optional<Monitor> found;
};

BOOL CALLBACK matchMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  const Monitor m = monitorInfo(handle);
  if (monitorKey(m.area) != search->key) return TRUE;
  search->found = m;
  return FALSE;
}

}  // namespace

Monitor monitorOfRect(const RECT& r) { return monitorInfo(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST)); }

std::optional<Monitor> monitorNamed(const std::string& key) {
  if (key.empty()) return std::nullopt;
  Search search{key, std::nullopt};
  EnumDisplayMonitors(nullptr, nullptr, matchMonitor, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Monitor primaryMonitor() { return monitorInfo(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)); }

}  // namespace lumaset::ui
