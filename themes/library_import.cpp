#include "themes/library_import.h"

#include <random>
#include <thread>

#include "formats/windows_names.h"
#include "themes/folder_copy.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

constexpr const char* kStagingPrefix = ".lumaset-import-";
constexpr const char* kAsidePrefix = ".lumaset-aside-";

LockResult waitForLock(Files& files, const std::string& path, std::chrono::milliseconds patience,
                       std::unique_ptr<FileLock>& lock) {
  const auto until = std::chrono::steady_clock::now() + patience;
  for (;;) {
    LockResult result = files.lockFile(path, lock);
    if (result != LockResult::HeldElsewhere || std::chrono::steady_clock::now() >= until) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
}

}  // namespace

LibraryImport::LibraryImport(Files& files, std::string library, std::unique_ptr<FileLock> lock)
    : files_(files), library_(std::move(library)), lock_(std::move(lock)) {}

LibraryImport::Opened LibraryImport::open(Files& files, const std::string& library, std::chrono::milliseconds patience,
                                          std::unique_ptr<LibraryImport>& out) {
  EntryKind kind = files.entryKind(library);
  // Another import may make the library at the same moment.
  if (kind == EntryKind::Missing && !files.createFolder(library)) kind = files.entryKind(library);
  if (kind == EntryKind::Missing) return Opened::Failed;
  if (kind != EntryKind::Missing && kind != EntryKind::Folder && kind != EntryKind::Link) return Opened::Failed;
  std::unique_ptr<FileLock> lock;
  LockResult taken = waitForLock(files, library + files.separator() + kLibraryLockName, patience, lock);
  if (taken == LockResult::HeldElsewhere) return Opened::Busy;
  if (taken != LockResult::Taken) return Opened::Failed;
  out.reset(new LibraryImport(files, library, std::move(lock)));
  out->putBackSetAside();
  out->clearLeftovers();
  return Opened::Ready;
}

std::string LibraryImport::uniqueName(const std::string& prefix) {
  std::random_device random;
  std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "%06x%02x", digits(random), (counter_++) & 0xFF);
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
    files_.moveFile(aside, target);
    files_.removeFile(note);
    return false;
  }
  files_.removeFile(note);
  files_.deleteFolder(aside);
  return true;
}

void LibraryImport::putBackSetAside() {
  const char sep = files_.separator();
  const std::string note = library_ + sep + kReplacingNote;
  Bytes text = files_.readFile(note);
  std::size_t first = text.find('\n');
  std::size_t second = first == std::string::npos ? first : text.find('\n', first + 1);
  if (second != std::string::npos) {
    std::string name = text.substr(0, first), asideName = text.substr(first + 1, second - first - 1);
    const std::string target = library_ + sep + name, aside = library_ + sep + asideName;
    bool sound = isPlainName(name) && !isWorkFolderName(name) && isPlainName(asideName) &&
                 asideName.rfind(kAsidePrefix, 0) == 0;
    if (sound && files_.entryKind(target) == EntryKind::Missing && files_.entryKind(aside) == EntryKind::Folder) {
      files_.moveFile(aside, target);
    }
  }
  files_.removeFile(note);
}

void LibraryImport::clearLeftovers() {
  const char sep = files_.separator();
  std::optional<std::vector<FolderEntry>> entries = files_.folderEntries(library_);
  for (const FolderEntry& e : entries ? *entries : std::vector<FolderEntry>{}) {
    const std::string path = library_ + sep + e.name;
    if (isWorkFolderName(e.name)) {
      if (e.name == kLibraryLockName) continue;
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
    if (e.kind == EntryKind::File && isTemporaryFileName(e.name)) files_.removeFile(path);
    if (e.kind == EntryKind::Folder && depth < kImportMaxDepth) clearTemporaryFiles(path, depth + 1);
  }
}

}  // namespace lumaset
