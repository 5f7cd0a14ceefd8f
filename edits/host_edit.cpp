#include "edits/host_edit.h"

#include <algorithm>

#include "formats/path_text.h"
#include "formats/work_names.h"

namespace lumaset {
namespace {

// The folder itself, or the nearest folder above it that exists: where the edit would
// make it. A drive's root keeps its separator ("E:" alone names the drive's current folder).
std::string existingFolderFor(Files& files, std::string folder) {
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

std::unique_ptr<HostEdit> HostEdit::begin(Files& files, const HostEditPaths& paths, EditRefusal& refusal,
                                          std::string& refusedFile) {
  refusal = EditRefusal::None;
  std::unique_ptr<FileLock> beside, shared;
  const LockResult besideResult = files.lockFile(paths.lockFile, beside);
  const LockResult sharedResult =
      besideResult == LockResult::HeldElsewhere ? LockResult::Failed : files.lockFile(paths.sharedLockFile, shared);
  if (besideResult == LockResult::HeldElsewhere || sharedResult == LockResult::HeldElsewhere) {
    refusal = EditRefusal::Locked;
    return nullptr;
  }
  if (!beside && !shared) {
    refusal = EditRefusal::NoLock;
    refusedFile = paths.lockFile;
    return nullptr;
  }
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
  std::unique_ptr<HostEdit> edit(new HostEdit(files, std::move(beside), std::move(shared)));
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
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  }
  for (const std::string& folder : folders) {
    for (const std::string& name : files_.fileNames(folder)) {
      if (isTemporaryName(name) && files_.removeFile(folder + sep + name)) ++leftoversRemoved_;
    }
  }
  // A probe folder that outlived its run would make every later probe fail.
  for (const std::string& folder : paths.probeFolders) {
    if (files_.info(folder).isFolder && files_.deleteFolder(folder)) ++leftoversRemoved_;
  }
}

}  // namespace lumaset
