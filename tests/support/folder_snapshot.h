// What a folder holds, entry by entry, so that a test can tell that an operation changed
// nothing (or exactly what it should) below it.
#pragma once
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "support/temp_dir.h"
#include "support/theme_maker.h"

namespace lumaset::testing {

// Entries with what they hold, by their path below the folder ("Resources/x.dat").
using Snapshot = std::map<std::string, std::string>;

enum class Entries {
  Files,  // files with their bytes (links to files followed), nothing else
  All,    // also folders as "<folder>", links as "-> target" and anything else as "<other>"
};

// Every entry below `folder`, nothing when it is missing. Entries whose path below the
// folder `leaveOut` holds for are passed over (what lies in them is still looked at).
inline Snapshot folderSnapshot(const std::string& folder, Entries entries = Entries::All,
                               const std::function<bool(const std::filesystem::path& below)>& leaveOut = {}) {
  namespace fs = std::filesystem;
  Snapshot snapshot;
  const fs::path root = pathFromUtf8(folder);
  if (!fs::exists(root)) return snapshot;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const fs::path below = e.path().lexically_relative(root);
    if (leaveOut && leaveOut(below)) continue;
    std::string held;
    if (entries == Entries::All && e.is_symlink()) {
      held = "-> " + utf8Path(fs::read_symlink(e.path()));
    } else if (e.is_regular_file()) {
      held = readWhole(utf8Path(e.path()));
    } else if (entries == Entries::Files) {
      continue;
    } else {
      held = e.is_directory() ? "<folder>" : "<other>";
    }
    snapshot[utf8Path(below)] = held;
  }
  return snapshot;
}

}  // namespace lumaset::testing
