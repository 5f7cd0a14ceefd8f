#include "backup/host_record.h"

#include <algorithm>

#include "iconstore/index_format.h"

namespace lumaset {

namespace {

// How many host files a record shows as they were while untouched or as the program left
// them: of two copies that disagree, the one the host's files bear out is the newer,
// whatever its generation says (an old copy put back by hand, or one given a higher
// number).
int filesProven(SystemReading& files, const BackupLayout& b, const BackupRecord& record) {
  int proven = 0;
  for (const auto& [key, mark] : record.host) {
    const HostFileState state = hostFileState(files, b.hostPath(key), &mark);
    proven += state == HostFileState::Untouched || state == HostFileState::AsLeft;
  }
  return proven;
}

}  // namespace

HostRecord::HostRecord(SystemReading& files, const BackupLayout& b) : files_(files), b_(b) {
  int bestProven = -1;
  std::uint64_t highest = 0;
  for (const std::string& path : {b.recordPath(), b.recordSecondCopyPath()}) {
    std::optional<BackupRecord> loaded = parseRecord(files.readFile(path));
    if (!loaded) continue;
    highest = std::max(highest, loaded->generation);
    const int proven = filesProven(files, b, *loaded);
    if (found_ && (proven < bestProven || (proven == bestProven && loaded->generation <= record_.generation))) continue;
    record_ = std::move(*loaded);
    bestProven = proven;
    found_ = true;
  }
  // The next save outnumbers both copies.
  record_.generation = highest;
}

const BackedUpFile* HostRecord::backup(const std::string& key) const {
  auto it = record_.backups.find(key);
  return it == record_.backups.end() || it->second.sha256.empty() ? nullptr : &it->second;
}

const HostFileMark* HostRecord::mark(const std::string& key) const {
  auto it = record_.host.find(key);
  return it == record_.host.end() ? nullptr : &it->second;
}

HostFileState HostRecord::state(const std::string& key) {
  return hostFileState(files_, b_.hostPath(key), found_ ? mark(key) : nullptr);
}

void HostRecord::markPending(const std::vector<std::string>& keys) {
  dirty_ = true;
  for (const std::string& key : keys) record_.host[key].pending = true;
}

void HostRecord::markRenewing(const std::string& key) {
  dirty_ = true;
  record_.backups[key].renewing = true;
  record_.host[key].pending = true;
}

void HostRecord::noteRestored(const std::string& key) {
  dirty_ = true;
  HostFileMark& m = record_.host[key];
  m = HostFileMark{};
  m.pristine = files_.identity(b_.hostPath(key));
}

void HostRecord::noteChanged(const std::string& key) {
  dirty_ = true;
  HostFileMark& m = record_.host[key];
  std::optional<FileIdentity> now = files_.identity(b_.hostPath(key));
  m.pending = false;
  if (now && m.pristine && *now == *m.pristine) return;  // not changed after all
  m.left = now;
  // The index is rewritten whole: its hash stands for it. The others carry an appendix
  // after the backed-up bytes.
  auto known = record_.backups.find(key);
  m.baseSize = key == kIndexFile                ? 0
               : known != record_.backups.end() ? known->second.size
                                                : files_.info(b_.backupPath(key)).size;
  m.appendedSha256 = tailSha256(files_, b_.hostPath(key), m.baseSize);
}

void HostRecord::noteBackedUp(const std::string& key, std::uint64_t size, const std::string& sha256,
                              bool hostCarriesMore) {
  dirty_ = true;
  BackedUpFile& backup = record_.backups[key];
  backup = BackedUpFile{size, sha256, files_.identity(b_.backupPath(key)), false};
  HostFileMark& m = record_.host[key];
  m = HostFileMark{};
  if (hostCarriesMore) {
    noteChanged(key);
  } else {
    m.pristine = files_.identity(b_.hostPath(key));
  }
}

void HostRecord::learnBackup(const std::string& key, std::uint64_t size, const std::string& sha256) {
  dirty_ = true;
  record_.backups[key] = BackedUpFile{size, sha256, files_.identity(b_.backupPath(key)), false};
}

void HostRecord::noteCopyChecked(const std::string& key) {
  dirty_ = true;
  record_.backups[key].identity = files_.identity(b_.backupPath(key));
}

void HostRecord::distrust() {
  dirty_ = true;
  record_.backups.clear();
  record_.host.clear();
  record_.applied = {};
  record_.appliedWith = {};
}

void HostRecord::forget(const std::string& key) {
  dirty_ = true;
  record_.backups.erase(key);
  record_.host.erase(key);
}

void HostRecord::forgetHostFile(const std::string& key) {
  dirty_ = true;
  record_.host.erase(key);
}

std::vector<std::string> HostRecord::backedUpKeys() const {
  std::vector<std::string> keys;
  for (const auto& [key, copy] : record_.backups) keys.push_back(key);
  return keys;
}

void HostRecord::noteApplied(HostLook look, AppliedRequest request) {
  dirty_ = true;
  record_.applied = std::move(look);
  record_.appliedWith = std::move(request);
}

void HostRecord::noteStartupTextToggle(bool toggle) {
  dirty_ = true;
  record_.appliedWith.startupTextToggle = toggle;
}

bool HostRecord::save(HostEdit& edit) {
  ++record_.generation;
  record_.resources = files_.canonicalPath(b_.resources);
  const std::string text = serialiseRecord(record_);
  bool saved = true;
  for (const auto& [folder, path] :
       {std::pair{b_.iconBackup, b_.recordPath()}, std::pair{b_.languageBackup, b_.recordSecondCopyPath()}}) {
    // Without a backup folder there is nothing to record there.
    if (files_.info(folder).isFolder) saved = edit.writeFile(path, text) && saved;
  }
  found_ = found_ || saved;
  dirty_ = dirty_ && !saved;
  return saved;
}

}  // namespace lumaset
