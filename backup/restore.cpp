#include "backup/restore.h"

#include "backup/backup_layout.h"
#include "iconstore/index_format.h"

namespace lumaset {

bool copyBackIconFiles(Context& ctx, CopyBackPolicy policy) {
  const BackupLayout b = backupLayout(ctx);
  bool fourPack = ctx.state.records.layout == IndexLayout::FourPack;
  bool allCopied = true;
  for (const char* file : {kXLowResPack, kXHighResPack, kLowResPack, kHighResPack, kIndexFile}) {
    bool extraPack = std::string(file) == kXLowResPack || std::string(file) == kXHighResPack;
    if (extraPack && !fourPack) continue;
    if (ctx.files.copyFile(b.backupFile(file), b.hostFile(file))) continue;
    ctx.ui.messageBox("重置文件错误：" + b.backupFile(file), "错误", MessageIcon::Error);
    allCopied = false;
    if (policy == CopyBackPolicy::StopAtFirstFailure) return false;
  }
  return allCopied;
}

bool copyBackLanguageFile(Context& ctx) {
  const BackupLayout b = backupLayout(ctx);
  if (ctx.files.copyFile(b.languageBackupCopy, b.languageFile)) return true;
  ctx.ui.messageBox("重置文件错误：" + b.languageBackupCopy, "错误", MessageIcon::Error);
  return false;
}

bool restoreDefaults(Context& ctx) {
  bool icons = copyBackIconFiles(ctx, CopyBackPolicy::KeepGoing);
  bool language = copyBackLanguageFile(ctx);
  return icons && language;
}

}  // namespace lumaset
