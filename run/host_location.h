// Locate host: the user points the system at Photoshop.exe; its product version is read
// and gated, the paths of the index and the language file are derived and stored.
#pragma once
#include <string>

#include "run/run_state.h"

namespace lumaset {

enum class LocateOutcome {
  Cancelled,        // no file at the dialog's answer: only the path box refreshed
  FolderRefused,    // a part of the host folder ends in a dot or a space: nothing set or stored
  IndexMissing,     // no IconResources.idx: host folder and index path emptied
  LanguageMissing,  // a zh_CN folder without the language file, none picked by hand (or one
                    // outside the host's Locales folder, refused): nothing stored
  // Both kinds of location keep the host for this run when setting.ini cannot take it;
  // the outcome then fails with SettingsNotSaved.
  Located,
  LocatedWithoutLanguage,  // no zh_CN folder: stored with the language marked absent
};

struct LanguageLocation {
  std::string folder;  // below the host folder, without a trailing separator
  std::string fileName;
};

// The language file that belongs to a host version.
LanguageLocation languageLocationFor(const std::string& hostFolder, float version, char sep);

// Who wants the host located: the first start, which has no host stored, the user (the
// folder button, the command line's locate), or a command line given a host folder for
// its own run, whose location is kept as the context's given location and never stored.
enum class LocateReason { ByUser, FirstStart, ForThisRun };

// Asks for the host's Photoshop.exe (and, for a host with a zh_CN folder but without the
// language file its version calls for, for that file), reads and gates its version, and
// stores the location. What there is to tell goes to `out`, which fails when the
// location could not be stored.
LocateOutcome locateHost(Context& ctx, Outcome& out, LocateReason reason = LocateReason::ByUser);

// Sets the language backup folder to the host folder + "Locales_BAK". Every place that
// settles the host folder calls it, so the folder never belongs to another host; the
// folder itself is made by the first backup, inside the edit of the host.
void settleLanguageBackupFolder(RunState& state);

// Whether `languageFolder` lies inside the host's Locales folder: the only place whose
// file the program may change for the startup text, wherever the value came from.
bool languageFolderInHost(const std::string& hostFolder, const std::string& languageFolder, char sep);

// Whether the run state names one host completely: a host folder that is an absolute
// path ending in a separator, its own language backup folder, an absolute language
// folder inside the host's Locales folder and a plain language file name, or no language
// file at all (both empty). Nothing may back up, restore or write
// the host's files otherwise, since a path built from an empty or foreign value would land elsewhere (at the root of a
// drive, in another installation).
bool hostPathsSettled(const RunState& state, char sep);

}  // namespace lumaset
