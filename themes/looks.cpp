#include "themes/looks.h"

#include "backup/backup_layout.h"
#include "formats/path_text.h"
#include "iconstore/host_images.h"
#include "iconstore/lookup.h"
#include "iconstore/pack_append.h"
#include "run/index_reading.h"
#include "starttext/marker.h"
#include "themes/theme_folder.h"

namespace lumaset {
namespace {

void lookUpPreviewImages(const Context& ctx, const RecordTable& table, Look& look) {
  // Packs always come from the current index's folder, also for the backup index: a
  // rebuild only appends, so the bytes the backup index points at are still there.
  std::string packFolder = folderWithSeparator(ctx.state.currentIndexPath, ctx.sep());
  auto image = [&](HostImage which) {
    std::optional<std::string> resource = hostResource(table, which);
    return resource ? lookUpImage(table, ctx.files, packFolder, *resource, Pack::LowRes) : Bytes();
  };
  look.splash = image(HostImage::Splash);
  look.darkIcon = image(HostImage::DarkIcon);
  look.lightIcon = image(HostImage::LightIcon);
  look.hostLacks = missingImages(table);
  look.startupTextAvailable = !ctx.state.languageAbsent();
}

// Before a host is located there is no look to show, and nothing to warn about.
Look lookWithoutHost() {
  Look look;
  look.description = "还没有选择 Photoshop（点“Ps 路径”旁的文件夹按钮选择 Photoshop.exe）";
  look.builtIn = BuiltInDescription::NoHost;
  return look;
}

}  // namespace

Overlay chooseOverlay(bool startupTextToggle, bool release18OrLater) {
  if (release18OrLater) return Overlay::Clear;
  return startupTextToggle ? Overlay::Clear : Overlay::Marked;
}

bool startupTextToggleFor(const Context& ctx, const std::string& entry) {
  if (ctx.state.languageAbsent()) return false;
  if (entry == kCurrentEntry) return languageFileCarriesMarker(ctx.files, ctx.languageFilePath());
  if (entry == kDefaultEntry) return false;
  return themeHidesStartupText(ctx, entry);
}

Look currentLook(Context& ctx) {
  if (ctx.state.hostFolder.empty()) return lookWithoutHost();
  Outcome read;
  RecordTable table;
  const bool readable = parseIndexFile(ctx.files, ctx.state.currentIndexPath, table, read);
  // A damaged index of a host that has a backup: "[默认]" puts the original back.
  if (!readable && ctx.files.exists(ctx.state.currentIndexPath) && ctx.files.exists(backupIndexPath(ctx)))
    read.noteLine(MessageId::HostIndexDamagedAdvice, ctx.state.currentIndexPath);
  Look look;
  look.reports = std::move(read.reports);
  lookUpPreviewImages(ctx, table, look);
  look.description = "当前 Photoshop 的启动画面";
  look.builtIn = BuiltInDescription::Current;
  look.startupTextToggle = startupTextToggleFor(ctx, kCurrentEntry);
  look.overlay = chooseOverlay(look.startupTextToggle, ctx.state.release18OrLater);
  return look;
}

Look defaultLook(const Context& ctx) {
  if (ctx.state.hostFolder.empty()) return lookWithoutHost();
  RecordTable table;
  Outcome read;
  const std::string backupIndex = backupIndexPath(ctx);
  // Before the first backup nothing has been changed: the host's own images are its
  // current ones, and an apply would back up exactly those.
  const bool backedUp = ctx.files.exists(backupIndex);
  parseIndexFile(ctx.files, backedUp ? backupIndex : ctx.state.currentIndexPath, table, read);
  Look look;
  look.reports = std::move(read.reports);
  lookUpPreviewImages(ctx, table, look);
  look.startupTextToggle = startupTextToggleFor(ctx, kDefaultEntry);
  look.overlay = chooseOverlay(look.startupTextToggle, ctx.state.release18OrLater);
  look.description =
      backedUp ? "Photoshop 的默认启动画面（备份的画面）" : "Photoshop 的默认启动画面（还没有备份，就是当前的画面）";
  look.builtIn = backedUp ? BuiltInDescription::DefaultBackedUp : BuiltInDescription::DefaultNotBackedUp;
  return look;
}

Look customLook(const Context& ctx, const std::array<std::string, 6>& slots, bool startupTextToggle) {
  Look look = defaultLook(ctx);
  Bytes* images[6] = {&look.splash,   &look.splashHigh,   &look.darkIcon,
                      &look.darkIconHigh, &look.lightIcon, &look.lightIconHigh};
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].empty()) continue;
    if (std::optional<Bytes> picked = readPackImage(ctx.files, slots[i])) *images[i] = std::move(*picked);
  }
  look.startupTextToggle = startupTextToggle && look.startupTextAvailable;
  look.overlay = chooseOverlay(look.startupTextToggle, ctx.state.release18OrLater);
  look.description = "自定义图片：没有选择的图片用 Photoshop 的默认图片";
  look.builtIn = BuiltInDescription::Custom;
  return look;
}

}  // namespace lumaset
