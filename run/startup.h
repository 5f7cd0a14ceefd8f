// Run startup without the windows: load the settings (locating the host when none is
// stored) and the startup check of the stored host folder.
#pragma once
#include "run/run_state.h"
#include "run/settings.h"

namespace lumaset {

struct StartupOutcome {
  bool locateRan = false;
  bool hostKnown = false;  // photoshop.exe found in the host folder
  Outcome location;        // what the location of a first start has to tell
};

// Checks host folder + "photoshop.exe"; when found, sets the index path and the language
// backup folder's path (nothing is made on disk). A stored folder without its trailing
// separator is given one first.
bool startupCheck(Context& ctx, const std::string& storedHostFolder);

// Load settings, then the startup check.
StartupOutcome runStartup(Context& ctx);

}  // namespace lumaset
