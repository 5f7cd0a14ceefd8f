#include "backup/undone_look.h"

#include "backup/edit_session.h"
#include "backup/host_damage.h"
#include "backup/host_record.h"
#include "iconstore/index_format.h"
#include "run/host_location.h"

namespace lumaset {
namespace {

// Whether the icon files no longer carry the apply's images. Every apply writes the
// index anew, so an index that is the host's own again (renewed as the original after an
// update) has lost them too; a pack may keep the backup's bytes through an apply that
// put nothing into it.
std::optional<bool> iconsUndone(HostRecord& record) {
  bool undone = false;
  for (const char* key : {kIndexFile, kLowResPack, kHighResPack}) {
    const HostFileState state = record.state(key);
    if (state == HostFileState::Unknown) return std::nullopt;
    undone = undone || state == HostFileState::Foreign ||
             (key == std::string(kIndexFile) && state == HostFileState::Untouched);
  }
  return undone;
}

}  // namespace

std::optional<UndoneLook> undoneLook(const Context& ctx) {
  if (!hostPathsSettled(ctx.state, ctx.sep())) return std::nullopt;
  BackupLayout b = backupLayout(ctx);
  if (!ctx.files.exists(b.recordPath()) && !ctx.files.exists(b.recordSecondCopyPath())) return std::nullopt;
  followLinks(ctx.files, b);
  HostRecord record(ctx.files, b);
  const HostLook& applied = record.applied();
  if (!record.found() || (applied.kind != LookKind::Theme && applied.kind != LookKind::Custom)) return std::nullopt;
  if (damagedHostFile(ctx.files, b)) return std::nullopt;
  const std::optional<bool> icons = iconsUndone(record);
  if (!icons) return std::nullopt;
  bool undone = *icons;
  const bool textSet = record.appliedWith().startupTextToggle.value_or(false);
  if (textSet && !b.languageAbsent && record.state(kLanguageKey) == HostFileState::Foreign) undone = true;
  if (!undone) return std::nullopt;
  return UndoneLook{applied, record.appliedWith()};
}

}  // namespace lumaset
