// Putting the host's files back from the backup: the icon files (the index first, then
// the packs) and the language file.
#pragma once
#include "app/run_state.h"
#include "backup/host_record.h"

namespace lumaset {

// Puts the backed-up file of a record key back over the host's, by the least work that
// gives the backup's bytes: nothing for a host file untouched since the backup, a cut back
// to the backup's length for one that is the backup and the program's appendix, else the
// fastest copy. `state` is the file's state before anything changed. Notes the result in
// the record (the caller saves it).
bool putBack(Context& ctx, HostRecord& record, const std::string& key, HostFileState state);

enum class CopyBackPolicy { StopAtFirstFailure, KeepGoing };

// Copies the backed-up icon files over the host's: the index, then the packs (the extra
// packs only when the record table says four-pack). A backed-up index that does not
// decode or names bytes its backed-up packs lack is refused before anything changes; when
// the index cannot be put back no pack is touched, whatever the policy. So the index on
// disk always names bytes that its packs hold. True when every copy succeeded.
bool copyBackIconFiles(Context& ctx, CopyBackPolicy policy);
bool copyBackLanguageFile(Context& ctx);
// The entry "[默认]": icon files (keep going), then the language file.
bool restoreDefaults(Context& ctx);

}  // namespace lumaset
