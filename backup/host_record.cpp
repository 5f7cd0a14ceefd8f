#include "backup/host_record.h"

#include "edits/host_edit.h"

namespace lumaset {
namespace {

std::string recordPath(const BackupLayout& b) { return b.iconBackup + b.sep + "lumaset.record"; }

}  // namespace

std::vector<std::string> recordKeys(const RunState& state) {
  std::vector<std::string> keys;
  for (const char* file : backedUpIconFiles(state.records.layout)) keys.push_back(file);
  keys.push_back(kLanguageKey);
  return keys;
}

HostRecord::HostRecord(Context& ctx, const BackupLayout& b) : ctx_(ctx), b_(b) {
  if (std::optional<BackupRecord> loaded = parseRecord(ctx.files.readFile(recordPath(b)))) {
    record_ = std::move(*loaded);
    found_ = true;
  }
}

std::string HostRecord::hostPath(const std::string& key) const {
  return key == kLanguageKey ? b_.languageFile : b_.hostFile(key);
}

std::string HostRecord::backupPath(const std::string& key) const {
  return key == kLanguageKey ? b_.languageBackupCopy : b_.backupFile(key);
}

std::string HostRecord::hostVersion() { return ctx_.files.productVersion(ctx_.state.hostFolder + "Photoshop.exe"); }

const BackedUpFile* HostRecord::backup(const std::string& key) const {
  auto it = record_.backups.find(key);
  return it == record_.backups.end() ? nullptr : &it->second;
}

const HostFileMark* HostRecord::mark(const std::string& key) const {
  auto it = record_.host.find(key);
  return it == record_.host.end() ? nullptr : &it->second;
}

HostFileState HostRecord::state(const std::string& key) {
  auto frozen = frozen_.find(key);
  if (frozen != frozen_.end()) return frozen->second;
  return hostFileState(ctx_.files, hostPath(key), found_ ? mark(key) : nullptr);
}

bool HostRecord::changedByOthers(const std::vector<std::string>& keys) {
  if (!found_) return false;
  if (!record_.productVersion.empty() && record_.productVersion != hostVersion()) return true;
  for (const std::string& key : keys) {
    if (state(key) == HostFileState::Foreign) return true;
  }
  return false;
}

bool HostRecord::anyAsLeft(const std::vector<std::string>& keys) {
  for (const std::string& key : keys) {
    if (state(key) == HostFileState::AsLeft) return true;
  }
  return false;
}

void HostRecord::markPending(const std::vector<std::string>& keys) {
  for (const std::string& key : keys) record_.host[key].pending = true;
}

void HostRecord::noteRestored(const std::string& key, const std::string& sha256) {
  frozen_.erase(key);
  HostFileMark& m = record_.host[key];
  m = HostFileMark{};
  m.pristine = ctx_.files.identity(hostPath(key));
  BackedUpFile& backup = record_.backups[key];
  if (!sha256.empty() || backup.sha256.empty()) backup = {ctx_.files.info(backupPath(key)).size, sha256};
}

void HostRecord::noteChanged(const std::string& key) {
  frozen_.erase(key);
  HostFileMark& m = record_.host[key];
  std::optional<FileIdentity> now = ctx_.files.identity(hostPath(key));
  m.pending = false;
  if (now && m.pristine && *now == *m.pristine) return;  // not changed after all
  m.left = now;
  m.baseSize = ctx_.files.info(backupPath(key)).size;
  m.appendedSha256 = tailSha256(ctx_.files, hostPath(key), m.baseSize);
}

void HostRecord::noteBackedUp(const std::string& key, const std::string& sha256) {
  record_.backups[key] = {ctx_.files.info(backupPath(key)).size, sha256};
  HostFileMark& m = record_.host[key];
  m = HostFileMark{};
  m.pristine = ctx_.files.identity(hostPath(key));
}

bool HostRecord::save() {
  if (deferred_) return true;
  if (!ctx_.files.info(b_.iconBackup).isFolder) return true;  // no backup, nothing to record of it
  if (record_.productVersion.empty()) record_.productVersion = hostVersion();
  found_ = true;
  if (ctx_.edit && ctx_.edit->writeFile(recordPath(b_), serialiseRecord(record_))) return true;
  ctx_.ui.messageBox("写入文件失败：" + recordPath(b_), "错误", MessageIcon::Error);
  return false;
}

RecordBatch::RecordBatch(Context& ctx, const BackupLayout& b, const std::vector<std::string>& keys)
    : ctx_(ctx), record_(ctx, b) {
  if (ctx.record) return;  // an outer batch holds the record
  for (const std::string& key : keys) record_.frozen_[key] = record_.state(key);
  record_.markPending(keys);
  ok_ = record_.save();
  record_.deferred_ = true;
  ctx.record = &record_;
}

RecordBatch::~RecordBatch() {
  if (ctx_.record != &record_) return;
  ctx_.record = nullptr;
  record_.deferred_ = false;
  record_.frozen_.clear();
  if (ok_) record_.save();
}

RecordInUse::RecordInUse(Context& ctx, const BackupLayout& b) : shared_(ctx.record) {
  if (!shared_) own_.emplace(ctx, b);
}

}  // namespace lumaset
