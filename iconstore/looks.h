// The host's current look and its untouched look kept in the backup, as values that a
// front end shows: the splash image and the two app-bar icons, a description, the
// startup-text toggle and which overlay lies over the splash.
#pragma once
#include <string>

#include "app/run_state.h"
#include "platform/bytes.h"

namespace lumaset {

enum class Overlay { Clear, Marked };

struct Look {
  Bytes splash;
  Bytes darkIcon;
  Bytes lightIcon;
  std::string description;
  bool startupTextToggle = false;
  Overlay overlay = Overlay::Marked;
};

// The clear overlay when the startup text is hidden or the host is of version 18 or
// later (whose startup text is never changed), else the marked one.
Overlay chooseOverlay(bool startupTextToggle, bool version18);

// The backup copy of the host's index: R + "/lumaset_BAK/IconResources.idx".
std::string backupIndexPath(const Context& ctx);

// Parse the current (or backup) index, look the three images up in the LowRes pack
// beside the current index, set the startup-text toggle, and hand the look to the view.
Look showCurrentLook(Context& ctx);
Look showDefaultLook(Context& ctx);

}  // namespace lumaset
