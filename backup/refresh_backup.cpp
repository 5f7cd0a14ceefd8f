#include "backup/refresh_backup.h"

#include <algorithm>

#include "backup/backup_copies.h"
#include "backup/create_backup.h"
#include "backup/host_verdict.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {
namespace {

void report(EditSession& s, const std::string& path) { s.out().fail(MessageId::RefreshCopyFailed, path); }

bool anyBackup(EditSession& s) {
  const BackupLayout& b = s.layout();
  return s.record().found() || s.files().exists(b.backupFile(kIndexFile)) || s.files().exists(b.languageBackupCopy);
}

// The first copy of a file goes aside once, as the previous backup.
void setOldCopyAside(EditSession& s, const std::string& key) {
  const BackupLayout& b = s.layout();
  const std::string copy = b.backupPath(key), old = b.oldBackupPath(key);
  if (!s.files().info(copy).exists || s.files().exists(old)) return;
  const std::string oldFolder = key == kLanguageKey ? b.languageBackupOld : b.iconBackupOld;
  if (!s.files().exists(oldFolder)) s.edit().createFolder(oldFolder);
  s.edit().moveFile(copy, old);
}

// An update may add images at the end of a pack: the pack then begins with the backed-up
// bytes like a themed one, but the update's index names what follows. Such a pack goes
// with its index, unless the record proves that the program left it so.
void renewOutgrownPacks(EditSession& s, std::vector<std::string>& renew) {
  std::optional<Bytes> bytes = readIndexFile(s.files(), s.layout().hostFile(kIndexFile));
  DecodedIndex index = bytes ? decodeIndex(*bytes) : DecodedIndex{IndexProblem::Empty, {}, 0};
  if (index.problem != IndexProblem::None) return;
  for (int i = 0; i < packCount(index.table.layout); ++i) {
    const auto pack = static_cast<Pack>(i);
    const std::string key = packFile(pack);
    const BackedUpFile* known = s.record().backup(key);
    if (!known || std::find(renew.begin(), renew.end(), key) != renew.end()) continue;
    if (s.record().state(key) == HostFileState::AsLeft) continue;
    if (firstRecordPastPack(index.table, pack, known->size)) renew.push_back(key);
  }
}

// The keys whose copy must be taken anew; false after a message when the refresh must
// not go on.
bool keysToRenew(EditSession& s, std::vector<std::string>& renew, bool& reported) {
  const std::vector<std::string> lost = mendBackupCopies(s);
  for (const std::string& key : s.keys()) {
    if (std::find(lost.begin(), lost.end(), key) != lost.end()) {
      // The original is gone: only a file that someone else wrote since (a repaired or
      // reinstalled host) may be taken as the new one; what the program may have left
      // (as it left it, or in a change that did not end) never is.
      if (s.record().state(key) != HostFileState::Foreign) {
        s.out().refuse(MessageId::UnmendableCopy, s.layout().backupPath(key));
        return false;
      }
      renew.push_back(key);
      continue;
    }
    switch (verdictOf(s, key)) {
      case Verdict::Original:
      case Verdict::Themed:
        break;
      case Verdict::Changed:
      case Verdict::NoBackup:
        renew.push_back(key);
        break;
      case Verdict::Missing:
        report(s, s.layout().backupPath(key));
        reported = true;
        break;
    }
  }
  if (std::find(renew.begin(), renew.end(), kIndexFile) != renew.end()) renewOutgrownPacks(s, renew);
  // The backed-up index and packs must belong together once the renewed ones are in.
  std::map<std::string, bool> kept;
  bool iconRenewed = false;
  for (const std::string& key : s.iconKeys()) {
    const bool renewed = std::find(renew.begin(), renew.end(), key) != renew.end();
    kept[key] = !renewed;
    iconRenewed = iconRenewed || renewed;
  }
  return !iconRenewed || !hostIndexDamaged(s, kept);
}

}  // namespace

void refreshBackup(EditSession& s) {
  if (!anyBackup(s)) {
    createBackup(s);
    return;
  }
  std::vector<std::string> renew;
  bool reported = false;
  if (!keysToRenew(s, renew, reported)) return;
  s.record().setProductVersion(s.files().productVersion(s.ctx().state.hostFolder + "Photoshop.exe"));
  if (renew.empty()) {
    if (s.saveRecord() && !reported) s.out().note(MessageId::BackupUpToDate);
    return;
  }
  // A refresh that dies from here on leaves these copies marked: the next one takes them
  // up again, and nothing relies on them meanwhile.
  for (const std::string& key : renew) s.record().markRenewing(key);
  if (!s.saveRecord()) return;
  for (const std::string& key : renew) {
    setOldCopyAside(s, key);
    if (!backUpHostFile(s, key)) {
      report(s, s.layout().backupPath(key));
    } else if (!writeSecondCopy(s, key)) {
      report(s, s.layout().secondCopyPath(key));
    }
  }
  s.saveRecord();
}

Outcome refreshBackup(Context& ctx) {
  Outcome out;
  if (std::unique_ptr<EditSession> session = EditSession::open(ctx, out)) refreshBackup(*session);
  return out;
}

}  // namespace lumaset
