#include "themes/apply.h"

#include <algorithm>

#include "run/host_location.h"
#include "backup/backup_copies.h"
#include "backup/create_backup.h"
#include "backup/edit_session.h"
#include "backup/restore.h"
#include "iconstore/host_images.h"
#include "iconstore/index_format.h"
#include "iconstore/pack_append.h"
#include "starttext/marker.h"
#include "starttext/startup_text.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

struct SlotTarget {
  HostImage image;
  Pack pack;
};

constexpr SlotTarget kSlotTargets[6] = {
    {HostImage::Splash, Pack::LowRes},    {HostImage::Splash, Pack::HighRes},
    {HostImage::DarkIcon, Pack::LowRes},  {HostImage::DarkIcon, Pack::HighRes},
    {HostImage::LightIcon, Pack::LowRes}, {HostImage::LightIcon, Pack::HighRes},
};

// A theme's word.text is a few kilobytes; anything far larger is no startup text.
constexpr std::uint64_t kThemeTextLimit = 1ull << 20;

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

// What a host with fewer images than the theme brings does with them: the dark icon goes
// into a single app-bar icon, images without a resource are skipped. Empty when the
// host takes every image the slots hold.
std::string skippedImagesNote(const RecordTable& table, const ImageSlots& slots) {
  std::vector<std::string> lines, skipped;
  bool splashSkipped = false;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].empty()) continue;
    const HostImage image = kSlotTargets[i].image;
    const std::string name = imageResourceName(image);
    if (hostResource(table, image)) continue;
    if (std::find(skipped.begin(), skipped.end(), name) == skipped.end()) skipped.push_back(name);
    splashSkipped = splashSkipped || image == HostImage::Splash;
  }
  const bool darkMoved = darkIconIsSingleIcon(table) && (!slots[2].empty() || !slots[3].empty());
  if (darkMoved)
    lines.push_back(std::string("这个 Photoshop 只有一个应用栏图标 ") + kSingleIconResource + "，已换成主题的暗色图标");
  if (!skipped.empty()) {
    std::string list;
    for (const std::string& name : skipped) list += (list.empty() ? "" : "、") + name;
    lines.push_back(std::string("这个 Photoshop 没有以下") + (splashSkipped ? "图片" : "图标") + "，已跳过：" + list);
  }
  return joinLines(lines);
}

void showNoBackup(Context& ctx) {
  const std::string& host = ctx.state.hostFolder;
  ctx.ui.messageBox(
      "没有创建备份，所以无法为你进行下一步操作\r\n如果你 PS 安装在 C 盘，这可能是 Lumaset 没有目录修改权限造成，"
      "请用管理员模式运行 Lumaset 或者修改下面目录的读写权限：\r\n" +
          host + "Locales\r\n" + host + "Resources",
      kDefaultCaption, MessageIcon::None);
}

bool hostReady(Context& ctx) {
  return ctx.files.exists(ctx.state.currentIndexPath) && hostPathsSettled(ctx.state, ctx.sep());
}

// Index present and the host's paths complete, locating the host if not.
bool hostLocated(Context& ctx) {
  if (hostReady(ctx)) return true;
  locateHost(ctx);
  if (hostReady(ctx)) return true;
  ctx.ui.messageBox("Photoshop 路径有误：" + ctx.state.hostFolder, "错误", MessageIcon::None);
  return false;
}

// What an apply changes, gathered and checked before anything is written.
struct ApplyPlan {
  bool icons = false;  // the icon files go back to the backup's, with `slots` on them
  ImageSlots slots;
  bool text = false;  // the language file goes back, then the block of `textMode`
  StartupTextMode textMode = StartupTextMode::Restore;
  Bytes themeText;
  // What this host could not take, said once after the apply.
  std::vector<std::string> notes;
};

std::vector<std::string> changingKeys(EditSession& s, const ApplyPlan& plan) {
  std::vector<std::string> keys = plan.icons ? s.iconKeys() : std::vector<std::string>{};
  if (plan.text) keys.push_back(kLanguageKey);
  return keys;
}

// The backup mended or made, and the state of each file the apply changes taken; a file
// that someone else changed refuses the apply, whose backup copy would be older than it.
bool backedUp(EditSession& s, const std::vector<std::string>& keys, Verdicts& verdicts) {
  const std::vector<std::string> lost = mendBackupCopies(s);
  if (!lost.empty()) {
    s.showError(unmendableCopyMessage(s.layout().backupPath(lost.front())));
    return false;
  }
  if (!createBackup(s)) {
    showNoBackup(s.ctx());
    return false;
  }
  // A language copy that carries the program's block (from an older release) would give
  // the block back as the host's own text.
  if (std::find(keys.begin(), keys.end(), kLanguageKey) != keys.end() &&
      languageFileCarriesMarker(s.files(), s.layout().languageBackupCopy)) {
    s.ui().messageBox("你的备份文件不正确，这导致你无法恢复默认的启动文字", "错误", MessageIcon::None);
    return false;
  }
  verdicts = verdictsOf(s, keys);
  for (const auto& [key, verdict] : verdicts) {
    if (verdict == Verdict::Changed || verdict == Verdict::NoBackup) {
      s.showError(kChangedByOthersMessage);
      return false;
    }
  }
  return true;
}

std::map<Pack, std::string> packPaths(const BackupLayout& b) {
  return {{Pack::LowRes, b.hostFile(kLowResPack)}, {Pack::HighRes, b.hostFile(kHighResPack)}};
}

// The images planned over the backed-up index, refused as a whole before any change.
// Images this host has no resource for are skipped, and said in `notes`.
std::optional<ReplacementPlan> planImages(EditSession& s, const ImageSlots& slots, std::vector<std::string>& notes) {
  std::optional<RecordTable> table = soundBackupIndex(s);
  if (!table) {
    s.showError("备份的索引文件无法读取或已损坏，未作任何修改：" + s.layout().backupFile(kIndexFile));
    return std::nullopt;
  }
  if (missingImages(*table).size() == std::size(kHostImages)) {
    s.showError("这个 Photoshop 的图标索引里没有可以替换的图片，未作任何修改：" + s.layout().backupFile(kIndexFile));
    return std::nullopt;
  }
  std::vector<Replacement> replacements;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].empty()) continue;
    if (std::optional<std::string> resource = hostResource(*table, kSlotTargets[i].image))
      replacements.push_back({*resource, kSlotTargets[i].pack, slots[i]});
  }
  const std::string skipped = skippedImagesNote(*table, slots);
  if (!skipped.empty()) notes.push_back(skipped);
  const PackSizes sizes = {s.files().info(s.layout().backupFile(kLowResPack)).size,
                           s.files().info(s.layout().backupFile(kHighResPack)).size};
  std::string refusal;
  std::optional<ReplacementPlan> plan =
      planReplacements(s.files(), *table, sizes, packPaths(s.layout()), replacements, refusal);
  if (!plan) s.showError(refusal);
  return plan;
}

// Runs a checked plan: every file it changes is marked in the record first and noted
// after, the icon files go back and take the images, then the language file follows.
bool runPlan(EditSession& s, const ApplyPlan& plan) {
  const std::vector<std::string> keys = changingKeys(s, plan);
  Verdicts verdicts;
  if (!backedUp(s, keys, verdicts)) return false;
  std::optional<ReplacementPlan> images;
  std::vector<std::string> notes = plan.notes;
  if (plan.icons && !(images = planImages(s, plan.slots, notes))) return false;
  s.record().markPending(keys);
  if (!s.saveRecord()) return false;
  bool done = true;
  if (plan.icons) {
    done = copyBackIconFiles(s, verdicts, CopyBackPolicy::StopAtFirstFailure);
    // The packs take the images one by one: until the index is written the record may
    // not call any of them the original.
    s.record().markPending({kIndexFile, kLowResPack, kHighResPack});
    done = done &&
           writeReplacements(s.edit(), s.ui(), *images, packPaths(s.layout()), s.layout().hostFile(kIndexFile));
    if (done) {
      for (const char* key : {kIndexFile, kLowResPack, kHighResPack}) s.record().noteChanged(key);
      s.ctx().state.records = images->table;
    }
  }
  if (done && plan.text) done = setStartupText(s, verdicts.at(kLanguageKey), plan.textMode, plan.themeText);
  done = s.saveRecord() && done;
  if (done && !notes.empty()) s.ui().messageBox(joinLines(notes), "应用", MessageIcon::None);
  return done;
}

// "[默认]": every file that carries the program's addition goes back; files that someone
// else changed are the host's own already and stay.
bool runDefault(EditSession& s) {
  const std::vector<std::string> lost = mendBackupCopies(s);
  if (!lost.empty()) {
    s.showError(unmendableCopyMessage(s.layout().backupPath(lost.front())));
    return false;
  }
  if (!createBackup(s)) {
    showNoBackup(s.ctx());
    return false;
  }
  if (!restoreDefaults(s)) return false;
  if (std::optional<RecordTable> table = soundBackupIndex(s)) s.ctx().state.records = *table;
  return true;
}

// The theme text step that the toggle and the theme text call for. A host without a
// language file has no startup text to change: the step is skipped, and said when it
// would have hidden or replaced the text.
void planText(const Context& ctx, ApplyPlan& plan, const std::string& themeText, bool toggle) {
  if (ctx.state.languageAbsent()) {
    if (toggle) plan.notes.push_back(kNoLanguageFileNote);
    return;
  }
  if (themeText.empty()) {
    plan.text = true;
    plan.textMode = toggle ? StartupTextMode::Hide : StartupTextMode::Restore;
  } else if (toggle) {
    plan.text = true;
    plan.textMode = StartupTextMode::Replace;
  }
}

// The theme text's bytes; false after a message when it is no text to apply.
bool readThemeText(Context& ctx, const std::string& path, ApplyPlan& plan) {
  if (path.empty() || !plan.text || plan.textMode != StartupTextMode::Replace) return true;
  const FileInfo info = ctx.files.info(path);
  if (info.isFolder || info.size > kThemeTextLimit) {
    ctx.ui.messageBox("启动文字文件不是有效的文本文件，未作修改：" + path, "错误", MessageIcon::Error);
    return false;
  }
  plan.themeText = ctx.files.readFile(path);
  return true;
}

bool applyEntry(Context& ctx, const std::string& entry, bool startupTextToggle) {
  if (!hostLocated(ctx)) return false;
  std::unique_ptr<EditSession> session = EditSession::open(ctx);
  if (!session) return false;
  if (entry == kDefaultEntry) return runDefault(*session);
  ApplyPlan plan;
  std::string text;
  if (entry != kCurrentEntry) {
    plan.icons = true;
    for (std::size_t i = 0; i < plan.slots.size(); ++i) {
      std::string file = themeFile(ctx, entry, slotThemeFiles()[i]);
      if (ctx.files.exists(file)) plan.slots[i] = file;
    }
    text = themeFile(ctx, entry, kThemeText);
    if (!ctx.files.exists(text)) text.clear();
  }
  planText(ctx, plan, text, startupTextToggle);
  return readThemeText(ctx, text, plan) && runPlan(*session, plan);
}

}  // namespace

const std::array<const char*, 6>& slotThemeFiles() {
  static const std::array<const char*, 6> files = {kSplashLow, kSplashHigh, kDarkLow, kDarkHigh, kLightLow, kLightHigh};
  return files;
}

void applyFromThemeList(Context& ctx, const std::string& entry, bool startupTextToggle) {
  ErrorWatch watch(ctx.ui);
  Context watched{ctx.files, watch, ctx.view, ctx.state, ctx.programFolder};
  BusyCursor busy(watch);
  applyEntry(watched, entry, startupTextToggle);
  // Reporting success after an error box would tell the user a failure went well.
  if (!watch.errorShown()) ctx.ui.messageBox("修改完成", "应用", MessageIcon::None);
}

void applyCustomImages(Context& ctx, const ImageSlots& fields, bool startupTextToggle) {
  BusyCursor busy(ctx.ui);
  if (!hostLocated(ctx)) return;
  std::unique_ptr<EditSession> session = EditSession::open(ctx);
  if (!session) return;
  ApplyPlan plan;
  plan.icons = true;
  for (std::size_t i = 0; i < plan.slots.size(); ++i) {
    if (!fields[i].empty() && ctx.files.exists(fields[i])) plan.slots[i] = fields[i];
  }
  planText(ctx, plan, "", startupTextToggle);
  runPlan(*session, plan);
}

}  // namespace lumaset
