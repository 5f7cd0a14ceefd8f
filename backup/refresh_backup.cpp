#include "backup/refresh_backup.h"

#include <algorithm>

#include "backup/backup_layout.h"
#include "backup/host_edit_scope.h"
#include "backup/host_record.h"
#include "backup/restore.h"
#include "formats/startup_text_marker.h"

namespace lumaset {
namespace {

void report(Context& ctx, const std::string& path) {
  ctx.ui.messageBox("_更新备份_创建备份文件失败：" + path, "错误", MessageIcon::Error);
}

// Sets an existing backup folder aside (or, once a previous one exists, drops it) and
// makes it anew.
void renewFolder(Context& ctx, const std::string& folder, const std::string& old) {
  if (!ctx.files.exists(folder)) return;
  ctx.edit->moveFile(folder, old);
  ctx.edit->deleteFolder(folder);
  if (!ctx.edit->createFolder(folder)) report(ctx, folder);
}

// A backup renewed from files that carry a theme would lose the host's own files for
// good. On a host that only the program changed, the files that are exactly as an apply
// left them get their backed-up bytes back first (packs are cut back, after the index);
// a language file that carries the program's block without the record to prove it stops
// the refresh before anything changes.
bool putDefaultsBackFirst(Context& ctx, const BackupLayout& b) {
  HostRecord record(ctx, b);
  std::vector<std::string> themed;
  for (const std::string& key : recordKeys(ctx.state)) {
    if (record.state(key) == HostFileState::AsLeft) themed.push_back(key);
  }
  const bool languageProven = std::find(themed.begin(), themed.end(), kLanguageKey) != themed.end();
  if (!languageProven && carriesStartupTextMarker(ctx.files.readFile(b.languageFile))) {
    ctx.ui.messageBox(
        "Photoshop 的文件仍是应用主题后的样子，用它们更新备份会丢失原版文件。请先选择“[默认]”并应用，再点“备份”。",
        "错误", MessageIcon::Error);
    return false;
  }
  // A host that someone else changed is taken as it is: the way out after an update.
  // Cutting back some of its files while others are foreign could leave an index that
  // names bytes which are gone.
  if (themed.empty() || record.changedByOthers(recordKeys(ctx.state))) return true;
  record.markPending(themed);
  if (!record.save()) return false;
  for (const std::string& key : themed) {
    if (!putBack(ctx, record, key, HostFileState::AsLeft)) {
      ctx.ui.messageBox("重置文件错误：" + record.backupPath(key), "错误", MessageIcon::Error);
      record.save();
      return false;
    }
  }
  return record.save();
}

}  // namespace

void refreshBackup(Context& ctx) {
  const std::optional<BackupLayout> settled = settledBackupLayout(ctx);
  if (!settled) return;
  const BackupLayout& b = *settled;
  HostEditScope scope(ctx, b);
  if (!scope.ok() || !putDefaultsBackFirst(ctx, b)) return;
  renewFolder(ctx, b.iconBackup, b.iconBackupOld);
  HostRecord record(ctx, b);  // a new one: the old went aside with its folder
  bool copied = false;
  auto backUp = [&](const std::string& key) {
    std::string sha256;
    if (!ctx.edit->copyFileHashed(record.hostPath(key), record.backupPath(key), sha256)) return false;
    record.noteBackedUp(key, sha256);
    copied = true;
    return true;
  };
  // Every icon file, whatever the layout: a host without the extra packs has the message.
  for (const char* file : backedUpIconFiles(IndexLayout::FourPack)) {
    if (!backUp(file)) report(ctx, b.backupFile(file));
  }
  renewFolder(ctx, b.languageBackup, b.languageBackupOld);
  if (!backUp(kLanguageKey)) report(ctx, b.languageBackupCopy);
  if (copied) record.save();
}

}  // namespace lumaset
