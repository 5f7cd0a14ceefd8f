#include "tools/sample_host/sample_entries.h"

namespace lumaset::tools {
namespace {

std::vector<SampleEntry> smallSample() {
  std::vector<SampleEntry> entries;
  const char* tools[] = {"ToolMove",       "ToolMarquee",  "ToolLasso",     "ToolQuickSelect", "ToolCrop",
                         "ToolEyedropper", "ToolHealing",  "ToolBrush",     "ToolStamp",       "ToolHistory",
                         "ToolEraser",     "ToolGradient", "ToolBlur",      "ToolDodge",       "ToolPen",
                         "ToolType",       "ToolPath",     "ToolShape",     "ToolHand",        "ToolZoom",
                         "PanelHistory",   "PanelColor",   "PanelSwatches", "PanelChannels",   "PanelPaths",
                         "PanelAdjust",    "PanelStyles",  "PanelActions"};
  int seed = 1;
  for (int i = 0; i < 10; ++i) entries.push_back({tools[i], EntryKind::Tool, seed++});
  entries.push_back({"Splash1080Background", EntryKind::Splash, 200});
  for (int i = 10; i < 18; ++i) entries.push_back({tools[i], EntryKind::Tool, seed++});
  entries.push_back({"PS_OWL_appbar_dark_win", EntryKind::DarkIcon, 0});
  entries.push_back({"PS_OWL_appbar_light_win", EntryKind::LightIcon, 0});
  // Differs from the splash's name only in letter case: a lookup must not find it.
  entries.push_back({"splash1080background", EntryKind::Splash, 20});
  // Bytes after the name's NUL are part of the record, not of the name.
  entries.push_back({std::string("PanelLayers\0garbage-after-nul", 30), EntryKind::Tool, seed++});
  for (int i = 18; i < 28; ++i) entries.push_back({tools[i], EntryKind::Tool, seed++});
  // A second record of the same name: the first one in file order wins.
  entries.push_back({"Splash1080Background", EntryKind::Splash, 120});
  entries.push_back({"PS_OWL_appbar_dark_win", EntryKind::Tool, seed++});
  entries.push_back({"FillerPadding", EntryKind::Padding, 0});
  return entries;
}

// A record name of a real index's kind; every 61st fills the whole 48-byte field.
std::string releaseName(int n) {
  std::string name = "PS_icon_" + std::to_string(n) + (n % 2 ? "_D" : "_N");
  if (n % 61 == 0) name = "PS_panel_option_flyout_highlighted_state_" + std::to_string(1000000 + n);
  return name.substr(0, 48);
}

std::vector<SampleEntry> releaseShaped(HostShape shape) {
  const int total = shape == HostShape::Release19 ? 1698 : 1822;
  const int splashAt = total * 2 / 3;  // far into the index, after the padding
  std::vector<SampleEntry> entries;
  int emptyHigh = 0;
  for (int n = 1; static_cast<int>(entries.size()) < total; ++n) {
    const int at = static_cast<int>(entries.size());
    if (at == 40) {
      entries.push_back({"UI_background_filler", EntryKind::Padding, 0});
    } else if (at == splashAt) {
      entries.push_back({"Splash1080Background", EntryKind::Splash, 200});
    } else if (at == splashAt + 90 && shape == HostShape::Release19) {
      entries.push_back({"PS_OWL_appbar_dark_win", EntryKind::DarkIcon, 0});
    } else if (at == splashAt + 91 && shape == HostShape::Release19) {
      entries.push_back({"PS_OWL_appbar_light_win", EntryKind::LightIcon, 0});
    } else if (at == splashAt + 90) {
      entries.push_back({"PS_OWL_appbar_win", EntryKind::DarkIcon, 0});
    } else {
      SampleEntry entry{releaseName(n), EntryKind::Tool, n % 50};
      // Some 215 records have no HighRes image: their slot holds a length of 0.
      entry.highEmpty = n % 8 == 3 && emptyHigh < 215;
      emptyHigh += entry.highEmpty ? 1 : 0;
      entries.push_back(entry);
    }
  }
  return entries;
}

}  // namespace

std::vector<SampleEntry> sampleEntries(HostShape shape) {
  return shape == HostShape::Sample ? smallSample() : releaseShaped(shape);
}

}  // namespace lumaset::tools
