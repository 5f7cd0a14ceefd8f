#include "themes/import.h"

#include <cctype>
#include <memory>

#include "formats/path_text.h"
#include "formats/windows_names.h"
#include "formats/work_names.h"
#include "formats/zip_archive.h"
#include "iconstore/pack_append.h"
#include "themes/folder_copy.h"
#include "themes/library_import.h"
#include "themes/theme_folder.h"
#include "themes/unzip.h"

namespace lumaset {

PathParts pathParts(const std::string& path, char sep) {
  PathParts parts;
  parts.file = leafName(path, separatorsFor(sep));
  std::size_t dot = parts.file.find_last_of('.');
  parts.base = dot == std::string::npos ? parts.file : parts.file.substr(0, dot);
  std::size_t pathDot = path.find_last_of('.');
  parts.extension = pathDot == std::string::npos ? path : path.substr(pathDot + 1);
  return parts;
}

namespace {

// Removes a staging folder when the item is done with it, whatever became of the item.
class Staging {
 public:
  Staging(Files& files, std::string path) : files_(files), path_(std::move(path)) {}
  ~Staging() {
    if (!path_.empty() && files_.entryKind(path_) == EntryKind::Folder) files_.deleteFolder(path_);
  }
  Staging(const Staging&) = delete;
  Staging& operator=(const Staging&) = delete;
  const std::string& path() const { return path_; }

 private:
  Files& files_;
  std::string path_;
};

std::string withoutTrailingSeparators(std::string path, char sep) {
  std::string_view separators = separatorsFor(sep);
  while (path.size() > 1 && separators.find(path.back()) != std::string_view::npos) path.pop_back();
  return path;
}

bool lowerEquals(std::string text, const char* expected) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text == expected;
}

// One path lies in the other, or they are the same: whole path parts compared.
bool overlaps(const std::string& a, const std::string& b, char sep) {
  const std::string& shorter = a.size() <= b.size() ? a : b;
  const std::string& longer = a.size() <= b.size() ? b : a;
  if (longer.compare(0, shorter.size(), shorter) != 0) return false;
  return longer.size() == shorter.size() || shorter.back() == sep || longer[shorter.size()] == sep;
}

bool holdsTheme(Files& files, const std::string& folder) {
  const char sep = files.separator();
  return files.entryKind(folder + sep + kThemeInfo) == EntryKind::File &&
         files.entryKind(folder + sep + kSplashLow) == EntryKind::File;
}

// Where the theme's files are in what was unpacked: at the top, or in the one folder
// that a package made of a zipped theme folder has them in; empty when in neither.
std::string themeRoot(Files& files, const std::string& staging) {
  if (holdsTheme(files, staging)) return staging;
  std::optional<std::vector<FolderEntry>> entries = files.folderEntries(staging);
  if (!entries || entries->size() != 1 || entries->front().kind != EntryKind::Folder) return {};
  std::string inner = staging + files.separator() + entries->front().name;
  return holdsTheme(files, inner) ? inner : std::string();
}

// Every image of the theme in `folder` that is there must be one the apply takes
// (iconstore/pack_append.h): a theme is refused here rather than at its first apply. The
// first that is not is named in `o`.
bool imagesArePng(Files& files, const std::string& folder, ImportOutcome& o) {
  for (const ThemeImage& image : kThemeImages) {
    const std::string path = folder + files.separator() + image.file;
    if (files.entryKind(path) != EntryKind::Missing && !readPackImage(files, path)) {
      o.image = image.file;
      return false;
    }
  }
  return true;
}

// A write that failed after the package was read: its code says so.
ImportResult failure(ImportOutcome& o) {
  if (o.package && o.zipCode == kZipOk) o.zipCode = kZipWriteFailed;
  return o.package ? ImportResult::PackageFailed : ImportResult::CopyFailed;
}

// Unpacks or copies the item into `staging`.
ImportResult fill(Files& files, const std::string& source, const std::string& staging, ImportOutcome& o) {
  if (o.package) {
    o.zipCode = unpackPackage(files, source, staging);
    if (o.zipCode == kZipTooLarge) return ImportResult::TooLarge;
    return o.zipCode == kZipOk ? ImportResult::Added : ImportResult::PackageFailed;
  }
  FolderCopy copy;
  CopyResult copied = copyFolderContent(files, source, staging, copy);
  o.skipped = std::move(copy.skipped);
  if (copied == CopyResult::TooLarge) return ImportResult::TooLarge;
  return copied == CopyResult::Copied ? ImportResult::Added : ImportResult::CopyFailed;
}

// Stages the item, merges the theme it replaces when the user agrees, and puts it in place.
ImportResult stageAndPlace(Files& files, LibraryImport& library, const std::string& source, ImportOutcome& o,
                           const ReplaceQuestion& mayReplace) {
  Staging staging(files, library.newStagingFolder());
  if (staging.path().empty()) return failure(o);
  ImportResult filled = fill(files, source, staging.path(), o);
  if (filled != ImportResult::Added) return filled;
  std::string root = themeRoot(files, staging.path());
  const bool exists = files.entryKind(o.target) != EntryKind::Missing;
  if (root.empty() && !exists) return ImportResult::NotATheme;
  // The new images are checked before the question of a merge, the merged theme after it.
  if (!root.empty() && !imagesArePng(files, root, o)) return ImportResult::ImageNotPng;
  ImportResult result = ImportResult::Added;
  if (exists) {
    if (!mayReplace(o.theme)) return ImportResult::Declined;
    // A package that updates some files of a theme is whole once merged.
    if (root.empty()) root = staging.path();
    FolderCopy old;
    old.keepExisting = true;
    CopyResult merged = copyFolderContent(files, o.target, root, old);
    // The old theme's links and pipes are not carried over: they are named with the new ones'.
    for (std::string& name : old.skipped) o.skipped.push_back(o.theme + "/" + name);
    if (merged == CopyResult::TooLarge) return ImportResult::TooLarge;
    if (merged != CopyResult::Copied) return failure(o);
    if (!holdsTheme(files, root)) return ImportResult::NotATheme;
    if (!imagesArePng(files, root, o)) return ImportResult::ImageNotPng;
    result = ImportResult::Merged;
  }
  return library.place(root, o.theme) ? result : failure(o);
}

// What the path is, and under which name it would be a theme; Added when it may go on.
ImportResult classify(Files& files, const std::string& path, std::string& source, ImportOutcome& o) {
  const char sep = files.separator();
  PathParts parts = pathParts(path, sep);
  o.item = parts.file.empty() ? path : parts.file;
  EntryKind kind = files.entryKind(path);
  source = path;
  // The item itself is what the user chose: a link to it is followed, once.
  if (kind == EntryKind::Link) {
    source = files.linkTarget(path);
    kind = files.entryKind(source);
  }
  if (kind == EntryKind::Missing || kind == EntryKind::Link) return ImportResult::Unreadable;
  if (kind == EntryKind::Other) return ImportResult::Unsupported;
  o.package = kind == EntryKind::File;
  if (o.package && !lowerEquals(parts.extension, "zip")) return ImportResult::Unsupported;
  o.theme = o.package ? parts.base : parts.file;
  if (!isPlainName(o.theme) || isWorkName(o.theme)) return ImportResult::BadName;
  return ImportResult::Added;
}

// The rest of an item that classify() let through, with the library open.
ImportResult importInto(Files& files, LibraryImport& library, const std::string& source, ImportOutcome& o,
                        const ReplaceQuestion& mayReplace) {
  o.target = library.library() + files.separator() + o.theme;
  // A theme whose name differs only in letter case is the same folder on Windows: it
  // keeps its own name.
  if (files.entryKind(o.target) != EntryKind::Missing) {
    std::string onDisk = leafName(files.canonicalPath(o.target), separatorsFor(files.separator()));
    if (isPlainName(onDisk) && !isWorkName(onDisk)) {
      o.theme = onDisk;
      o.target = library.library() + files.separator() + o.theme;
    }
  }
  if (!o.package && overlaps(files.canonicalPath(source), files.canonicalPath(library.library()), files.separator()))
    return ImportResult::InsideLibrary;
  return stageAndPlace(files, library, source, o, mayReplace);
}

}  // namespace

std::vector<ImportOutcome> importThemes(Files& files, const std::string& library,
                                        const std::vector<std::string>& paths, const ReplaceQuestion& mayReplace,
                                        std::chrono::milliseconds patience) {
  std::vector<ImportOutcome> outcomes(paths.size());
  std::vector<std::string> sources(paths.size());
  bool anyToImport = false;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string path = withoutTrailingSeparators(paths[i], files.separator());
    outcomes[i].result = classify(files, path, sources[i], outcomes[i]);
    anyToImport = anyToImport || outcomes[i].result == ImportResult::Added;
  }
  // Items refused for what they are leave the library untouched, not even made.
  if (!anyToImport) return outcomes;
  std::unique_ptr<LibraryImport> session;
  LibraryImport::Opened opened = LibraryImport::open(files, library, patience, session);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    ImportOutcome& o = outcomes[i];
    if (o.result != ImportResult::Added) continue;
    if (opened == LibraryImport::Opened::Ready) {
      o.result = importInto(files, *session, sources[i], o, mayReplace);
    } else {
      o.result = opened == LibraryImport::Opened::Busy ? ImportResult::Busy : ImportResult::LibraryFailed;
    }
  }
  return outcomes;
}

}  // namespace lumaset
