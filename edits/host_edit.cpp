#include "edits/host_edit.h"

#include <algorithm>
#include <set>

#include "formats/path_text.h"
#include "formats/work_names.h"

namespace lumaset {
namespace {

// The folder itself, or the nearest folder above it that exists: where the edit would
// make it. A drive's root keeps its separator ("E:" alone names the drive's current folder).
std::string existingFolderFor(SystemReading& files, std::string folder) {
  const char sep = files.separator();
  while (!folder.empty() && !files.info(folder).isFolder) {
    std::string parent = folderOf(folder, separatorsFor(sep));
    if (sep == '\\' && parent.size() == 2 && parent[1] == ':') parent += sep;
    if (parent.empty() || parent.size() >= folder.size()) return {};
    folder = parent;
  }
  return folder;
}

// The first folder or file the edit would change but this process may not, or nothing.
std::optional<std::string> withoutRights(Files& files, const HostEditPaths& paths) {
  for (const std::string& folder : paths.changedFolders) {
    const std::string existing = existingFolderFor(files, folder);
    if (!existing.empty() && !files.mayChange(existing)) return existing;
  }
  for (const std::string& file : paths.changedFiles) {
    if (files.entryKind(file) == EntryKind::File && !files.mayChange(file)) return file;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> HostEdit::lockFiles(SystemReading& files, const HostEditPaths& paths) {
  const char sep = files.separator();
  std::vector<std::string> folders;
  std::set<std::string> seen;
  for (const std::string& changed : paths.changedFolders) {
    const std::string existing = existingFolderFor(files, changed);
    if (existing.empty()) continue;
    const std::string folder = files.canonicalPath(existing);
    // Windows does not tell folders apart by letter case.
    const std::string key = sep == '\\' ? asciiLower(folder) : folder;
    if (seen.insert(key).second) folders.push_back(folder);
  }
  // One order for every run, so that of two runs that meet, one gets all its locks.
  std::sort(folders.begin(), folders.end());
  std::vector<std::string> locks;
  for (const std::string& folder : folders)
    locks.push_back(folder + (folder.empty() || folder.back() == sep ? "" : std::string(1, sep)) + kHostLockName);
  return locks;
}

std::unique_ptr<HostEdit> HostEdit::begin(EditAccess access, const HostEditPaths& paths, EditRefusal& refusal,
                                          std::string& refusedFile) {
  Files& files = access.files_;
  refusal = EditRefusal::None;
  std::vector<std::unique_ptr<FileLock>> locks;
  // A lock that cannot be made is told only after the host's refusals and the rights:
  // a process without the rights to a folder cannot make its lock either.
  std::optional<std::string> unmade;
  const std::vector<std::string> lockPaths = lockFiles(files, paths);
  for (const std::string& path : lockPaths) {
    std::unique_ptr<FileLock> lock;
    const LockResult result = files.lockFile(path, lock);
    if (result == LockResult::HeldElsewhere) {
      refusal = EditRefusal::Locked;
      return nullptr;
    }
    if (result == LockResult::Taken) locks.push_back(std::move(lock));
    if (result == LockResult::Failed && !unmade) unmade = path;
  }
  if (lockPaths.empty()) unmade = paths.changedFolders.empty() ? std::string() : paths.changedFolders.front();
  if (files.hostInUse(paths.exePath, paths.hostFiles)) {
    refusal = EditRefusal::HostRunning;
    return nullptr;
  }
  // A replacement through one name leaves the other names with the old bytes, and a cut
  // back through one cuts them all: a file with more names is not the host's alone.
  for (const std::string& file : paths.hostFiles) {
    if (files.hardLinkCount(file) > 1) {
      refusal = EditRefusal::HardLinked;
      refusedFile = file;
      return nullptr;
    }
  }
  // After the host's own refusals: a running host is told before any question of rights.
  if (std::optional<std::string> denied = withoutRights(files, paths)) {
    refusal = EditRefusal::NoRights;
    refusedFile = *denied;
    return nullptr;
  }
  if (unmade) {
    refusal = EditRefusal::NoLock;
    refusedFile = *unmade;
    return nullptr;
  }
  std::unique_ptr<HostEdit> edit(new HostEdit(files, std::move(locks)));
  edit->removeLeftovers(paths);
  return edit;
}

void HostEdit::removeLeftovers(const HostEditPaths& paths) {
  const char sep = files_.separator();
  // Only the program's temporary names: nothing else in the host's folders is named so.
  // The changed folders hold the rights probes of a run that died before removing them.
  std::vector<std::string> folders = paths.workFolders;
  for (const std::string& changed : paths.changedFolders) {
    const std::string folder = existingFolderFor(files_, changed);
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  }
  for (const std::string& folder : folders) {
    for (const std::string& name : files_.fileNames(folder)) {
      if (isTemporaryName(name)) files_.removeFile(folder + sep + name);
    }
  }
  // A probe folder that outlived its run would make every later probe fail.
  for (const std::string& folder : paths.probeFolders) {
    if (files_.info(folder).isFolder) files_.deleteFolder(folder);
  }
}

}  // namespace lumaset
