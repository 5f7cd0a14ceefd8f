// Copying a dropped folder into the theme library, written here rather than left to the
// shell: only regular files are copied. Symbolic links, junctions and other reparse
// points are never followed (a link back to its own folder would copy without end, a
// link to a file outside would bring that file in), and devices and pipes are never
// opened; each is left out and named. The copy keeps to the same limits as a package.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/zip_archive.h"
#include "platform/files.h"

namespace lumaset {

// How much one import may bring in, the same for packages and folders.
inline constexpr std::uint64_t kImportTotalLimit = kZipTotalLimit;
inline constexpr std::size_t kImportMaxEntries = kZipMaxMembers;  // files and folders
inline constexpr std::size_t kImportMaxDepth = 16;       // folder levels below the theme

enum class CopyResult { Copied, TooLarge, Failed };

struct FolderCopy {
  // Files that are already at the target are left as they are (a merge of an older
  // theme's files under a new one's).
  bool keepExisting = false;
  std::vector<std::string> skipped;  // relative names of what was left out
  std::uint64_t bytes = 0;
  std::size_t entries = 0;
};

// Copies the content of folder `from` into the existing folder `to`. The files are
// written without waiting for the disk; the caller flushes the target once.
CopyResult copyFolderContent(Files& files, const std::string& from, const std::string& to, FolderCopy& copy);

}  // namespace lumaset
