#include "backup/create_backup.h"

#include "backup/backup_copies.h"
#include "backup/host_damage.h"
#include "backup/original_copies.h"
#include "formats/path_text.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {

bool hostIndexDamaged(EditSession& s, const std::map<std::string, bool>& fromBackup) {
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
  const DecodedIndex previous =
      fromBackup.empty() ? DecodedIndex{IndexProblem::Empty, {}, 0} : decodedAt(b.backupFile(kIndexFile));
  bool sound = decoded.problem == IndexProblem::None;
  for (int i = 0; sound && i < packCount(decoded.table.layout); ++i) {
    const auto pack = static_cast<Pack>(i);
    const FileInfo file = s.files().info(source(packFile(pack)));
    const std::uint64_t size = file.exists ? file.size : 0;
    if (previous.problem != IndexProblem::None) {
      sound = !changedRecordPastPack(decoded.table, pack, size);
    } else {
      const FileInfo before = s.files().info(b.backupFile(packFile(pack)));
      sound = !newRecordPastPack(decoded.table, pack, size, {previous.table, before.exists ? before.size : 0});
    }
  }
  if (sound) return false;
  s.out().refuse(MessageId::DamagedHostIndex, b.hostFile(kIndexFile));
  return true;
}

bool createBackup(EditSession& s) {
  SystemReading& files = s.files();
  const BackupLayout& b = s.layout();
  auto fail = [&](MessageId id, const std::string& path, const std::string& detail = {}) {
    s.out().fail(id, path, detail);
    return false;
  };
  if (!files.exists(b.backupFile(kIndexFile))) {
    // The first backup takes the host's files as its originals: only sound ones.
    if (hostIndexDamaged(s, {})) return false;
    if (std::optional<std::string> damaged = damagedHostFile(s)) {
      s.out().refuse(MessageId::DamagedHostFile, b.hostPath(*damaged));
      return false;
    }
    // Nor the program's addition over a copy an earlier backup set aside.
    for (const std::string& key : s.keys()) {
      if (!carriesProgramAddition(s, key)) continue;
      s.out().refuse(MessageId::ThemedNotUpdate, b.hostPath(key));
      return false;
    }
  }
  if (!files.exists(b.iconBackup) && !s.edit().createFolder(b.iconBackup))
    return fail(MessageId::BackupCopyFailed, b.iconBackup);

  bool copied = false;
  for (const std::string& key : s.iconKeys()) {
    if (files.exists(b.backupFile(key))) continue;
    if (!backUpHostFile(s, key)) return fail(MessageId::BackupCopyFailed, b.backupFile(key));
    copied = true;
  }
  // Locales_BAK, then its lumaset_BAK: the first backup makes both, inside the edit.
  for (const std::string& folder : {folderOf(b.languageBackup, separatorsFor(b.sep)), b.languageBackup}) {
    if (!files.exists(folder) && !s.edit().createFolder(folder))
      return fail(MessageId::LanguageBackupFolderCopyFailed, folder);
  }
  if (!b.languageAbsent && !files.exists(b.languageBackupCopy)) {
    if (!backUpHostFile(s, kLanguageKey))
      return fail(MessageId::LanguageBackupCopyFailed, b.languageFile, b.languageBackupCopy);
    copied = true;
  }
  for (const std::string& key : s.keys()) {
    if (!writeSecondCopy(s, key)) return fail(MessageId::BackupCopyFailed, b.secondCopyPath(key));
  }
  if (copied) s.record().setProductVersion(files.productVersion(s.ctx().state.hostFolder + "Photoshop.exe"));
  if (s.record().dirty() && !s.saveRecord()) return false;

  if (!s.edit().createFolder(b.probe)) return fail(MessageId::NoFolderRights02, {});
  if (!s.edit().deleteFolder(b.probe)) return fail(MessageId::NoFolderRights01, {});
  return true;
}

Outcome createBackup(Context& ctx) {
  Outcome out;
  std::unique_ptr<EditSession> session = EditSession::open(ctx, out);
  if (session && backupCopiesMended(*session)) createBackup(*session);
  return out;
}

}  // namespace lumaset
