#include "backup/restore.h"

#include "backup/backup_copies.h"
#include "backup/original_copies.h"
#include "edits/host_file_state.h"
#include "formats/startup_text_marker.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {
namespace {

bool leftAlone(Verdict v) { return v == Verdict::Changed || v == Verdict::NoBackup; }
bool goesBack(Verdict v) { return v == Verdict::Themed || v == Verdict::Missing; }

std::vector<std::string> keysGoingBack(const Verdicts& verdicts) {
  std::vector<std::string> keys;
  const bool iconsLeft = iconsChangedByOthers(verdicts);
  for (const auto& [key, verdict] : verdicts) {
    if (goesBack(verdict) && (key == kLanguageKey || !iconsLeft)) keys.push_back(key);
  }
  return keys;
}

}  // namespace

std::optional<RecordTable> soundBackupIndex(EditSession& s) {
  const BackupLayout& b = s.layout();
  std::optional<Bytes> bytes = readIndexFile(s.files(), b.backupFile(kIndexFile));
  if (!bytes) return std::nullopt;
  DecodedIndex decoded = decodeIndex(*bytes);
  if (decoded.problem != IndexProblem::None) return std::nullopt;
  for (int i = 0; i < packCount(decoded.table.layout); ++i) {
    const auto pack = static_cast<Pack>(i);
    FileInfo file = s.files().info(b.backupFile(packFile(pack)));
    if (file.exists && changedRecordPastPack(decoded.table, pack, file.size)) return std::nullopt;
  }
  return std::move(decoded.table);
}

Verdicts verdictsOf(EditSession& s, const std::vector<std::string>& keys) {
  Verdicts verdicts;
  for (const std::string& key : keys) verdicts[key] = verdictOf(s, key);
  return verdicts;
}

bool iconsChangedByOthers(const Verdicts& verdicts) {
  for (const auto& [key, verdict] : verdicts) {
    if (key != kLanguageKey && leftAlone(verdict)) return true;
  }
  return false;
}

bool putBack(EditSession& s, const std::string& key, Verdict verdict) {
  const BackupLayout& b = s.layout();
  const BackedUpFile* known = s.record().backup(key);
  bool back = true;
  if (verdict == Verdict::Themed && key != kIndexFile && key != kLanguageKey && known) {
    back = s.edit().truncateFile(b.hostPath(key), known->size);  // a pack: its appendix goes
  } else if (goesBack(verdict)) {
    // The small files are hashed at every check; a pack copy, trusted by its identity so
    // far, shows its hash before it is installed whole.
    back =
        known &&
        (isSmallFile(key) || prefixSha256(s.files(), b.backupPath(key), known->size, s.progress()) == known->sha256) &&
        s.edit().copyFile(b.backupPath(key), b.hostPath(key), s.progress());
  } else if (leftAlone(verdict)) {
    return false;
  }
  if (back) s.record().noteRestored(key);
  return back;
}

Outcome copyBackIconFiles(EditSession& s, const Verdicts& verdicts, CopyBackPolicy policy) {
  Outcome out;
  if (iconsChangedByOthers(verdicts)) return out;
  const BackupLayout& b = s.layout();
  if (!soundBackupIndex(s)) {
    out.refuse(MessageId::BackupIndexDamaged, b.backupFile(kIndexFile));
    return out;
  }
  auto verdict = [&](const std::string& key) {
    auto found = verdicts.find(key);
    return found == verdicts.end() ? Verdict::NoBackup : found->second;
  };
  // The backed-up index goes back first: it names only the packs' backed-up bytes, and
  // every pack still begins with those, since packs only ever grow at their end. Cutting
  // a pack back before the index would leave the index naming bytes that are gone.
  if (!putBack(s, kIndexFile, verdict(kIndexFile))) {
    out.fail(MessageId::ResetFailed, b.backupFile(kIndexFile));
    return out;
  }
  const std::vector<std::string> keys = s.iconKeys();
  for (auto pack = keys.rbegin(); pack + 1 != keys.rend(); ++pack) {
    if (putBack(s, *pack, verdict(*pack))) continue;
    out.fail(MessageId::ResetFailed, b.backupFile(*pack));
    if (policy == CopyBackPolicy::StopAtFirstFailure) break;
  }
  return out;
}

// A language file someone else changed after the program's block went in (an editor's
// line break, a line of their own, the block cut) keeps their change: only the program's
// block is taken out of it.
bool takeBlockOut(EditSession& s) {
  const std::string path = s.layout().hostPath(kLanguageKey);
  const Bytes host = s.files().readFile(path);
  if (!carriesStartupTextMarker(host)) return true;
  return s.edit().writeFile(path, withoutStartupTextBlocks(host));
}

Outcome copyBackLanguageFile(EditSession& s, const Verdicts& verdicts) {
  Outcome out;
  auto found = verdicts.find(kLanguageKey);
  if (found == verdicts.end()) return out;
  if (!(leftAlone(found->second) ? takeBlockOut(s) : putBack(s, kLanguageKey, found->second)))
    out.fail(MessageId::ResetFailed, s.layout().languageBackupCopy);
  return out;
}

// After "[默认]" every host file must be its original, or the update's own file (one
// someone else wrote that is neither damaged nor a copy of the backup with the program's
// addition), and the language file must carry no block. Each file that is not is named.
Outcome ownFilesOnHost(EditSession& s) {
  Outcome out;
  for (const std::string& key : s.keys()) {
    const Verdict verdict = verdictOf(s, key);
    bool left = verdict == Verdict::Themed || verdict == Verdict::Missing ||
                (verdict == Verdict::Changed && carriesProgramAddition(s, key));
    if (key == kLanguageKey) left = left || carriesStartupTextMarker(s.files().readFile(s.layout().hostPath(key)));
    if (left) out.fail(MessageId::DefaultLeft, s.layout().hostPath(key));
  }
  return out;
}

bool iconsGoingBackBesideChanged(const Verdicts& verdicts) {
  if (!iconsChangedByOthers(verdicts)) return false;
  for (const auto& [key, verdict] : verdicts)
    if (key != kLanguageKey && goesBack(verdict)) return true;
  return false;
}

Outcome restoreDefaults(EditSession& s) {
  Outcome out = backupCopiesMended(s);
  if (!out.done()) return out;
  const Verdicts verdicts = verdictsOf(s, s.keys());
  if (iconsGoingBackBesideChanged(verdicts)) {
    out.refuse(MessageId::ChangedByOthers);
    return out;
  }
  s.record().markPending(keysGoingBack(verdicts));
  out.add(s.saveRecord());
  if (!out.done()) return out;
  out.add(copyBackIconFiles(s, verdicts, CopyBackPolicy::KeepGoing));
  // The host's own images; told only while the record proves every file to be as left.
  s.record().noteApplied({LookKind::Own, ""});
  out.add(copyBackLanguageFile(s, verdicts));
  out.add(s.saveRecord());
  // What is left is judged only after every step went as it should.
  if (out.done()) out.add(ownFilesOnHost(s));
  return out;
}

}  // namespace lumaset
