#include "backup/refresh_backup.h"

#include "backup/backup_layout.h"
#include "backup/host_edit_scope.h"

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

}  // namespace

void refreshBackup(Context& ctx) {
  const std::optional<BackupLayout> settled = settledBackupLayout(ctx);
  if (!settled) return;
  const BackupLayout& b = *settled;
  HostEditScope scope(ctx, b);
  if (!scope.ok()) return;
  renewFolder(ctx, b.iconBackup, b.iconBackupOld);
  // Every icon file, whatever the layout: a host without the extra packs has the message.
  for (const char* file : backedUpIconFiles(IndexLayout::FourPack)) {
    if (!ctx.edit->copyFile(b.hostFile(file), b.backupFile(file))) report(ctx, b.backupFile(file));
  }
  renewFolder(ctx, b.languageBackup, b.languageBackupOld);
  if (!ctx.edit->copyFile(b.languageFile, b.languageBackupCopy)) report(ctx, b.languageBackupCopy);
}

}  // namespace lumaset
