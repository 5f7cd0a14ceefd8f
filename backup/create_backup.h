// Create backup: the first time, copy the host's index, packs and language file into
// the backup folders; copies that exist are never replaced, copies that were lost are
// mended. Ends with a probe that the system may create and delete folders there.
#pragma once
#include <map>
#include <string>

#include "backup/edit_session.h"
#include "run/run_state.h"

namespace lumaset {

// Stops at the first failure, which the outcome names. Copies that the record knows are
// mended beforehand (backup/backup_copies.h). A host whose own index does not decode or
// names bytes its packs lack is refused before anything is copied; a language file that
// carries the program's block is backed up without it.
Outcome createBackup(EditSession& s);
// The same in an edit of its own, with the mending.
Outcome createBackup(Context& ctx);

// The backup mended, or made the first time, before a change of the host. A backup that
// cannot be made refuses the change with "没有创建备份" besides what went wrong, unless
// the host is damaged: that is said as such, and rights would not help.
Outcome backupBeforeChange(EditSession& s);

// Refused when the host's own index is damaged (it does not decode, or one of the records
// the program changes names bytes its packs lack; for a refresh, also any record that
// names bytes its pack lacks and did not already in the backup). The index and packs are
// the host's, or their backup copies for the keys that `fromBackup` marks: what a refresh
// will leave.
Outcome hostIndexSound(EditSession& s, const std::map<std::string, bool>& fromBackup);

}  // namespace lumaset
