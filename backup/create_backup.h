// Create backup: the first time, copy the host's index, packs and language file into
// the backup folders; copies that exist are never replaced, copies that were lost are
// mended. Ends with a probe that the system may create and delete folders there.
#pragma once
#include <map>
#include <string>

#include "backup/edit_session.h"
#include "run/run_state.h"

namespace lumaset {

// Reports every failure to the session's outcome and returns false at once. Copies that the
// record knows are mended beforehand (backup/backup_copies.h). A host whose own
// index does not decode or names bytes its packs lack is refused before anything is
// copied; a language file that carries the program's block is backed up without it.
bool createBackup(EditSession& s);
// The same in an edit of its own, with the mending.
Outcome createBackup(Context& ctx);

// Whether the host's own index is damaged (it does not decode, or one of the
// records the program changes names bytes its packs lack; for a refresh, also any record
// that names bytes its pack lacks and did not already in the backup); a damaged one is
// refused in the session's outcome. The index and packs are the host's, or their backup
// copies for the keys that `fromBackup` marks: what a refresh will leave.
bool hostIndexDamaged(EditSession& s, const std::map<std::string, bool>& fromBackup);

}  // namespace lumaset
