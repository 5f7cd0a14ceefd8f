#include "backup/backup_layout.h"

#include "app/paths.h"

namespace lumaset {

BackupLayout backupLayout(const Context& ctx) {
  const char sep = ctx.sep();
  const RunState& st = ctx.state;
  BackupLayout b;
  b.sep = sep;
  b.resources = resourcesFolder(st.hostFolder, sep);
  b.iconBackup = b.resources + sep + "lumaset_BAK";
  b.iconBackupOld = b.resources + sep + "lumaset_BAK_old";
  b.probe = b.iconBackup + sep + "TEST";
  b.languageBackup = st.languageBackupFolder + sep + "lumaset_BAK";
  b.languageBackupOld = st.languageBackupFolder + sep + "lumaset_BAK_old";
  b.languageFile = withTrailingSeparator(st.languageFolder, sep) + st.languageFileName;
  b.languageBackupCopy = b.languageBackup + sep + st.languageFileName;
  return b;
}

}  // namespace lumaset
