// Where the untouched copies of the host's files live: lumaset_BAK in the host's
// Resources folder for the icon files, and lumaset_BAK in Locales_BAK for the language
// file. Each folder also holds a second copy of the other's small files (the index, the
// language file) and of the record, so that losing one folder or file loses nothing.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "iconstore/index_format.h"
#include "iconstore/record_table.h"
#include "run/run_state.h"

namespace lumaset {

// The record's key of the host's language file; the icon files go by their names.
inline constexpr const char* kLanguageKey = "language";
inline constexpr const char* kRecordFile = "lumaset.record";

// The index and the language file: small enough to be hashed whole at every check, and
// kept in a second copy.
inline bool isSmallFile(const std::string& key) { return key == kIndexFile || key == kLanguageKey; }

struct BackupLayout {
  std::string resources;          // R: the host's Resources folder
  std::string iconBackup;         // R + "/lumaset_BAK"
  std::string iconBackupOld;      // R + "/lumaset_BAK_old"
  std::string probe;              // R + "/lumaset_BAK/TEST"
  std::string languageBackup;     // G + "/lumaset_BAK"
  std::string languageBackupOld;  // G + "/lumaset_BAK_old"
  // The three below are empty for a host without a language file (`languageAbsent`).
  std::string languageFile;        // D + "/" + N (its link's target while an edit runs)
  std::string languageBackupCopy;  // G + "/lumaset_BAK/" + N
  std::string languageFileName;    // N
  bool languageAbsent = false;
  // The host had a language file until an update removed its folder: the host goes on
  // without one (`languageAbsent` is set too), and its backup copy is kept.
  bool languageGone = false;

  // The host's icon file (its link's target while an edit runs).
  std::string hostFile(const std::string& name) const;
  std::string backupFile(const std::string& name) const { return iconBackup + sep + name; }

  // By record key: the host's file, its backup copy, the second copy (index and language
  // file only; empty for the packs) and the copy of a previous backup.
  std::string hostPath(const std::string& key) const;
  std::string backupPath(const std::string& key) const;
  std::string secondCopyPath(const std::string& key) const;
  std::string oldBackupPath(const std::string& key) const;
  // The record in the icon backup folder, and its copy in the language one.
  std::string recordPath() const { return iconBackup + sep + kRecordFile; }
  std::string recordSecondCopyPath() const { return languageBackup + sep + kRecordFile; }

  std::map<std::string, std::string> linkTargets;  // by record key, for host files that are links
  char sep = '\\';
};

BackupLayout backupLayout(const Context& ctx);

// Whether the located host's language folder is gone (an update removed it).
bool languageFileGone(const Context& ctx);

// The backup copy of the host's index: R + "/lumaset_BAK/IconResources.idx".
std::string backupIndexPath(const Context& ctx);

// The host's icon files that a backup of a host of this layout holds, in the order they
// are backed up: the index, then the packs (the extra two only in the four-pack layout).
// The packs go back in the opposite order.
std::vector<const char*> backedUpIconFiles(IndexLayout layout);

// The layout when the run state names one host completely; otherwise nothing, after a
// refusal naming the host folder, so that no backup or host path is ever built from an
// empty or foreign folder.
std::optional<BackupLayout> settledBackupLayout(Context& ctx, Outcome& out);

}  // namespace lumaset
