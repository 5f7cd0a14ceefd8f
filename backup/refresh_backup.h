// Renewing the backup from the host's files as they are now; the first backup is set
// aside as lumaset_BAK_old.
#pragma once
#include "app/run_state.h"

namespace lumaset {

// The host's files that are exactly as an apply left them get their backed-up bytes back
// first, so a theme never becomes the backup; a language file that carries the program's
// block unproven stops it. Then shows a message for each step that fails and goes on;
// nothing is rolled back.
void refreshBackup(Context& ctx);

}  // namespace lumaset
