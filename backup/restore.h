// Putting the host's files back from the backup, file by file: the index first, then the
// packs, then the language file. A file that is the original stays, one that carries
// the program's addition is cut back (a pack, the language file) or copied back (the
// index), one that is missing is copied back; one that someone else changed is left:
// it is the host's own, and the next refresh backs it up.
#pragma once
#include <map>
#include <optional>
#include <string>

#include "backup/edit_session.h"
#include "backup/host_verdict.h"
#include "run/run_state.h"

namespace lumaset {

using Verdicts = std::map<std::string, Verdict>;

// The verdicts of the given keys, taken before anything changes.
Verdicts verdictsOf(EditSession& s, const std::vector<std::string>& keys);

// The backed-up index, when it can stand for the backed-up packs on disk: it decodes, and
// the records the program changes and puts back name only bytes those packs hold. An
// index that lacks some of the images the program changes is sound: that host has none.
std::optional<RecordTable> soundBackupIndex(EditSession& s);

// Gives the host's file of a key the backup's bytes by the least work (nothing, a cut
// back, a copy). Notes the result in the record (the caller saves it).
bool putBack(EditSession& s, const std::string& key, Verdict verdict);

enum class CopyBackPolicy { StopAtFirstFailure, KeepGoing };

// Puts the icon files back. A backed-up index that is not sound (above) is refused before
// anything changes; when the index cannot be put back no pack is touched, whatever the
// policy. Icon files that someone else changed are left as a group: the index and its
// packs belong together. Done when every file that was to go back went back; each one
// that did not is named.
Outcome copyBackIconFiles(EditSession& s, const Verdicts& verdicts, CopyBackPolicy policy);
Outcome copyBackLanguageFile(EditSession& s, const Verdicts& verdicts);

// Whether some icon file was changed by someone else (or lacks a sound backup copy).
bool iconsChangedByOthers(const Verdicts& verdicts);

// The entry "[默认]": icon files (keep going), then the language file, in one edit. Files
// that someone else changed are the host's own and stay; but an icon file that carries
// the program's addition beside one that someone else changed is refused, since the
// backed-up index and packs no longer belong together with the changed one. Each file
// left other than its original (or the update's own) afterwards is named.
Outcome restoreDefaults(EditSession& s);

}  // namespace lumaset
