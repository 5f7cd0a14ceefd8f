#include "themes/reapply.h"

#include "backup/refresh_backup.h"
#include "themes/looks.h"

namespace lumaset {
namespace {

ImageSlots slotsOf(const AppliedRequest& request) {
  ImageSlots slots;
  for (std::size_t i = 0; i < slots.size() && i < request.images.size(); ++i) slots[i] = request.images[i];
  return slots;
}

// What the look needs that may have gone since it was applied.
Outcome checkStillThere(const Context& ctx, const UndoneLook& undone) {
  if (undone.look.kind == LookKind::Theme) return checkEntry(ctx, undone.look.theme);
  return checkCustomFields(ctx, slotsOf(undone.request));
}

// The renewal's own word of success is left out: the reapply says it in its own.
Outcome withoutRenewalNews(Outcome renewed) {
  std::erase_if(renewed.reports, [](const Report& r) {
    return r.id == MessageId::BackupRenewed || r.id == MessageId::BackupUpToDate || r.id == MessageId::BackupMade;
  });
  return renewed;
}

Outcome applyAgain(Context& ctx, const UndoneLook& undone) {
  if (undone.look.kind == LookKind::Theme) {
    const std::string& theme = undone.look.theme;
    return applyFromThemeList(ctx, theme, undone.request.startupTextToggle.value_or(startupTextToggleFor(ctx, theme)));
  }
  return applyCustomImages(ctx, slotsOf(undone.request), undone.request.startupTextToggle.value_or(false));
}

}  // namespace

Outcome reapplyUndoneLook(Context& ctx) {
  Outcome out;
  const std::optional<UndoneLook> undone = undoneLook(ctx);
  if (!undone) {
    out.refuse(MessageId::NothingToReapply);
    return out;
  }
  out = checkStillThere(ctx, *undone);
  if (!out.done()) return out;
  out = withoutRenewalNews(refreshBackup(ctx));
  if (!out.done()) return out;
  Outcome applied = applyAgain(ctx, *undone);
  const bool done = applied.done();
  std::erase_if(applied.reports, [](const Report& r) { return r.id == MessageId::Applied; });
  out.add(std::move(applied));
  if (done) out.note(MessageId::Reapplied, {}, undone->look.theme);
  return out;
}

}  // namespace lumaset
