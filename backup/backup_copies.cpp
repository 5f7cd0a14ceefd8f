#include "backup/backup_copies.h"

#include "edits/host_file_state.h"
#include "formats/path_text.h"
#include "formats/sha256.h"
#include "formats/startup_text_marker.h"
#include "iconstore/index_format.h"

namespace lumaset {
namespace {

bool isSmall(const std::string& key) { return key == kIndexFile || key == kLanguageKey; }

// A file of exactly `known`'s size and hash.
bool holdsExactly(Files& files, const std::string& path, const BackedUpFile& known) {
  const FileInfo info = files.info(path);
  return info.exists && !info.isFolder && info.size == known.size &&
         prefixSha256(files, path, known.size) == known.sha256;
}

// The lost or damaged copy made again: from the second copy, else from the host's file
// when it begins with the backed-up bytes (packs only grow at their end; the language
// file carries the program's block at its end).
bool remake(EditSession& s, const std::string& key, const BackedUpFile& known) {
  const BackupLayout& b = s.layout();
  const std::string second = b.secondCopyPath(key);
  if (!second.empty() && holdsExactly(s.files(), second, known)) {
    if (!s.edit().copyFile(second, b.backupPath(key))) return false;
  } else {
    const std::string host = b.hostPath(key);
    if (s.files().info(host).size < known.size || prefixSha256(s.files(), host, known.size) != known.sha256)
      return false;
    if (!s.edit().writeFile(b.backupPath(key), s.files().readRange(host, 0, known.size))) return false;
  }
  s.record().noteCopyChecked(key);
  return holdsExactly(s.files(), b.backupPath(key), known);
}

// A copy from before the record is taken as it is, but for a startup-text block in the
// language copy (an older refresh of a themed host took one): no backup keeps the
// program's bytes.
void learnUnrecordedCopy(EditSession& s, const std::string& key) {
  const std::string path = s.layout().backupPath(key);
  const FileInfo copy = s.files().info(path);
  if (!copy.exists || copy.isFolder) return;
  if (key == kLanguageKey) {
    const Bytes bytes = s.files().readFile(path);
    const Bytes original = withoutStartupTextBlocks(bytes);
    if (original.size() != bytes.size() && !s.edit().writeFile(path, original)) return;
  }
  const std::uint64_t size = s.files().info(path).size;
  s.record().learnBackup(key, size, prefixSha256(s.files(), path, size));
}

// A language copy that an older release took with the program's block in it loses the
// block; the host's file is then judged by its bytes against the clean copy.
void cleanLanguageCopy(EditSession& s) {
  const std::string path = s.layout().backupPath(kLanguageKey);
  const Bytes bytes = s.files().readFile(path);
  const Bytes original = withoutStartupTextBlocks(bytes);
  if (original.size() == bytes.size() || !s.edit().writeFile(path, original)) return;
  s.record().noteCopyCleaned(kLanguageKey, original.size(), sha256Hex(original));
}

}  // namespace

bool backupCopySound(EditSession& s, const std::string& key) {
  const BackedUpFile* known = s.record().backup(key);
  if (!known || known->renewing) return false;
  const std::string path = s.layout().backupPath(key);
  if (!isSmall(key) && known->identity && s.files().identity(path) == known->identity) return true;
  if (!holdsExactly(s.files(), path, *known)) return false;
  if (!isSmall(key)) s.record().noteCopyChecked(key);
  return true;
}

bool backUpHostFile(EditSession& s, const std::string& key) {
  const BackupLayout& b = s.layout();
  if (key == kLanguageKey) {
    const Bytes host = s.files().readFile(b.hostPath(key));
    const Bytes original = withoutStartupTextBlocks(host);
    if (!s.files().info(b.hostPath(key)).exists || !s.edit().writeFile(b.backupPath(key), original)) return false;
    s.record().noteBackedUp(key, original.size(), sha256Hex(original), original.size() != host.size());
    return true;
  }
  std::string sha256;
  if (!s.edit().copyFileHashed(b.hostPath(key), b.backupPath(key), sha256)) return false;
  s.record().noteBackedUp(key, s.files().info(b.backupPath(key)).size, sha256, false);
  return true;
}

bool writeSecondCopy(EditSession& s, const std::string& key) {
  const std::string second = s.layout().secondCopyPath(key);
  if (second.empty()) return true;
  const BackedUpFile* known = s.record().backup(key);
  if (known && holdsExactly(s.files(), second, *known)) return true;
  return s.edit().copyFile(s.layout().backupPath(key), second);
}

std::vector<std::string> mendBackupCopies(EditSession& s) {
  std::vector<std::string> unmendable;
  // A backup folder lost whole is made again for the copies the record knows.
  if (s.record().found()) {
    const BackupLayout& b = s.layout();
    for (const std::string& folder :
         {b.iconBackup, folderOf(b.languageBackup, separatorsFor(b.sep)), b.languageBackup}) {
      if (!s.files().exists(folder)) s.edit().createFolder(folder);
    }
  }
  for (const std::string& key : s.keys()) {
    const std::string path = s.layout().backupPath(key);
    const BackedUpFile* known = s.record().backup(key);
    if (!known) {
      learnUnrecordedCopy(s, key);
      continue;
    }
    if (known->renewing) continue;  // the refresh that began it takes it up again
    if (!backupCopySound(s, key) && !remake(s, key, *known)) {
      unmendable.push_back(key);
      continue;
    }
    if (key == kLanguageKey) cleanLanguageCopy(s);
    writeSecondCopy(s, key);
  }
  return unmendable;
}

bool backupCopiesMended(EditSession& s) {
  const std::vector<std::string> lost = mendBackupCopies(s);
  if (lost.empty()) return true;
  s.out().refuse(MessageId::UnmendableCopy, s.layout().backupPath(lost.front()));
  return false;
}

}  // namespace lumaset
