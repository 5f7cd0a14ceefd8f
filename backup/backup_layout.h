// Where the untouched copies of the host's files live: lumaset_BAK in the host's
// Resources folder for the icon files, and lumaset_BAK in Locales_BAK for the language
// file.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "iconstore/record_table.h"

namespace lumaset {

struct BackupLayout {
  std::string resources;           // R: the host's Resources folder
  std::string iconBackup;          // R + "/lumaset_BAK"
  std::string iconBackupOld;       // R + "/lumaset_BAK_old"
  std::string probe;               // R + "/lumaset_BAK/TEST"
  std::string languageBackup;      // G + "/lumaset_BAK"
  std::string languageBackupOld;   // G + "/lumaset_BAK_old"
  std::string languageFile;        // D + "/" + N
  std::string languageBackupCopy;  // G + "/lumaset_BAK/" + N

  std::string hostFile(const std::string& name) const { return resources + sep + name; }
  std::string backupFile(const std::string& name) const { return iconBackup + sep + name; }

  char sep = '\\';
};

BackupLayout backupLayout(const Context& ctx);

// The backup copy of the host's index: R + "/lumaset_BAK/IconResources.idx".
std::string backupIndexPath(const Context& ctx);

// The host's icon files that a backup of a host of this layout holds, in the order they
// are backed up: the index, then the packs (the extra two only in the four-pack layout).
// The packs go back in the opposite order.
std::vector<const char*> backedUpIconFiles(IndexLayout layout);

// The layout when the run state names one host completely; otherwise nothing, after
// the message "Photoshop 路径有误：" + host folder, so that no backup or host path is
// ever built from an empty or foreign folder.
std::optional<BackupLayout> settledBackupLayout(Context& ctx);

}  // namespace lumaset
