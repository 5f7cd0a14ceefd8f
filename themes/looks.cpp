#include "themes/looks.h"

#include "backup/backup_layout.h"
#include "formats/path_text.h"
#include "iconstore/host_images.h"
#include "iconstore/lookup.h"
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
  Outcome read;
  parseIndexFile(ctx.files, ctx.state.currentIndexPath, ctx.state.records, read);
  Look look;
  look.reports = std::move(read.reports);
  lookUpPreviewImages(ctx, ctx.state.records, look);
  look.description = "当前 Photoshop 的启动画面";
  look.startupTextToggle = startupTextToggleFor(ctx, kCurrentEntry);
  look.overlay = chooseOverlay(look.startupTextToggle, ctx.state.release18OrLater);
  return look;
}

Look defaultLook(const Context& ctx) {
  RecordTable table = ctx.state.records;
  Outcome read;
  parseIndexFile(ctx.files, backupIndexPath(ctx), table, read);
  Look look;
  look.reports = std::move(read.reports);
  lookUpPreviewImages(ctx, table, look);
  look.startupTextToggle = startupTextToggleFor(ctx, kDefaultEntry);
  look.overlay = chooseOverlay(look.startupTextToggle, ctx.state.release18OrLater);
  look.description = "Photoshop 的默认启动画面（备份的画面）";
  return look;
}

}  // namespace lumaset
