// The monitors the window group may stand on: each one's rectangle and work area (the
// screen less its taskbar), in the virtual screen's device pixels.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ui/group_placement.h"

namespace lumaset::ui {

// The settings' key of the monitor the window was last left on.
inline constexpr const char* kMonitorKey = "monitor";

struct Monitor {
  ScreenRect area, work;
};

// The monitor that holds most of `r`, or the nearest to it.
Monitor monitorOfRect(const RECT& r);
// The monitor whose rectangle `monitorKey` names, while it is still attached as it was.
std::optional<Monitor> monitorNamed(const std::string& key);
Monitor primaryMonitor();

}  // namespace lumaset::ui
