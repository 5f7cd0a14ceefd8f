#include "backup/restore.h"

#include <map>

#include "app/index_reading.h"
#include "backup/backup_layout.h"
#include "backup/host_edit_scope.h"
#include "backup/host_record.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"

namespace lumaset {
namespace {

// The backed-up index goes back before the packs and then stands for them on disk, so it
// must decode, name the three images the program changes, and name only bytes that the
// backed-up packs hold. A backed-up pack that
// is missing is never copied back: the host's own pack, which begins with the same
// bytes, stays.
bool backupIndexFitsItsPacks(Context& ctx, const BackupLayout& b) {
  std::optional<Bytes> bytes = readIndexFile(ctx.files, b.backupFile(kIndexFile));
  if (!bytes) return false;
  DecodedIndex decoded = decodeIndex(*bytes);
  if (decoded.problem != IndexProblem::None) return false;
  for (const char* resource : {kSplashResource, kDarkIconResource, kLightIconResource}) {
    if (findRecord(decoded.table, resource) == 0) return false;
  }
  for (int s = 0; s < packSlotCount(decoded.table.layout); ++s) {
    const auto slot = static_cast<PackSlot>(s);
    FileInfo pack = ctx.files.info(b.backupFile(packSlotFile(slot)));
    if (pack.exists && firstRecordPastPack(decoded.table, slot, pack.size)) return false;
  }
  return true;
}

}  // namespace

bool putBack(Context& ctx, HostRecord& record, const std::string& key, HostFileState state) {
  const std::string host = record.hostPath(key), backup = record.backupPath(key);
  const BackedUpFile* known = record.backup(key);
  // A backed-up file that is missing, or not of its recorded size, is never taken as the
  // host's: the copy below then reports it.
  const FileInfo copy = ctx.files.info(backup);
  const bool backupSound = copy.exists && (!known || known->size == copy.size);
  if (state == HostFileState::Untouched && backupSound) {
    record.noteRestored(key);
    return true;
  }
  const HostFileMark* mark = record.mark(key);
  if (state == HostFileState::AsLeft && backupSound && key != kIndexFile && mark && copy.size == mark->baseSize) {
    if (!ctx.edit->truncateFile(host, mark->baseSize)) return false;
    record.noteRestored(key);
    return true;
  }
  // The fastest copy: where the record lacks the backup's hash, a refresh learns it.
  bool copied = ctx.edit->copyFile(backup, host);
  if (copied) record.noteRestored(key);
  return copied;
}

bool copyBackIconFiles(Context& ctx, CopyBackPolicy policy) {
  const std::optional<BackupLayout> settled = settledBackupLayout(ctx);
  if (!settled) return false;
  const BackupLayout& b = *settled;
  HostEditScope scope(ctx, b);
  if (!scope.ok()) return false;
  if (!backupIndexFitsItsPacks(ctx, b)) {
    ctx.ui.messageBox("备份的索引文件无法读取或已损坏，未作任何修改：" + b.backupFile(kIndexFile), "错误",
                      MessageIcon::Error);
    return false;
  }
  RecordInUse inUse(ctx, b);
  HostRecord& record = *inUse;
  const std::vector<const char*> files = backedUpIconFiles(ctx.state.records.layout);
  std::map<std::string, HostFileState> states;
  for (const char* file : files) states[file] = record.state(file);
  record.markPending(std::vector<std::string>(files.begin(), files.end()));
  if (!record.save()) return false;
  // The backed-up index goes back first: it names only the packs' backed-up bytes, and
  // every pack still begins with those, since packs only ever grow at their end. Cutting
  // a pack back before the index would leave the index naming bytes that are gone.
  if (!putBack(ctx, record, kIndexFile, states[kIndexFile])) {
    ctx.ui.messageBox("重置文件错误：" + b.backupFile(kIndexFile), "错误", MessageIcon::Error);
    record.save();
    return false;
  }
  bool allCopied = true;
  for (auto pack = files.rbegin(); pack + 1 != files.rend(); ++pack) {
    if (putBack(ctx, record, *pack, states[*pack])) continue;
    ctx.ui.messageBox("重置文件错误：" + b.backupFile(*pack), "错误", MessageIcon::Error);
    allCopied = false;
    if (policy == CopyBackPolicy::StopAtFirstFailure) break;
  }
  return record.save() && allCopied;
}

bool copyBackLanguageFile(Context& ctx) {
  const std::optional<BackupLayout> settled = settledBackupLayout(ctx);
  if (!settled) return false;
  const BackupLayout& b = *settled;
  HostEditScope scope(ctx, b);
  if (!scope.ok()) return false;
  RecordInUse inUse(ctx, b);
  HostRecord& record = *inUse;
  record.markPending({kLanguageKey});
  if (!record.save()) return false;
  if (putBack(ctx, record, kLanguageKey, HostFileState::Unknown)) return record.save();
  ctx.ui.messageBox("重置文件错误：" + b.languageBackupCopy, "错误", MessageIcon::Error);
  return false;
}

bool restoreDefaults(Context& ctx) {
  bool icons = copyBackIconFiles(ctx, CopyBackPolicy::KeepGoing);
  bool language = copyBackLanguageFile(ctx);
  return icons && language;
}

}  // namespace lumaset
