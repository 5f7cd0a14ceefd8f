#include "backup/create_backup.h"

#include "backup/backup_copies.h"
#include "backup/host_damage.h"
#include "backup/original_copies.h"
#include "formats/path_text.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {

Outcome hostIndexSound(EditSession& s, const std::map<std::string, bool>& fromBackup) {
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
  Outcome out;
  if (!sound) out.refuse(MessageId::DamagedHostIndex, b.hostFile(kIndexFile));
  return out;
}

namespace {

bool firstBackup(EditSession& s) { return !s.files().exists(s.layout().backupFile(kIndexFile)); }

// The first backup takes the host's files as its originals: only sound ones.
Outcome firstBackupUndamaged(EditSession& s) {
  Outcome out;
  if (!firstBackup(s)) return out;
  out = hostIndexSound(s, {});
  if (!out.done()) return out;
  if (std::optional<std::string> damaged = damagedHostFile(s))
    out.refuse(MessageId::DamagedHostFile, s.layout().hostPath(*damaged));
  return out;
}

// Nor the program's addition over a copy an earlier backup set aside.
Outcome firstBackupUnthemed(EditSession& s) {
  Outcome out;
  if (!firstBackup(s)) return out;
  for (const std::string& key : s.keys()) {
    if (!carriesProgramAddition(s, key)) continue;
    out.refuse(MessageId::ThemedNotUpdate, s.layout().hostPath(key));
    break;
  }
  return out;
}

// The bytes of the host's icon files that the backup lacks, which the copies below read:
// told before the first starts.
std::uint64_t bytesToBackUp(EditSession& s) {
  const BackupLayout& b = s.layout();
  std::uint64_t bytes = 0;
  for (const std::string& key : s.iconKeys())
    if (!s.files().exists(b.backupFile(key))) bytes += s.files().info(b.hostPath(key)).size;
  return bytes;
}

// The copies the backup lacks made from the host's files, and the probe.
Outcome copyIntoBackup(EditSession& s) {
  SystemReading& files = s.files();
  const BackupLayout& b = s.layout();
  Outcome out = firstBackupUnthemed(s);
  auto fail = [&](MessageId id, const std::string& path, const std::string& detail = {}) {
    out.fail(id, path, detail);
    return out;
  };
  if (!out.done()) return out;
  if (!files.exists(b.iconBackup) && !s.edit().createFolder(b.iconBackup))
    return fail(MessageId::BackupCopyFailed, b.iconBackup);

  reserveBytes(s.progress(), bytesToBackUp(s));
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
  if (s.record().dirty()) out.add(s.saveRecord());
  if (!out.done()) return out;

  if (!s.edit().createFolder(b.probe)) return fail(MessageId::NoFolderRights02, {});
  if (!s.edit().deleteFolder(b.probe)) return fail(MessageId::NoFolderRights01, {});
  return out;
}

}  // namespace

Outcome createBackup(EditSession& s) {
  Outcome out = firstBackupUndamaged(s);
  if (out.done()) out.add(copyIntoBackup(s));
  return out;
}

Outcome backupBeforeChange(EditSession& s) {
  Outcome out = backupCopiesMended(s);
  if (out.done()) out.add(firstBackupUndamaged(s));
  if (!out.done()) return out;
  out.add(copyIntoBackup(s));
  if (!out.done()) out.refuse(MessageId::NoBackup, s.ctx().state.hostFolder);
  return out;
}

Outcome createBackup(Context& ctx) {
  Outcome out;
  std::unique_ptr<EditSession> session = EditSession::open(ctx, out);
  if (!session) return out;
  out.add(backupCopiesMended(*session));
  if (out.done()) out.add(createBackup(*session));
  return out;
}

}  // namespace lumaset
