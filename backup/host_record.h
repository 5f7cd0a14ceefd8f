// The record of the backup (edits/backup_record.h) of the located host, kept as
// lumaset.record in both backup folders, and the bookkeeping of the operations that
// change the host's files: a file is marked before it changes and noted after, so that a
// run that dies in between leaves it unproven (and the next run looks at its bytes),
// never wrongly proven.
#pragma once
#include <string>
#include <vector>

#include "backup/backup_layout.h"
#include "edits/backup_record.h"
#include "edits/host_edit.h"
#include "edits/host_file_state.h"

namespace lumaset {

class HostRecord {
 public:
  // Loads the newer of the two copies that are whole; none counts as no record.
  HostRecord(SystemReading& files, const BackupLayout& b);

  bool found() const { return found_; }
  // Something was noted since the record was loaded or saved.
  bool dirty() const { return dirty_; }
  // What the identities in the record prove of the host file of a key now.
  HostFileState state(const std::string& key);
  // The backed-up size and hash of a key, when known.
  const BackedUpFile* backup(const std::string& key) const;
  const HostFileMark* mark(const std::string& key) const;

  void markPending(const std::vector<std::string>& keys);
  // A refresh is about to replace the backup copy of a key.
  void markRenewing(const std::string& key);
  // The host file holds the backup's bytes now.
  void noteRestored(const std::string& key);
  // The program changed the host file: the backup's bytes and an appendix, or a rewrite.
  void noteChanged(const std::string& key);
  // The backup copy of a key was just made: `size` bytes whose hash is `sha256`. The host
  // file holds exactly those bytes unless `hostCarriesMore` (the program's addition).
  void noteBackedUp(const std::string& key, std::uint64_t size, const std::string& sha256, bool hostCarriesMore);
  // A backup copy the record did not know (made before there was one): its size and hash.
  void learnBackup(const std::string& key, std::uint64_t size, const std::string& sha256);
  // The backup copy's hash was checked: its identity now stands for it.
  void noteCopyChecked(const std::string& key);
  // The record says what the bytes on disk contradict: nothing it says of the copies, the
  // host's files or the applied look is believed from now on (its generation stays, so
  // that the next save replaces both copies).
  void distrust();
  // The backup no longer holds a copy of the key (a pack the host no longer has).
  void forget(const std::string& key);
  // The host no longer has the file of the key; its backup copy stays.
  void forgetHostFile(const std::string& key);
  void setProductVersion(const std::string& version) { record_.productVersion = version; }
  // The keys of the files the backup holds.
  std::vector<std::string> backedUpKeys() const;
  // What the program's last change gave the host's images, how it was asked for, and
  // noting a new one (the request of a theme or the custom images, for a reapply).
  const HostLook& applied() const { return record_.applied; }
  const AppliedRequest& appliedWith() const { return record_.appliedWith; }
  // The Resources folder the record was last saved for (empty when it does not say).
  const std::string& resources() const { return record_.resources; }
  void noteApplied(HostLook look, AppliedRequest request = {});
  // The startup text was set anew with this toggle ("[当前]" changes only the text).
  void noteStartupTextToggle(bool toggle);

  // Writes both copies through the edit (each where its backup folder exists); false when
  // one could not be written.
  bool save(HostEdit& edit);

 private:
  SystemReading& files_;
  BackupLayout b_;
  BackupRecord record_;
  bool found_ = false;
  bool dirty_ = false;
};

}  // namespace lumaset
