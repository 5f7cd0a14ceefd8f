#include "themes/apply.h"

#include <algorithm>

#include "backup/backup_copies.h"
#include "backup/create_backup.h"
#include "backup/edit_session.h"
#include "backup/restore.h"
#include "iconstore/host_images.h"
#include "iconstore/index_format.h"
#include "iconstore/pack_append.h"
#include "run/host_location.h"
#include "starttext/marker.h"
#include "starttext/startup_text.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

// A theme's word.text is a few kilobytes; anything far larger is no startup text.
constexpr std::uint64_t kThemeTextLimit = 1ull << 20;

std::string joinNames(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : "、") + name;
  return list;
}

// What a host with fewer images than the theme brings does with them: the dark icon goes
// into a single app-bar icon, images without a resource are skipped. Told in one note.
void noteSkippedImages(const RecordTable& table, const ImageSlots& slots, Outcome& out) {
  std::vector<std::string> skipped;
  bool splashSkipped = false;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].empty()) continue;
    const HostImage image = kThemeImages[i].image;
    const std::string name = imageResourceName(image);
    if (hostResource(table, image)) continue;
    if (std::find(skipped.begin(), skipped.end(), name) == skipped.end()) skipped.push_back(name);
    splashSkipped = splashSkipped || image == HostImage::Splash;
  }
  if (darkIconIsSingleIcon(table) && (!slots[2].empty() || !slots[3].empty()))
    out.noteLine(MessageId::SingleIconTakesDark, {}, kSingleIconResource);
  if (!skipped.empty())
    out.noteLine(splashSkipped ? MessageId::ImagesSkipped : MessageId::IconsSkipped, {}, joinNames(skipped));
}

// An apply needs the host located by the front end: index present and paths complete.
Outcome hostReady(const Context& ctx) {
  Outcome out;
  if (!hostReadyForChange(ctx)) out.refuse(MessageId::HostPathWrong, ctx.state.hostFolder);
  return out;
}

// What an apply changes, gathered and checked before anything is written.
struct ApplyPlan {
  bool icons = false;  // the icon files go back to the backup's, with `slots` on them
  ImageSlots slots;
  HostLook look;      // what the images are, for the record
  bool toggle = false;  // the front end's startup-text toggle, for the record
  bool text = false;  // the language file goes back, then the block of `textMode`
  StartupTextMode textMode = StartupTextMode::Restore;
  Bytes themeText;
  // What this host could not take, said once after the apply.
  Outcome notes;
};

std::vector<std::string> changingKeys(EditSession& s, const ApplyPlan& plan) {
  std::vector<std::string> keys = plan.icons ? s.iconKeys() : std::vector<std::string>{};
  if (plan.text) keys.push_back(kLanguageKey);
  return keys;
}

// The backup mended or made, and the state of each file the apply changes taken; a file
// that someone else changed refuses the apply, whose backup copy would be older than it.
Outcome backedUp(EditSession& s, const std::vector<std::string>& keys, Verdicts& verdicts) {
  Outcome out = backupBeforeChange(s);
  if (!out.done()) return out;
  // A language copy that carries the program's block (from an older release) would give
  // the block back as the host's own text.
  if (std::find(keys.begin(), keys.end(), kLanguageKey) != keys.end() &&
      languageFileCarriesMarker(s.files(), s.layout().languageBackupCopy)) {
    out.refuse(MessageId::BadLanguageBackup);
    return out;
  }
  verdicts = verdictsOf(s, keys);
  for (const auto& [key, verdict] : verdicts) {
    if (verdict == Verdict::Changed || verdict == Verdict::NoBackup) {
      out.refuse(MessageId::ChangedByOthers);
      break;
    }
  }
  return out;
}

MessageId refusalMessage(PlanProblem problem) {
  switch (problem) {
    case PlanProblem::NoSuchResource:
      return MessageId::NoSuchResource;
    case PlanProblem::NotAPng:
      return MessageId::NotAPng;
    case PlanProblem::PackTooLarge:
      break;
  }
  return MessageId::PackTooLarge;
}

std::map<Pack, std::string> packPaths(const BackupLayout& b) {
  return {{Pack::LowRes, b.hostFile(kLowResPack)}, {Pack::HighRes, b.hostFile(kHighResPack)}};
}

// The images planned over the backed-up index into `plan`, refused as a whole before any
// change. Images this host has no resource for are skipped, and said in `notes`.
Outcome planImages(EditSession& s, const ImageSlots& slots, Outcome& notes, std::optional<ReplacementPlan>& plan) {
  Outcome out;
  // The index the apply writes is the backed-up one with the images on it: its layout
  // and records come from that file, read here.
  std::optional<RecordTable> table = soundBackupIndex(s);
  if (!table) {
    out.refuse(MessageId::BackupIndexDamaged, s.layout().backupFile(kIndexFile));
    return out;
  }
  if (missingImages(*table).size() == std::size(kHostImages)) {
    out.refuse(MessageId::NoReplaceableImages, s.layout().backupFile(kIndexFile));
    return out;
  }
  std::vector<Replacement> replacements;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].empty()) continue;
    if (std::optional<std::string> resource = hostResource(*table, kThemeImages[i].image))
      replacements.push_back({*resource, kThemeImages[i].pack, slots[i]});
  }
  noteSkippedImages(*table, slots, notes);
  const PackSizes sizes = {s.files().info(s.layout().backupFile(kLowResPack)).size,
                           s.files().info(s.layout().backupFile(kHighResPack)).size};
  PlanRefusal refusal;
  plan = planReplacements(s.files(), *table, sizes, packPaths(s.layout()), replacements, refusal);
  if (!plan) out.refuse(refusalMessage(refusal.problem), refusal.name);
  return out;
}

// The icon files back to the backup's, then the images on them.
Outcome writeImages(EditSession& s, const ReplacementPlan& images, const Verdicts& verdicts, const HostLook& look,
                    const ImageSlots& slots) {
  Outcome out = copyBackIconFiles(s, verdicts, CopyBackPolicy::StopAtFirstFailure);
  // The packs take the images one by one: until the index is written the record may
  // not call any of them the original.
  s.record().markPending({kIndexFile, kLowResPack, kHighResPack});
  if (!out.done()) return out;
  const std::optional<std::string> failed =
      writeReplacements(s.edit(), images, packPaths(s.layout()), s.layout().hostFile(kIndexFile));
  if (failed) {
    out.fail(MessageId::WriteFailed, *failed);
    return out;
  }
  for (const char* key : {kIndexFile, kLowResPack, kHighResPack}) s.record().noteChanged(key);
  AppliedRequest request;
  if (look.kind == LookKind::Custom) request.images.assign(slots.begin(), slots.end());
  s.record().noteApplied(look, std::move(request));
  return out;
}

// Runs a checked plan: every file it changes is marked in the record first and noted
// after, the icon files go back and take the images, then the language file follows.
Outcome runPlan(EditSession& s, const ApplyPlan& plan) {
  const std::vector<std::string> keys = changingKeys(s, plan);
  Verdicts verdicts;
  Outcome out = backedUp(s, keys, verdicts);
  std::optional<ReplacementPlan> images;
  Outcome notes = plan.notes;
  if (out.done() && plan.icons) out.add(planImages(s, plan.slots, notes, images));
  if (!out.done()) return out;
  s.record().markPending(keys);
  out.add(s.saveRecord());
  if (!out.done()) return out;
  if (plan.icons) out.add(writeImages(s, *images, verdicts, plan.look, plan.slots));
  if (out.done() && plan.text) out.add(setStartupText(s, verdicts.at(kLanguageKey), plan.textMode, plan.themeText));
  if (out.done()) s.record().noteStartupTextToggle(plan.toggle);
  out.add(s.saveRecord());
  if (out.done()) out.add(std::move(notes));
  return out;
}

// "[默认]": every file that carries the program's addition goes back; files that someone
// else changed are the host's own already and stay.
Outcome runDefault(EditSession& s) {
  Outcome out = backupBeforeChange(s);
  if (out.done()) out.add(restoreDefaults(s));
  return out;
}

// The theme text step that the toggle and the theme text call for. A host without a
// language file has no startup text to change: the step is skipped, and said when it
// would have hidden or replaced the text.
void planText(const Context& ctx, ApplyPlan& plan, const std::string& themeText, bool toggle) {
  if (ctx.state.languageAbsent() || languageFileGone(ctx)) {
    if (toggle) plan.notes.noteLine(MessageId::StartupTextSkipped);
    return;
  }
  // Unticked, the host's own texts come back whether or not the theme has one: an earlier
  // apply's block must not stay in the language file.
  plan.text = true;
  if (!toggle) {
    plan.textMode = StartupTextMode::Restore;
  } else {
    plan.textMode = themeText.empty() ? StartupTextMode::Hide : StartupTextMode::Replace;
  }
}

// The theme text's bytes; refused when it is no text to apply.
Outcome readThemeText(Context& ctx, const std::string& path, ApplyPlan& plan) {
  Outcome out;
  if (path.empty() || !plan.text || plan.textMode != StartupTextMode::Replace) return out;
  const FileInfo info = ctx.files.info(path);
  if (info.isFolder || info.size > kThemeTextLimit) {
    out.refuse(MessageId::ThemeTextInvalid, path);
    return out;
  }
  plan.themeText = ctx.files.readFile(path);
  return out;
}

Outcome applyEntry(Context& ctx, const std::string& entry, bool startupTextToggle) {
  Outcome out = checkEntry(ctx, entry);
  if (out.done()) out.add(hostReady(ctx));
  if (!out.done()) return out;
  std::unique_ptr<EditSession> session = EditSession::open(ctx, out);
  if (!session) return out;
  if (entry == kDefaultEntry) {
    out.add(runDefault(*session));
    return out;
  }
  ApplyPlan plan;
  std::string text;
  if (entry != kCurrentEntry) {
    plan.icons = true;
    plan.look = {LookKind::Theme, entry};
    for (std::size_t i = 0; i < plan.slots.size(); ++i) {
      std::string file = themeFile(ctx, entry, kThemeImages[i].file);
      if (ctx.files.exists(file)) plan.slots[i] = file;
    }
    if (themeCarriesText(ctx, entry)) text = themeFile(ctx, entry, kThemeText);
  }
  plan.toggle = startupTextToggle;
  planText(ctx, plan, text, startupTextToggle);
  out.add(readThemeText(ctx, text, plan));
  if (out.done()) out.add(runPlan(*session, plan));
  return out;
}

}  // namespace

Outcome checkEntry(const Context& ctx, const std::string& entry) {
  Outcome out;
  if (entry != kCurrentEntry && entry != kDefaultEntry && !isTheme(ctx, entry))
    out.refuse(MessageId::NoSuchTheme, {}, entry);
  return out;
}

// The user meant an image in each field that names one: an apply without it would give
// the host something other than was asked.
Outcome checkCustomFields(const Context& ctx, const ImageSlots& fields) {
  Outcome out;
  bool any = false;
  for (const std::string& field : fields) {
    if (field.empty()) continue;
    if (!ctx.files.exists(field)) {
      out.refuse(MessageId::CustomImageMissing, field);
      return out;
    }
    any = true;
  }
  if (!any) out.refuse(MessageId::NoCustomImages);
  return out;
}

bool hostReadyForChange(const Context& ctx) {
  return ctx.files.exists(ctx.state.currentIndexPath) && hostPathsSettled(ctx.state, ctx.sep());
}

Outcome applyFromThemeList(Context& ctx, const std::string& entry, bool startupTextToggle) {
  Outcome out = applyEntry(ctx, entry, startupTextToggle);
  if (out.done()) out.note(MessageId::Applied);
  return out;
}

Outcome applyCustomImages(Context& ctx, const ImageSlots& fields, bool startupTextToggle) {
  ApplyPlan plan;
  plan.icons = true;
  plan.look = {LookKind::Custom, ""};
  Outcome out = checkCustomFields(ctx, fields);
  if (out.done()) out.add(hostReady(ctx));
  if (!out.done()) return out;
  plan.slots = fields;
  std::unique_ptr<EditSession> session = EditSession::open(ctx, out);
  if (!session) return out;
  plan.toggle = startupTextToggle;
  planText(ctx, plan, "", startupTextToggle);
  out.add(runPlan(*session, plan));
  if (out.done()) out.note(MessageId::Applied);
  return out;
}

}  // namespace lumaset
