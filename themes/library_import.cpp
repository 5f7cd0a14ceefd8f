#include "themes/library_import.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <thread>

#include "formats/windows_names.h"
#include "formats/work_names.h"
#include "themes/folder_copy.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

constexpr const char* kStagingPrefix = ".lumaset-import-";
constexpr const char* kAsidePrefix = ".lumaset-aside-";
// The imports' own names are work names: a listing never takes them for themes.
static_assert(isWorkName(kStagingPrefix) && isWorkName(kAsidePrefix) && isWorkName(kLibraryLockName) &&
              isWorkName(kReplacingNote));

// Waits for another import to let the lock go. A lock file that its holder is deleting
// at that moment (Windows) cannot be opened at all for an instant: that failure is tried
// again for a second, before it counts as a library that cannot be written.
LockResult waitForLock(Files& files, const std::string& path, std::chrono::milliseconds patience,
                       std::unique_ptr<FileLock>& lock) {
  const auto start = std::chrono::steady_clock::now();
  const auto failureGrace = std::min(patience, std::chrono::milliseconds(1000));
  for (;;) {
    LockResult result = files.lockFile(path, lock);
    const auto waited = std::chrono::steady_clock::now() - start;
    if (result == LockResult::Taken) return result;
    if (result == LockResult::Failed && waited >= failureGrace) return result;
    if (result == LockResult::HeldElsewhere && waited >= patience) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
}

}  // namespace

LibraryImport::LibraryImport(Files& files, std::string library, std::unique_ptr<FileLock> lock)
    : files_(files), library_(std::move(library)), lock_(std::move(lock)) {}

LibraryImport::Opened LibraryImport::open(Files& files, const std::string& library, std::chrono::milliseconds patience,
                                          std::unique_ptr<LibraryImport>& out) {
  // Another import may make the library at the same moment; under wine its folder may
  // then not be seen for an instant.
  EntryKind kind = files.entryKind(library);
  for (int attempt = 0; kind == EntryKind::Missing && attempt < 40; ++attempt) {
    if (!files.createFolder(library)) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    kind = files.entryKind(library);
  }
  if (kind != EntryKind::Folder && kind != EntryKind::Link) return Opened::Failed;
  std::unique_ptr<FileLock> lock;
  LockResult taken = waitForLock(files, library + files.separator() + kLibraryLockName, patience, lock);
  if (taken == LockResult::HeldElsewhere) return Opened::Busy;
  if (taken != LockResult::Taken) return Opened::Failed;
  out.reset(new LibraryImport(files, library, std::move(lock)));
  out->clearLeftovers(out->putBackSetAside());
  return Opened::Ready;
}

std::string LibraryImport::uniqueName(const std::string& prefix) {
  // Under the lock a name need only differ from what is there; a taken one is skipped.
  auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  seed = (seed ^ (static_cast<std::uint64_t>(++counter_) * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
  char suffix[17];
  std::snprintf(suffix, sizeof suffix, "%08llx", static_cast<unsigned long long>(seed >> 32));
  return prefix + suffix;
}

std::string LibraryImport::newStagingFolder() {
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string path = library_ + files_.separator() + uniqueName(kStagingPrefix);
    if (files_.entryKind(path) != EntryKind::Missing) continue;  // the name is taken: another one
    return files_.createFolder(path) ? path : std::string();
  }
  return {};
}

bool LibraryImport::place(const std::string& root, const std::string& name) {
  const char sep = files_.separator();
  const std::string target = library_ + sep + name;
  if (!files_.flushFolder(root)) return false;
  if (files_.entryKind(target) == EntryKind::Missing) return files_.moveFile(root, target);
  // The old theme steps aside under a work name, noted first, so that a run that breaks
  // off between the two renames leaves something the next import can put back.
  const std::string asideName = uniqueName(kAsidePrefix);
  const std::string aside = library_ + sep + asideName;
  const std::string note = library_ + sep + kReplacingNote;
  if (!files_.writeFile(note, name + "\n" + asideName + "\n")) return false;
  if (!files_.moveFile(target, aside)) {
    files_.removeFile(note);
    return false;
  }
  if (!files_.moveFile(root, target)) {
    // The note stays while the old theme is still aside: the next import puts it back.
    if (files_.moveFile(aside, target)) files_.removeFile(note);
    return false;
  }
  files_.removeFile(note);
  files_.deleteFolder(aside);
  return true;
}

std::string LibraryImport::putBackSetAside() {
  const char sep = files_.separator();
  const std::string note = library_ + sep + kReplacingNote;
  Bytes text = files_.readFile(note);
  std::size_t first = text.find('\n');
  std::size_t second = first == std::string::npos ? first : text.find('\n', first + 1);
  if (second != std::string::npos) {
    std::string name = text.substr(0, first), asideName = text.substr(first + 1, second - first - 1);
    const std::string target = library_ + sep + name, aside = library_ + sep + asideName;
    bool sound =
        isPlainName(name) && !isWorkName(name) && isPlainName(asideName) && asideName.rfind(kAsidePrefix, 0) == 0;
    if (sound && files_.entryKind(target) == EntryKind::Missing && files_.entryKind(aside) == EntryKind::Folder &&
        !files_.moveFile(aside, target)) {
      return asideName;  // kept, with its note, for a later import
    }
  }
  files_.removeFile(note);
  return {};
}

void LibraryImport::clearLeftovers(const std::string& keptAside) {
  const char sep = files_.separator();
  std::optional<std::vector<FolderEntry>> entries = files_.folderEntries(library_);
  for (const FolderEntry& e : entries ? *entries : std::vector<FolderEntry>{}) {
    const std::string path = library_ + sep + e.name;
    if (isWorkName(e.name)) {
      if (e.name == kLibraryLockName) continue;
      if (!keptAside.empty() && (e.name == keptAside || e.name == kReplacingNote)) continue;
      if (e.kind == EntryKind::Folder) {
        files_.deleteFolder(path);
      } else {
        files_.removeFile(path);
      }
    } else if (e.kind == EntryKind::Folder) {
      clearTemporaryFiles(path, 0);
    }
  }
}

void LibraryImport::clearTemporaryFiles(const std::string& folder, std::size_t depth) {
  std::optional<std::vector<FolderEntry>> entries = files_.folderEntries(folder);
  for (const FolderEntry& e : entries ? *entries : std::vector<FolderEntry>{}) {
    const std::string path = folder + files_.separator() + e.name;
    if (e.kind == EntryKind::File && isTemporaryName(e.name)) files_.removeFile(path);
    if (e.kind == EntryKind::Folder && depth < kImportMaxDepth) clearTemporaryFiles(path, depth + 1);
  }
}

}  // namespace lumaset
