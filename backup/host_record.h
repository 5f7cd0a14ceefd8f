// The record of the backup (edits/backup_record.h) of the located host, kept beside the
// backed-up icon files as lumaset.record, and the bookkeeping of the operations that
// change the host's files: a file is marked before it changes and noted after, so that a
// run that dies in between leaves it unknown (and the next run takes the safe path),
// never wrongly proven.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "backup/backup_layout.h"
#include "edits/backup_record.h"
#include "edits/host_file_state.h"

namespace lumaset {

// The record's key of the host's language file; the icon files go by their names.
inline constexpr const char* kLanguageKey = "language";

class HostRecord {
 public:
  // Loads the record; a missing or damaged one counts as none.
  HostRecord(Context& ctx, const BackupLayout& b);

  bool found() const { return found_; }
  // The host file and its backed-up copy of a key.
  std::string hostPath(const std::string& key) const;
  std::string backupPath(const std::string& key) const;

  HostFileState state(const std::string& key);
  // A host file changed by someone else since the backup, or a host of another
  // ProductVersion than the one backed up.
  bool changedByOthers(const std::vector<std::string>& keys);
  // Some host file is exactly as the program's last change left it (a theme is applied).
  bool anyAsLeft(const std::vector<std::string>& keys);
  // The backed-up size and hash of a key, when known.
  const BackedUpFile* backup(const std::string& key) const;
  const HostFileMark* mark(const std::string& key) const;

  void markPending(const std::vector<std::string>& keys);
  // The host file holds the backup's bytes now (`sha256` of them when just learnt).
  void noteRestored(const std::string& key, const std::string& sha256 = "");
  // The program changed the host file: the backup's bytes and an appendix, or a rewrite.
  void noteChanged(const std::string& key);
  // The backup of a key was just made from the host file.
  void noteBackedUp(const std::string& key, const std::string& sha256);
  // Writes the record through the edit of the host (which must be open); says so when it
  // cannot.
  bool save();

 private:
  friend class RecordBatch;
  std::string hostVersion();

  Context& ctx_;
  BackupLayout b_;
  BackupRecord record_;
  bool found_ = false;
  bool deferred_ = false;                        // saved by the batch that holds it
  std::map<std::string, HostFileState> frozen_;  // states from before the batch marked them
};

// One record for an operation that changes several host files (an apply): the files are
// marked and the record saved once at the start, the steps inside note their changes in
// it without saving, and it is saved once at the end. A run that dies in between leaves
// every file of the operation marked, so the next run takes the safe path for them.
class RecordBatch {
 public:
  RecordBatch(Context& ctx, const BackupLayout& b, const std::vector<std::string>& keys);
  ~RecordBatch();
  RecordBatch(const RecordBatch&) = delete;
  RecordBatch& operator=(const RecordBatch&) = delete;
  bool ok() const { return ok_; }

 private:
  Context& ctx_;
  HostRecord record_;
  bool ok_ = false;
};

// The open batch's record, or one of its own for a step that runs alone.
class RecordInUse {
 public:
  RecordInUse(Context& ctx, const BackupLayout& b);
  HostRecord& operator*() { return shared_ ? *shared_ : *own_; }
  HostRecord* operator->() { return &**this; }

 private:
  HostRecord* shared_ = nullptr;
  std::optional<HostRecord> own_;
};

// The keys of the files a backup of the host holds: its icon files, then its language file.
std::vector<std::string> recordKeys(const RunState& state);

}  // namespace lumaset
