// The main action: restyle the host with a theme, with the host's own look ("[默认]"),
// with its current images ("[当前]", startup text only), or with six images picked one
// by one. Every apply starts again from the backed-up icon files.
#pragma once
#include <array>
#include <string>

#include "run/run_state.h"

namespace lumaset {

// The six image slots, in their order: splash LowRes, splash HighRes, dark icon LowRes,
// dark HighRes, light LowRes, light HighRes (the order of kThemeImages). An empty path
// keeps the backed-up image.
using ImageSlots = std::array<std::string, 6>;

// Refused before anything else: an entry that is neither built in nor a theme the
// library lists (a typo, a path, a theme removed since the list was read).
Outcome checkEntry(const Context& ctx, const std::string& entry);
// Refused before anything else: no field names an image, or one names a path where
// nothing is.
Outcome checkCustomFields(const Context& ctx, const ImageSlots& fields);
// Whether the front end has located the host an apply changes: its index is there and
// the run state names the host completely.
bool hostReadyForChange(const Context& ctx);

// Apply from the theme list entry `entry`; "修改完成" closes an apply that was done. Everything that can refuse it (the
// images, the theme's text, a backup that is lost, a host that someone else changed) is checked before the first
// change, so a refused apply leaves every file as it was. `startupTextToggle` is the toggle of the front end (on: hide
// the startup text, or put a theme's own text in).
Outcome applyFromThemeList(Context& ctx, const std::string& entry, bool startupTextToggle);
// Apply the custom image fields (an empty field keeps the backed-up image); "修改完成"
// closes an apply that was done. Refused before anything changes when every field is
// empty or a field names a path where there is nothing.
Outcome applyCustomImages(Context& ctx, const ImageSlots& fields, bool startupTextToggle);

}  // namespace lumaset
