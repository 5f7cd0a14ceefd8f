#include "backup/create_backup.h"

#include "run/index_reading.h"
#include "backup/backup_copies.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"

namespace lumaset {

std::string damagedHostIndexMessage(EditSession& s, const std::map<std::string, bool>& fromBackup) {
  const BackupLayout& b = s.layout();
  auto source = [&](const std::string& key) {
    auto found = fromBackup.find(key);
    return found != fromBackup.end() && found->second ? b.backupFile(key) : b.hostFile(key);
  };
  auto decodedAt = [&](const std::string& path) {
    std::optional<Bytes> bytes = readIndexFile(s.files(), path);
    return bytes ? decodeIndex(*bytes) : DecodedIndex{IndexProblem::Empty, {}, 0};
  };
  const DecodedIndex decoded = decodedAt(source(kIndexFile));
  // A refresh holds the result against the backup it renews: what is past its pack there
  // already is the host's own; anything new past a pack is damage.
  const DecodedIndex previous = fromBackup.empty() ? DecodedIndex{IndexProblem::Empty, {}, 0}
                                                   : decodedAt(b.backupFile(kIndexFile));
  bool sound = decoded.problem == IndexProblem::None;
  for (int slot = 0; sound && slot < packSlotCount(decoded.table.layout); ++slot) {
    const auto packSlot = static_cast<PackSlot>(slot);
    const FileInfo pack = s.files().info(source(packSlotFile(packSlot)));
    const std::uint64_t size = pack.exists ? pack.size : 0;
    if (previous.problem != IndexProblem::None) {
      sound = !changedRecordPastPack(decoded.table, packSlot, size);
    } else {
      const FileInfo before = s.files().info(b.backupFile(packSlotFile(packSlot)));
      sound = !newRecordPastPack(decoded.table, packSlot, size, {previous.table, before.exists ? before.size : 0});
    }
  }
  if (sound) return {};
  return "Photoshop 自己的图标索引文件已损坏（无法读取，或指向图片包里没有的数据），未作任何修改：" +
         b.hostFile(kIndexFile) + "\r\n请修复或重新安装 Photoshop。";
}

bool createBackup(EditSession& s) {
  Files& files = s.files();
  const BackupLayout& b = s.layout();
  auto fail = [&](const std::string& text) {
    s.showError(text);
    return false;
  };
  if (!files.exists(b.backupFile(kIndexFile))) {
    const std::string damaged = damagedHostIndexMessage(s, {});
    if (!damaged.empty()) return fail(damaged);
  }
  if (!files.exists(b.iconBackup) && !s.edit().createFolder(b.iconBackup)) return fail("创建备份文件失败：" + b.iconBackup);

  bool copied = false;
  for (const std::string& key : s.iconKeys()) {
    if (files.exists(b.backupFile(key))) continue;
    if (!backUpHostFile(s, key)) return fail("创建备份文件失败：" + b.backupFile(key));
    copied = true;
  }
  if (!files.exists(b.languageBackup) && !s.edit().createFolder(b.languageBackup))
    return fail("_创建备份_创建语言路径_失败：" + b.languageBackup);
  if (!b.languageAbsent && !files.exists(b.languageBackupCopy)) {
    if (!backUpHostFile(s, kLanguageKey))
      return fail("_创建备份_创建语言文件备份失败：" + b.languageFile + "\r\n > \r\n" + b.languageBackupCopy);
    copied = true;
  }
  for (const std::string& key : s.keys()) {
    if (!writeSecondCopy(s, key)) return fail("创建备份文件失败：" + b.secondCopyPath(key));
  }
  if (copied) s.record().setProductVersion(files.productVersion(s.ctx().state.hostFolder + "Photoshop.exe"));
  if (s.record().dirty() && !s.saveRecord()) return false;

  if (!s.edit().createFolder(b.probe)) {
    s.ui().messageBox("没有目录权限02", "错误", MessageIcon::None);
    return false;
  }
  if (!s.edit().deleteFolder(b.probe)) {
    s.ui().messageBox("没有目录权限01", "错误", MessageIcon::None);
    return false;
  }
  return true;
}

bool createBackup(Context& ctx) {
  std::unique_ptr<EditSession> session = EditSession::open(ctx);
  if (!session) return false;
  const std::vector<std::string> lost = mendBackupCopies(*session);
  if (lost.empty()) return createBackup(*session);
  session->showError(unmendableCopyMessage(session->layout().backupPath(lost.front())));
  return false;
}

}  // namespace lumaset
