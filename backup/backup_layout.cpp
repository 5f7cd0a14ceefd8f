#include "backup/backup_layout.h"

#include "formats/path_text.h"
#include "iconstore/index_format.h"
#include "run/host_location.h"
#include "run/host_paths.h"

namespace lumaset {

std::string BackupLayout::hostFile(const std::string& name) const {
  auto link = linkTargets.find(name);
  return link != linkTargets.end() ? link->second : resources + sep + name;
}

std::string BackupLayout::hostPath(const std::string& key) const {
  if (key != kLanguageKey) return hostFile(key);
  auto link = linkTargets.find(key);
  return link != linkTargets.end() ? link->second : languageFile;
}

std::string BackupLayout::backupPath(const std::string& key) const {
  return key == kLanguageKey ? languageBackupCopy : backupFile(key);
}

std::string BackupLayout::secondCopyPath(const std::string& key) const {
  if (key == kLanguageKey) return languageAbsent ? std::string() : iconBackup + sep + languageFileName;
  if (key == kIndexFile) return languageBackup + sep + kIndexFile;
  return {};
}

std::string BackupLayout::oldBackupPath(const std::string& key) const {
  if (key == kLanguageKey) return languageAbsent ? std::string() : languageBackupOld + sep + languageFileName;
  return iconBackupOld + sep + key;
}

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
  b.languageAbsent = st.languageAbsent();
  if (!b.languageAbsent) {
    b.languageFile = withTrailingSeparator(st.languageFolder, sep) + st.languageFileName;
    b.languageBackupCopy = b.languageBackup + sep + st.languageFileName;
    b.languageFileName = st.languageFileName;
    b.languageGone = languageFileGone(ctx);
    b.languageAbsent = b.languageGone;
  }
  return b;
}

bool languageFileGone(const Context& ctx) {
  return !ctx.state.languageAbsent() && !ctx.state.hostFolder.empty() && !ctx.files.exists(ctx.state.languageFolder);
}

std::string backupIndexPath(const Context& ctx) { return backupLayout(ctx).backupFile(kIndexFile); }

std::vector<const char*> backedUpIconFiles(IndexLayout layout) {
  if (layout == IndexLayout::TwoPack) return {kIndexFile, kHighResPack, kLowResPack};
  return {kIndexFile, kHighResPack, kLowResPack, kXHighResPack, kXLowResPack};
}

std::optional<BackupLayout> settledBackupLayout(Context& ctx, Outcome& out) {
  if (hostPathsSettled(ctx.state, ctx.sep())) return backupLayout(ctx);
  out.refuse(MessageId::HostPathWrong, ctx.state.hostFolder);
  return std::nullopt;
}

}  // namespace lumaset
