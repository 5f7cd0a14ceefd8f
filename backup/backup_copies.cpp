#include "backup/backup_copies.h"

#include "backup/host_damage.h"
#include "backup/original_copies.h"
#include "edits/host_file_state.h"
#include "formats/path_text.h"
#include "formats/sha256.h"
#include "formats/startup_text_marker.h"
#include "iconstore/host_images.h"
#include "iconstore/index_bounds.h"
#include "iconstore/index_derivation.h"
#include "iconstore/index_format.h"
#include "run/index_reading.h"

namespace lumaset {
namespace {

// A file of exactly `known`'s size and hash.
bool holdsExactly(EditSession& s, const std::string& path, const BackedUpFile& known) {
  SystemReading& files = s.files();
  const FileInfo info = files.info(path);
  return info.exists && !info.isFolder && info.size == known.size &&
         prefixSha256(files, path, known.size, s.progress()) == known.sha256;
}

// The lost or damaged copy made again: from the second copy, else from the host's file
// when it begins with the backed-up bytes (packs only grow at their end; the language
// file carries the program's block at its end).
bool remake(EditSession& s, const std::string& key, const BackedUpFile& known) {
  const BackupLayout& b = s.layout();
  const std::string second = b.secondCopyPath(key);
  const bool fromSecond = !second.empty() && holdsExactly(s, second, known);
  const std::string host = b.hostPath(key);
  if (!fromSecond && (s.files().info(host).size < known.size ||
                      prefixSha256(s.files(), host, known.size, s.progress()) != known.sha256))
    return false;
  // What stands at the copy's place is set aside, never overwritten: the record may be
  // the one that is wrong.
  if (s.files().info(b.backupPath(key)).exists && !setCopyAside(s, b.backupPath(key))) return false;
  if (fromSecond) {
    if (!s.edit().copyFile(second, b.backupPath(key), s.progress())) return false;
  } else if (!s.edit().writeFile(b.backupPath(key), s.files().readRange(host, 0, known.size))) {
    return false;
  }
  s.record().noteCopyChecked(key);
  return holdsExactly(s, b.backupPath(key), known);
}

// A pack copy whose bytes hash to what the record names, though the record names another
// size: the size is the record's fault (a hash does not match by chance), and is set right.
bool sizeMisrecorded(EditSession& s, const std::string& key, const BackedUpFile& known) {
  const std::string path = s.layout().backupPath(key);
  const FileInfo copy = s.files().info(path);
  if (!copy.exists || copy.isFolder || copy.size == known.size ||
      prefixSha256(s.files(), path, copy.size, s.progress()) != known.sha256)
    return false;
  s.record().learnBackup(key, copy.size, known.sha256);
  return true;
}

// A pack copy from before the record is taken as it is.
bool learnUnrecordedCopy(EditSession& s, const std::string& key) {
  const std::string path = s.layout().backupPath(key);
  const FileInfo copy = s.files().info(path);
  if (!copy.exists || copy.isFolder) return false;
  s.record().learnBackup(key, copy.size, prefixSha256(s.files(), path, copy.size, s.progress()));
  return true;
}

// Where the program's images begin in the host's pack, by the bytes alone: the host's
// index, derived from the original one, points the images it replaced at the appended
// bytes, and the first of them begins where the original pack ended. A pack the theme
// gave nothing ends where the host's does, but that proves nothing of bytes a run that
// died appended: it is taken only with `wholeWhenUntouched`.
std::optional<std::uint64_t> originalPackEnd(const RecordTable& original, const RecordTable& host, Pack pack,
                                             std::uint64_t hostSize, bool wholeWhenUntouched) {
  if (!(original.records == host.records) && !derivedByAppending(original, host, {0, 0})) return std::nullopt;
  std::optional<std::uint64_t> end;
  for (std::size_t n : changedRecords(original)) {
    if (pack != Pack::LowRes && pack != Pack::HighRes) break;
    if (original.offset(n, pack) == host.offset(n, pack) && original.length(n, pack) == host.length(n, pack)) continue;
    const auto at = static_cast<std::uint64_t>(host.offset(n, pack));
    end = end ? std::min(*end, at) : at;
  }
  if (!end && !wholeWhenUntouched) return std::nullopt;
  const std::uint64_t size = end.value_or(hostSize);
  if (size > hostSize || changedRecordPastPack(original, pack, size)) return std::nullopt;
  return size;
}

// The end of the original pack of a key, measured by the backed-up and the host's index.
std::optional<std::uint64_t> measuredPackEnd(EditSession& s, const std::string& key, bool wholeWhenUntouched) {
  const BackupLayout& b = s.layout();
  std::optional<Bytes> originalBytes = readIndexFile(s.files(), b.backupFile(kIndexFile));
  std::optional<Bytes> hostBytes = readIndexFile(s.files(), b.hostFile(kIndexFile));
  if (!originalBytes || !hostBytes) return std::nullopt;
  DecodedIndex original = decodeIndex(*originalBytes), host = decodeIndex(*hostBytes);
  if (original.problem != IndexProblem::None || host.problem != IndexProblem::None) return std::nullopt;
  const FileInfo info = s.files().info(b.hostFile(key));
  std::optional<Pack> pack;
  for (int i = 0; i < 4; ++i)
    if (key == packFile(static_cast<Pack>(i))) pack = static_cast<Pack>(i);
  if (!info.exists || info.isFolder || !pack) return std::nullopt;
  return originalPackEnd(original.table, host.table, *pack, info.size, wholeWhenUntouched);
}

// A pack copy the record does not know. Where the host's pack shows how long the original
// was and begins with its bytes, the copy on disk (current or set aside) that holds those
// bytes is the original, else the host's bytes up to there make it again; a lost copy
// (or a folder, or one cut short) may take the host's pack whole when the theme gave it
// nothing. Without such a measure the copy is taken as it is. False when the copy is lost
// and cannot be made again.
bool mendUnrecordedPack(EditSession& s, const std::string& key) {
  const BackupLayout& b = s.layout();
  if (!s.files().exists(b.backupFile(kIndexFile))) return true;  // no backup yet
  const std::string copy = b.backupFile(key), host = b.hostFile(key);
  const FileInfo info = s.files().info(copy);
  const bool lost = !info.exists || info.isFolder || copyCutShort(s, key, info.size);
  const std::optional<std::uint64_t> end = measuredPackEnd(s, key, lost);
  if (!end) return !lost && learnUnrecordedCopy(s, key);
  // What stands at the copy's place is set aside before another copy takes it.
  auto cleared = [&] { return !info.exists || setCopyAside(s, copy); };
  const std::string sha = prefixSha256(s.files(), host, *end, s.progress());
  for (const std::string& candidate : candidateCopies(s, key)) {
    if (s.files().info(candidate).size != *end || prefixSha256(s.files(), candidate, *end, s.progress()) != sha)
      continue;
    if (candidate != copy && !(cleared() && s.edit().copyFile(candidate, copy, s.progress()))) return false;
    s.record().learnBackup(key, *end, sha);
    return true;
  }
  // The host's bytes stand for the original only while they are sound.
  if (damagedHostFile(s)) return !lost && learnUnrecordedCopy(s, key);
  if (!cleared()) return false;
  if (!s.edit().writeFile(copy, s.files().readRange(host, 0, *end))) return false;
  s.record().learnBackup(key, *end, prefixSha256(s.files(), copy, *end, s.progress()));
  return true;
}

// The index and the language file: the original of each chosen among every copy on disk
// and both current copies made to hold it. A record that names other bytes than the ones
// the host's files and the copies show is not believed at all: the bytes judge from then on.
void settleSmallOriginals(EditSession& s, std::vector<std::string>& unmendable) {
  const BackupLayout& b = s.layout();
  std::map<std::string, CopyOnDisk> originals;
  std::vector<std::string> noCopy;
  bool contradicted = false;
  for (const std::string& key : s.keys()) {
    const BackedUpFile* known = s.record().backup(key);
    if (!isSmallFile(key) || (known && known->renewing)) continue;  // a refresh that began takes it up again
    std::optional<CopyOnDisk> original = originalOf(s, key);
    if (!original) {
      if (known || !candidateCopies(s, key).empty()) noCopy.push_back(key);
      continue;
    }
    if (known && (known->sha256 != original->sha256 || known->size != original->size)) contradicted = true;
    originals[key] = std::move(*original);
  }
  if (contradicted) s.record().distrust();
  // No copy to be had: made again from the host's file where it begins with the bytes a
  // believed record names (the language file before the program's block).
  for (const std::string& key : noCopy) {
    const BackedUpFile* known = s.record().backup(key);
    if (!known || !remake(s, key, *known) || !writeSecondCopy(s, key)) unmendable.push_back(key);
  }
  for (const auto& [key, original] : originals) {
    const std::string second = b.secondCopyPath(key);
    const bool secondFolder = !second.empty() && s.files().info(folderOf(second, separatorsFor(b.sep))).isFolder;
    if (!replaceCopy(s, b.backupPath(key), original.bytes) ||
        (secondFolder && !replaceCopy(s, second, original.bytes))) {
      unmendable.push_back(key);
      continue;
    }
    const BackedUpFile* known = s.record().backup(key);
    if (!known || known->sha256 != original.sha256) s.record().learnBackup(key, original.size, original.sha256);
  }
}

}  // namespace

bool backupCopySound(EditSession& s, const std::string& key) {
  const BackedUpFile* known = s.record().backup(key);
  if (!known || known->renewing) return false;
  const std::string path = s.layout().backupPath(key);
  if (!isSmallFile(key) && known->identity && s.files().identity(path) == known->identity &&
      s.files().info(path).size == known->size)
    return true;
  if (!holdsExactly(s, path, *known)) return false;
  if (!isSmallFile(key)) s.record().noteCopyChecked(key);
  return true;
}

bool backUpHostFile(EditSession& s, const std::string& key) {
  const BackupLayout& b = s.layout();
  if (key == kLanguageKey) {
    const Bytes host = s.files().readFile(b.hostPath(key));
    const Bytes original = withoutStartupTextBlocks(host);
    if (!s.files().info(b.hostPath(key)).exists || !replaceCopy(s, b.backupPath(key), original)) return false;
    s.record().noteBackedUp(key, original.size(), sha256Hex(original), original.size() != host.size());
    return true;
  }
  std::string sha256;
  if (s.files().info(b.backupPath(key)).exists && !setCopyAside(s, b.backupPath(key))) return false;
  if (!s.edit().copyFileHashed(b.hostPath(key), b.backupPath(key), sha256, s.progress())) return false;
  s.record().noteBackedUp(key, s.files().info(b.backupPath(key)).size, sha256, false);
  return true;
}

bool writeSecondCopy(EditSession& s, const std::string& key) {
  const std::string second = s.layout().secondCopyPath(key);
  if (second.empty()) return true;
  const BackedUpFile* known = s.record().backup(key);
  if (known && holdsExactly(s, second, *known)) return true;
  if (s.files().info(second).exists && !setCopyAside(s, second)) return false;
  return s.edit().copyFile(s.layout().backupPath(key), second, s.progress());
}

std::vector<std::string> mendBackupCopies(EditSession& s) {
  std::vector<std::string> unmendable;
  // A backup folder lost whole is made again for the copies the record knows, or that
  // stand set aside: the originals are chosen among those too.
  const BackupLayout& b = s.layout();
  if (s.record().found() || s.files().exists(b.iconBackupOld) || s.files().exists(b.languageBackupOld)) {
    for (const std::string& folder :
         {b.iconBackup, folderOf(b.languageBackup, separatorsFor(b.sep)), b.languageBackup}) {
      if (!s.files().exists(folder)) s.edit().createFolder(folder);
    }
  }
  settleSmallOriginals(s, unmendable);
  for (const std::string& key : s.keys()) {
    if (isSmallFile(key)) continue;
    const BackedUpFile* known = s.record().backup(key);
    if (!known) {
      if (!mendUnrecordedPack(s, key)) unmendable.push_back(key);
      continue;
    }
    if (known->renewing) continue;  // the refresh that began it takes it up again
    if (!backupCopySound(s, key) && !remake(s, key, *known) && !sizeMisrecorded(s, key, *known))
      unmendable.push_back(key);
  }
  return unmendable;
}

namespace {

bool movedHostsOwnBackup(EditSession& s) {
  if (!hostMadeFromCopies(s, kIndexFile)) return false;
  const BackupLayout& b = s.layout();
  for (const std::string& key : s.iconKeys()) {
    if (isSmallFile(key)) continue;
    const FileInfo copy = s.files().info(b.backupPath(key));
    if (!copy.exists || copy.isFolder ||
        prefixSha256(s.files(), b.hostPath(key), copy.size, s.progress()) !=
            prefixSha256(s.files(), b.backupPath(key), copy.size, s.progress()))
      return false;
  }
  return true;
}

}  // namespace

Outcome backupBelongsHere(EditSession& s) {
  // Both as the system names the folder: links, junctions and short names resolved.
  const std::string& recorded = s.record().resources();
  const std::string here = s.files().canonicalPath(s.layout().resources);
  auto folded = [&](std::string path) {
    if (s.layout().sep == '\\')
      for (char& c : path) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return path;
  };
  Outcome out;
  // A host that was moved keeps its files: they were made from the copies, the index
  // from the index and each pack begins with its copy.
  if (s.record().found() && !recorded.empty() && folded(recorded) != folded(here) && !movedHostsOwnBackup(s))
    out.refuse(MessageId::ForeignBackup, s.layout().iconBackup, recorded);
  return out;
}

Outcome backupCopiesMended(EditSession& s) {
  Outcome out = backupBelongsHere(s);
  if (!out.done()) return out;
  const std::vector<std::string> lost = mendBackupCopies(s);
  if (!lost.empty()) out.refuse(MessageId::UnmendableCopy, s.layout().backupPath(lost.front()));
  return out;
}

}  // namespace lumaset
