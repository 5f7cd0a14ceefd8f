// Create backup: the first time, copy the host's index, packs and language file into
// the backup folders; copies that exist are never replaced. Ends with a probe that the
// system may create and delete folders there.
#pragma once
#include "app/run_state.h"

namespace lumaset {

// Shows its own message on every failure and returns false at once.
bool createBackup(Context& ctx);

}  // namespace lumaset
