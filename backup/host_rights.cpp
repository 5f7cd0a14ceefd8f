#include "backup/host_rights.h"

#include "backup/backup_layout.h"
#include "backup/edit_session.h"
#include "formats/path_text.h"
#include "run/host_location.h"

namespace lumaset {

namespace {

// The folder itself, or the nearest folder above it that is there.
std::string existingFolder(SystemReading& files, std::string folder) {
  const std::string_view separators = separatorsFor(files.separator());
  while (!folder.empty() && !files.info(folder).isFolder) folder = folderOf(folder, separators);
  return folder;
}

}  // namespace

bool hostNeedsAdministrator(Context& ctx) {
  if (!hostPathsSettled(ctx.state, ctx.sep())) return false;
  Outcome unused;
  const std::optional<BackupLayout> layout = settledBackupLayout(ctx, unused);
  if (!layout) return false;
  const HostEditPaths paths = hostEditPaths(*layout, ctx.state);
  for (const std::string& folder : paths.changedFolders) {
    const std::string there = existingFolder(ctx.files, folder);
    if (!there.empty() && !ctx.files.securityAllowsChange(there)) return true;
  }
  for (const std::string& file : paths.changedFiles)
    if (ctx.files.info(file).exists && !ctx.files.securityAllowsChange(file)) return true;
  return false;
}

}  // namespace lumaset
