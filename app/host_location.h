// Locate host: the user points the system at Photoshop.exe; its product version is read
// and gated, the paths of the index and the language file are derived and stored.
#pragma once
#include <string>

#include "app/run_state.h"

namespace lumaset {

enum class LocateOutcome {
  Cancelled,          // no file at the dialog's answer: only the path box refreshed
  IndexMissing,       // no IconResources.idx: host folder and index path emptied
  LanguageMissing,    // no language file, none picked by hand: nothing stored
  Located,
};

struct LanguageLocation {
  std::string folder;  // below the host folder, without a trailing separator
  std::string fileName;
};

// The language file that belongs to a host version.
LanguageLocation languageLocationFor(const std::string& hostFolder, float version, char sep);

LocateOutcome locateHost(Context& ctx);

}  // namespace lumaset
