#include "backup/host_look.h"

#include "backup/edit_session.h"
#include "backup/host_damage.h"
#include "backup/host_record.h"
#include "formats/startup_text_marker.h"
#include "iconstore/index_format.h"
#include "run/host_location.h"

namespace lumaset {

HostLook carriedLook(const Context& ctx) {
  if (!hostPathsSettled(ctx.state, ctx.sep())) return {};
  BackupLayout b = backupLayout(ctx);
  // Before any backup nothing has been changed; a backup whose index copy was lost is
  // not that.
  const bool anyBackup = ctx.files.exists(b.backupFile(kIndexFile)) || ctx.files.exists(b.recordPath()) ||
                         ctx.files.exists(b.recordSecondCopyPath());
  followLinks(ctx.files, b);
  // A damaged host carries no look anyone can name.
  if (damagedHostFile(ctx.files, b)) return {};
  const bool marked = !b.languageAbsent && carriesStartupTextMarker(ctx.files.readFile(b.hostPath(kLanguageKey)));
  if (!anyBackup) {
    // Copies set aside are an earlier backup's: the host may carry what it was made for.
    const bool setAside = ctx.files.exists(b.iconBackupOld) || ctx.files.exists(b.languageBackupOld);
    return marked || setAside ? HostLook{} : HostLook{LookKind::Own, ""};
  }
  HostRecord record(ctx.files, b);
  if (!record.found()) return {};
  auto asLeft = [](HostFileState state) { return state == HostFileState::Untouched || state == HostFileState::AsLeft; };
  const HostFileState index = record.state(kIndexFile);
  if (!asLeft(index)) return {};
  for (const std::string& key : record.backedUpKeys()) {
    if (key == kIndexFile || (key == kLanguageKey && b.languageAbsent)) continue;
    if (!asLeft(record.state(key))) return {};
  }
  if (index == HostFileState::Untouched) {
    // The icons are the host's own; its look is not while the startup-text block stays.
    if (marked) return {};
    return {LookKind::Own, ""};
  }
  const HostLook& applied = record.applied();
  return applied.kind == LookKind::Theme || applied.kind == LookKind::Custom ? applied : HostLook{};
}

}  // namespace lumaset
