// Renewing the backup from the host's files as they are now; the first backup is set
// aside as lumaset_BAK_old.
#pragma once
#include "app/run_state.h"

namespace lumaset {

// Shows a message for each step that fails and goes on; nothing is rolled back.
void refreshBackup(Context& ctx);

}  // namespace lumaset
