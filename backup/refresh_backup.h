// Renewing the backup from the host's files as they are now, file by file: a file that
// someone else changed (an update of the host) becomes that file's new original, while
// the backup of a file that is the original or carries the program's addition stays, and
// so does the theme on the host. The copy a renewed file replaces is set aside in
// lumaset_BAK_old. Only the host's own files become originals: never a damaged one, nor
// one that carries the program's addition over a copy on disk.
#pragma once
#include "backup/edit_session.h"
#include "run/run_state.h"

namespace lumaset {

// A failure for each file that fails, and it goes on; "备份已是最新" when no file needed a
// new copy and none failed, else the files whose copies were renewed. Without any backup
// it takes the first one and names the files it holds.
Outcome refreshBackup(EditSession& s);
// The same in an edit of its own.
Outcome refreshBackup(Context& ctx);

}  // namespace lumaset
