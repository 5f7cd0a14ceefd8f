#include "backup/restore.h"

#include "backup/backup_layout.h"
#include "backup/host_edit_scope.h"
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
  DecodedIndex decoded = decodeIndex(ctx.files.readFile(b.backupFile(kIndexFile)));
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
  // The backed-up index goes back first: it names only the packs' backed-up bytes, and
  // every pack still begins with those, since packs only ever grow at their end. Cutting
  // a pack back before the index would leave the index naming bytes that are gone.
  if (!ctx.edit->copyFile(b.backupFile(kIndexFile), b.hostFile(kIndexFile))) {
    ctx.ui.messageBox("重置文件错误：" + b.backupFile(kIndexFile), "错误", MessageIcon::Error);
    return false;
  }
  const std::vector<const char*> files = backedUpIconFiles(ctx.state.records.layout);
  bool allCopied = true;
  for (auto pack = files.rbegin(); pack + 1 != files.rend(); ++pack) {
    const char* file = *pack;
    if (ctx.edit->copyFile(b.backupFile(file), b.hostFile(file))) continue;
    ctx.ui.messageBox("重置文件错误：" + b.backupFile(file), "错误", MessageIcon::Error);
    allCopied = false;
    if (policy == CopyBackPolicy::StopAtFirstFailure) return false;
  }
  return allCopied;
}

bool copyBackLanguageFile(Context& ctx) {
  const std::optional<BackupLayout> settled = settledBackupLayout(ctx);
  if (!settled) return false;
  const BackupLayout& b = *settled;
  HostEditScope scope(ctx, b);
  if (!scope.ok()) return false;
  if (ctx.edit->copyFile(b.languageBackupCopy, b.languageFile)) return true;
  ctx.ui.messageBox("重置文件错误：" + b.languageBackupCopy, "错误", MessageIcon::Error);
  return false;
}

bool restoreDefaults(Context& ctx) {
  bool icons = copyBackIconFiles(ctx, CopyBackPolicy::KeepGoing);
  bool language = copyBackLanguageFile(ctx);
  return icons && language;
}

}  // namespace lumaset
