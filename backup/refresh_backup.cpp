#include "backup/refresh_backup.h"

#include <algorithm>

#include "backup/backup_copies.h"
#include "backup/create_backup.h"
#include "backup/host_damage.h"
#include "backup/host_verdict.h"
#include "backup/original_copies.h"
#include "iconstore/host_images.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {
namespace {

bool anyBackup(EditSession& s) {
  const BackupLayout& b = s.layout();
  return s.record().found() || s.files().exists(b.backupFile(kIndexFile)) || s.files().exists(b.languageBackupCopy);
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

// Whether the host's index points one of the images the program changes past every other
// image of a splash pack, as an apply does: without a copy to hold it against, such an
// index is never taken as the host's own.
bool indexLooksThemed(EditSession& s) {
  std::optional<Bytes> bytes = readIndexFile(s.files(), s.layout().hostFile(kIndexFile));
  const DecodedIndex index = bytes ? decodeIndex(*bytes) : DecodedIndex{IndexProblem::Empty, {}, 0};
  if (index.problem != IndexProblem::None) return false;
  const std::vector<std::size_t> changed = changedRecords(index.table);
  for (Pack pack : {Pack::LowRes, Pack::HighRes}) {
    std::int64_t othersEnd = 0;
    for (std::size_t n = 1; n <= index.table.count(); ++n) {
      if (std::find(changed.begin(), changed.end(), n) != changed.end() || index.table.length(n, pack) <= 0) continue;
      othersEnd =
          std::max<std::int64_t>(othersEnd, std::int64_t{index.table.offset(n, pack)} + index.table.length(n, pack));
    }
    for (std::size_t n : changed) {
      if (index.table.length(n, pack) > 0 && index.table.offset(n, pack) >= othersEnd) return true;
    }
  }
  return false;
}

// An extra pack that an update to the two-pack layout removed: the host has none to back
// up, and the backup no longer needs one.
bool packGoneWithTheLayout(EditSession& s, const std::string& key) {
  if (key != kXLowResPack && key != kXHighResPack) return false;
  std::optional<Bytes> bytes = readIndexFile(s.files(), s.layout().hostFile(kIndexFile));
  const DecodedIndex index = bytes ? decodeIndex(*bytes) : DecodedIndex{IndexProblem::Empty, {}, 0};
  return index.problem == IndexProblem::None && index.table.layout == IndexLayout::TwoPack;
}

// Only the host's own files become originals: never one that carries the program's
// addition over a copy on disk, nor an index that looks themed while nothing shows that
// someone else wrote it, nor a damaged file; and the backed-up index and packs must
// belong together once the renewed ones are in. Refused otherwise.
Outcome renewalAcceptable(EditSession& s, const std::vector<std::string>& renew) {
  Outcome out;
  for (const std::string& key : renew) {
    const bool unproven = s.record().state(key) != HostFileState::Foreign;
    if (carriesProgramAddition(s, key) || (key == kIndexFile && unproven && indexLooksThemed(s))) {
      out.refuse(MessageId::ThemedNotUpdate, s.layout().hostPath(key));
      return out;
    }
  }
  const bool iconsRenewed =
      std::any_of(renew.begin(), renew.end(), [](const std::string& k) { return k != kLanguageKey; });
  if (std::optional<std::string> damaged = iconsRenewed ? damagedHostFile(s) : std::nullopt) {
    out.refuse(MessageId::DamagedHostFile, s.layout().hostPath(*damaged));
    return out;
  }
  std::map<std::string, bool> kept;
  bool iconRenewed = false;
  for (const std::string& key : s.iconKeys()) {
    const bool renewed = std::find(renew.begin(), renew.end(), key) != renew.end();
    kept[key] = !renewed;
    iconRenewed = iconRenewed || renewed;
  }
  if (iconRenewed) out.add(hostIndexSound(s, kept));
  return out;
}

// The keys whose copy must be taken anew, the extra packs the host no longer has, and the
// backup copies that are missing with their host file: those cannot be taken and the
// refresh goes on without them. Refused when the refresh must not go on.
Outcome keysToRenew(EditSession& s, std::vector<std::string>& renew, std::vector<std::string>& gone,
                    std::vector<std::string>& missing) {
  Outcome out = backupBelongsHere(s);
  if (!out.done()) return out;
  const std::vector<std::string> lost = mendBackupCopies(s);
  for (const std::string& key : s.keys()) {
    if (std::find(lost.begin(), lost.end(), key) != lost.end()) {
      // The original is gone: only a file that someone else wrote since (a repaired or
      // reinstalled host) may be taken as the new one; what the program may have left
      // (as it left it, or in a change that did not end) never is. Without a mark of the
      // program's change the bytes decide below.
      if (s.record().state(key) != HostFileState::Foreign && s.record().mark(key)) {
        out.refuse(MessageId::UnmendableCopy, s.layout().backupPath(key));
        return out;
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
        if (packGoneWithTheLayout(s, key)) {
          gone.push_back(key);
          break;
        }
        if (s.files().info(s.layout().hostPath(key)).exists) {  // there, but damaged
          out.refuse(MessageId::DamagedHostFile, s.layout().hostPath(key));
          return out;
        }
        missing.push_back(s.layout().backupPath(key));
        break;
    }
  }
  if (std::find(renew.begin(), renew.end(), kIndexFile) != renew.end()) renewOutgrownPacks(s, renew);
  out.add(renewalAcceptable(s, renew));
  return out;
}

}  // namespace

// The host files whose backups were taken, one path a line, for the message that says so.
std::string hostPathsOf(const EditSession& s, const std::vector<std::string>& keys) {
  std::string lines;
  for (const std::string& key : keys) lines += (lines.empty() ? "" : "\r\n") + s.layout().hostPath(key);
  return lines;
}

Outcome refreshBackup(EditSession& s) {
  if (!anyBackup(s)) {
    Outcome made = createBackup(s);
    if (made.done()) made.note(MessageId::BackupMade, {}, hostPathsOf(s, s.keys()));
    return made;
  }
  std::vector<std::string> renew, gone, missing;
  Outcome checked = keysToRenew(s, renew, gone, missing);
  Outcome out;
  for (const std::string& path : missing) out.fail(MessageId::RefreshCopyFailed, path);
  const bool goesOn = checked.done();
  out.add(std::move(checked));
  if (!goesOn) return out;
  s.record().setProductVersion(s.files().productVersion(s.ctx().state.hostFolder + "Photoshop.exe"));
  for (const std::string& key : gone) {
    if (setCopyAside(s, s.layout().backupPath(key))) s.record().forget(key);
  }
  if (renew.empty()) {
    out.add(s.saveRecord());
    if (out.done()) out.note(MessageId::BackupUpToDate);
    return out;
  }
  // A refresh that dies from here on leaves these copies marked: the next one takes them
  // up again, and nothing relies on them meanwhile.
  for (const std::string& key : renew) s.record().markRenewing(key);
  Outcome marked = s.saveRecord();
  const bool markSaved = marked.done();
  out.add(std::move(marked));
  if (!markSaved) return out;
  for (const std::string& key : renew) {
    if (!backUpHostFile(s, key)) {
      out.fail(MessageId::RefreshCopyFailed, s.layout().backupPath(key));
    } else if (!writeSecondCopy(s, key)) {
      out.fail(MessageId::RefreshCopyFailed, s.layout().secondCopyPath(key));
    }
  }
  out.add(s.saveRecord());
  if (out.done()) out.note(MessageId::BackupRenewed, {}, hostPathsOf(s, renew));
  return out;
}

Outcome refreshBackup(Context& ctx) {
  Outcome out;
  if (std::unique_ptr<EditSession> session = EditSession::open(ctx, out)) out.add(refreshBackup(*session));
  return out;
}

}  // namespace lumaset
