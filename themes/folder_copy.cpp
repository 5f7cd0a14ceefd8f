#include "themes/folder_copy.h"

namespace lumaset {
namespace {

struct Walk {
  Files& files;
  FolderCopy& copy;
  char sep;
};

std::string joined(const std::string& relative, const std::string& name) {
  return relative.empty() ? name : relative + "/" + name;
}

CopyResult copyFile(Walk& w, const std::string& from, const std::string& to, const FolderEntry& e) {
  if (w.copy.keepExisting && w.files.entryKind(to) != EntryKind::Missing) return CopyResult::Copied;
  if ((w.copy.bytes += e.size) > kImportTotalLimit) return CopyResult::TooLarge;
  Bytes data = w.files.readFile(from);
  // A file that changed between the listing and the read is not taken half.
  if (data.size() != e.size) return CopyResult::Failed;
  return w.files.writeNewFile(to, data) ? CopyResult::Copied : CopyResult::Failed;
}

CopyResult copyLevel(Walk& w, const std::string& from, const std::string& to, const std::string& relative,
                     std::size_t depth) {
  std::optional<std::vector<FolderEntry>> entries = w.files.folderEntries(from);
  if (!entries) return CopyResult::Failed;
  for (const FolderEntry& e : *entries) {
    const std::string source = from + w.sep + e.name, target = to + w.sep + e.name;
    if (e.kind == EntryKind::Link || e.kind == EntryKind::Other || e.kind == EntryKind::Missing) {
      w.copy.skipped.push_back(joined(relative, e.name));
      continue;
    }
    if (++w.copy.entries > kImportMaxEntries) return CopyResult::TooLarge;
    CopyResult result = CopyResult::Copied;
    if (e.kind == EntryKind::File) {
      result = copyFile(w, source, target, e);
    } else if (depth >= kImportMaxDepth) {
      result = CopyResult::TooLarge;
    } else {
      EntryKind there = w.files.entryKind(target);
      // Merging, an older theme's folder where the new one has a file stays out.
      if (w.copy.keepExisting && there != EntryKind::Missing && there != EntryKind::Folder) continue;
      if (there == EntryKind::Missing && !w.files.createFolder(target)) return CopyResult::Failed;
      result = copyLevel(w, source, target, joined(relative, e.name), depth + 1);
    }
    if (result != CopyResult::Copied) return result;
  }
  return CopyResult::Copied;
}

}  // namespace

CopyResult copyFolderContent(Files& files, const std::string& from, const std::string& to, FolderCopy& copy) {
  Walk walk{files, copy, files.separator()};
  return copyLevel(walk, from, to, "", 0);
}

}  // namespace lumaset
