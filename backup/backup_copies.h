// The soundness of the backup copies: each copy that the record knows is checked before
// it is relied on (the small ones by their hash every time, the packs by the identity
// noted when their hash was last seen, and by their hash when that changed), and a copy
// that is lost or damaged is made again from what remains: the second copy of the index
// or the language file, or the host's own file, which begins with the backed-up bytes
// while only the program changed it.
#pragma once
#include <string>
#include <vector>

#include "backup/edit_session.h"

namespace lumaset {

// Whether the backup copy of a key is the one the record knows.
bool backupCopySound(EditSession& s, const std::string& key);

// Refused when the backup was made in another installation (its record names another
// Resources folder) and nothing of this host's files was made from its copies.
Outcome backupBelongsHere(EditSession& s);

// Mends every recorded copy that is lost or damaged and renews second copies that are
// missing or stale; learns the hash of copies that the record does not know (a backup
// from before the record). Returns the keys whose copy could not be mended.
std::vector<std::string> mendBackupCopies(EditSession& s);

// backupBelongsHere, then mendBackupCopies; refused with the first copy that could not be
// mended, when any was lost.
Outcome backupCopiesMended(EditSession& s);

// Makes the backup copy of a key from the host's file, noting its size and hash: the
// language file without the program's startup-text block, which no backup may hold.
bool backUpHostFile(EditSession& s, const std::string& key);

// The second copy of a key (the index, the language file) made from its sound backup copy.
bool writeSecondCopy(EditSession& s, const std::string& key);

}  // namespace lumaset
