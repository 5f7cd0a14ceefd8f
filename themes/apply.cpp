#include "themes/apply.h"

#include "app/host_location.h"
#include "app/index_reading.h"
#include "backup/create_backup.h"
#include "backup/host_edit_scope.h"
#include "backup/host_record.h"
#include "backup/restore.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "iconstore/pack_rebuild.h"
#include "starttext/startup_text.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

struct SlotTarget {
  const char* resource;
  Pack pack;
};

constexpr SlotTarget kSlotTargets[6] = {
    {kSplashResource, Pack::LowRes},    {kSplashResource, Pack::HighRes},   {kDarkIconResource, Pack::LowRes},
    {kDarkIconResource, Pack::HighRes}, {kLightIconResource, Pack::LowRes}, {kLightIconResource, Pack::HighRes},
};

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

// Backup made, current index parsed, and the host's files as the backup or the program
// left them: an apply over files that someone else changed since the backup (an update
// of the host, typically) would put an older version's files over them.
bool backedUpAndParsed(Context& ctx) {
  if (!createBackup(ctx)) {
    showNoBackup(ctx);
    return false;
  }
  parseIndexFile(ctx.files, ctx.state.currentIndexPath, ctx.state.records, ctx.ui);
  HostRecord record(ctx, backupLayout(ctx));
  if (!record.changedByOthers(recordKeys(ctx.state))) return true;
  ctx.ui.messageBox(
      "Photoshop 的文件在备份之后被改动过（可能是 Photoshop 更新了）。为免损坏，本次未作任何修改。"
      "请先点“备份”更新备份，再应用主题。",
      "错误", MessageIcon::Error);
  return false;
}

// Appends the images and writes the index, with the record marking the three files
// before and noting them after.
bool replaceAndNote(Context& ctx, const std::vector<Replacement>& replacements) {
  RecordInUse inUse(ctx, backupLayout(ctx));
  HostRecord& record = *inUse;
  const std::vector<std::string> keys = {kIndexFile, kLowResPack, kHighResPack};
  record.markPending(keys);
  if (!record.save()) return false;
  bool written = replaceImages(*ctx.edit, ctx.ui, ctx.state.records, ctx.state.currentIndexPath, replacements) !=
                 ReplaceOutcome::WriteFailed;
  if (written) {
    for (const std::string& key : keys) record.noteChanged(key);
  }
  return record.save() && written;
}

// The startup-text call that the toggle and the theme text call for.
void startupTextStep(Context& ctx, const std::string& themeText, bool toggle) {
  if (!themeText.empty()) {
    if (toggle) setStartupText(ctx, themeText, false);
    return;
  }
  setStartupText(ctx, "", !toggle);
}

}  // namespace

const std::array<const char*, 6>& slotThemeFiles() {
  static const std::array<const char*, 6> files = {kSplashLow, kSplashHigh, kDarkLow, kDarkHigh, kLightLow, kLightHigh};
  return files;
}

bool applyImages(Context& ctx, const ImageSlots& slots) {
  if (!createBackup(ctx)) {
    showNoBackup(ctx);
    return false;
  }
  HostEditScope scope(ctx, backupLayout(ctx));
  if (!scope.ok()) return false;
  // The copy-back refuses a backup index that is not sound before anything is put back.
  if (!copyBackIconFiles(ctx, CopyBackPolicy::StopAtFirstFailure)) return false;
  if (!parseIndexFile(ctx.files, ctx.state.currentIndexPath, ctx.state.records, ctx.ui)) {
    ctx.ui.messageBox("恢复后的索引文件无法读取：" + ctx.state.currentIndexPath, "错误", MessageIcon::Error);
    return false;
  }
  std::vector<Replacement> replacements;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (!slots[i].empty()) replacements.push_back({kSlotTargets[i].resource, kSlotTargets[i].pack, slots[i]});
  }
  return replaceAndNote(ctx, replacements);
}

void applyFromThemeList(Context& ctx, const std::string& entry, bool startupTextToggle) {
  ErrorWatch watch(ctx.ui);
  Context watched{ctx.files, watch, ctx.view, ctx.state, ctx.programFolder};
  BusyCursor busy(watch);
  if (!hostLocated(watched)) return;
  HostEditScope scope(watched, backupLayout(watched));
  if (!scope.ok() || !backedUpAndParsed(watched)) return;
  std::vector<std::string> changing = {kLanguageKey};
  if (entry != kCurrentEntry) changing = recordKeys(watched.state);
  RecordBatch batch(watched, backupLayout(watched), changing);
  if (!batch.ok()) return;

  if (entry == kCurrentEntry) {
    startupTextStep(watched, "", startupTextToggle);
  } else if (entry == kDefaultEntry) {
    restoreDefaults(watched);
  } else {
    ImageSlots slots;
    for (std::size_t i = 0; i < slots.size(); ++i) {
      std::string file = themeFile(watched, entry, slotThemeFiles()[i]);
      if (watched.files.exists(file)) slots[i] = file;
    }
    if (!applyImages(watched, slots)) return;
    std::string text = themeFile(watched, entry, kThemeText);
    startupTextStep(watched, watched.files.exists(text) ? text : "", startupTextToggle);
  }
  // Reporting success after an error box would tell the user a failure went well.
  if (!watch.errorShown()) ctx.ui.messageBox("修改完成", "应用", MessageIcon::None);
}

void applyCustomImages(Context& ctx, const ImageSlots& fields, bool startupTextToggle) {
  BusyCursor busy(ctx.ui);
  if (!hostLocated(ctx)) return;
  HostEditScope scope(ctx, backupLayout(ctx));
  if (!scope.ok() || !backedUpAndParsed(ctx)) return;
  RecordBatch batch(ctx, backupLayout(ctx), recordKeys(ctx.state));
  if (!batch.ok()) return;
  ImageSlots slots;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (!fields[i].empty() && ctx.files.exists(fields[i])) slots[i] = fields[i];
  }
  if (!applyImages(ctx, slots)) return;
  setStartupText(ctx, "", !startupTextToggle);
}

}  // namespace lumaset
