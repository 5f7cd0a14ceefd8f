#include "backup/create_backup.h"

#include "backup/backup_layout.h"
#include "backup/host_edit_scope.h"
#include "backup/host_record.h"

namespace lumaset {

bool createBackup(Context& ctx) {
  Files& files = ctx.files;
  const std::optional<BackupLayout> settled = settledBackupLayout(ctx);
  if (!settled) return false;
  const BackupLayout& b = *settled;
  HostEditScope scope(ctx, b);
  if (!scope.ok()) return false;
  HostEdit& edit = *ctx.edit;
  auto fail = [&](const std::string& text) {
    ctx.ui.messageBox(text, "错误", MessageIcon::Error);
    return false;
  };

  if (!files.exists(b.iconBackup) && !edit.createFolder(b.iconBackup)) return fail("创建备份文件失败：" + b.iconBackup);

  // Each copy lands under a temporary name first, so a copy that broke off never counts
  // as an existing backup; its hash is taken on the way and goes into the record.
  HostRecord record(ctx, b);
  bool copied = false;
  auto backUp = [&](const std::string& key) {
    std::string sha256;
    if (!edit.copyFileHashed(record.hostPath(key), record.backupPath(key), sha256)) return false;
    record.noteBackedUp(key, sha256);
    copied = true;
    return true;
  };
  for (const char* file : backedUpIconFiles(ctx.state.records.layout)) {
    if (files.exists(b.backupFile(file))) continue;
    if (!backUp(file)) return fail("创建备份文件失败：" + b.backupFile(file));
  }

  if (!files.exists(b.languageBackup) && !edit.createFolder(b.languageBackup))
    return fail("_创建备份_创建语言路径_失败：" + b.languageBackup);
  if (!files.exists(b.languageBackupCopy) && !backUp(kLanguageKey))
    return fail("_创建备份_创建语言文件备份失败：" + b.languageFile + "\r\n > \r\n" + b.languageBackupCopy);
  if (copied && !record.save()) return false;

  if (!edit.createFolder(b.probe)) {
    ctx.ui.messageBox("没有目录权限02", "错误", MessageIcon::None);
    return false;
  }
  if (!edit.deleteFolder(b.probe)) {
    ctx.ui.messageBox("没有目录权限01", "错误", MessageIcon::None);
    return false;
  }
  return true;
}

}  // namespace lumaset
