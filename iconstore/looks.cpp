#include "iconstore/looks.h"

#include "app/paths.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"
#include "starttext/marker.h"

namespace lumaset {
namespace {

void lookUpPreviewImages(Context& ctx, Look& look) {
  // Packs always come from the current index's folder, also for the backup index: a
  // rebuild only appends, so the bytes the backup index points at are still there.
  std::string packFolder = folderWithSeparator(ctx.state.currentIndexPath, ctx.sep());
  const RecordTable& table = ctx.state.records;
  look.splash = lookUpImage(table, ctx.files, packFolder, kSplashResource, Pack::LowRes);
  look.darkIcon = lookUpImage(table, ctx.files, packFolder, kDarkIconResource, Pack::LowRes);
  look.lightIcon = lookUpImage(table, ctx.files, packFolder, kLightIconResource, Pack::LowRes);
}

}  // namespace

Overlay chooseOverlay(bool startupTextToggle, bool version18) {
  if (version18) return Overlay::Clear;
  return startupTextToggle ? Overlay::Clear : Overlay::Marked;
}

std::string backupIndexPath(const Context& ctx) {
  char sep = ctx.sep();
  return resourcesFolder(ctx.state.hostFolder, sep) + sep + "lumaset_BAK" + sep + kIndexFile;
}

Look showCurrentLook(Context& ctx) {
  parseIndex(ctx.files.readFile(ctx.state.currentIndexPath), ctx.state.records, ctx.ui);
  Look look;
  lookUpPreviewImages(ctx, look);
  look.description = "当前 Photoshop 的启动画面";
  ctx.state.startupTextToggle = languageFileCarriesMarker(ctx.files, ctx.state.languageFilePath);
  look.startupTextToggle = ctx.state.startupTextToggle;
  look.overlay = chooseOverlay(look.startupTextToggle, ctx.state.version18);
  ctx.view.showLook(look);
  return look;
}

Look showDefaultLook(Context& ctx) {
  parseIndex(ctx.files.readFile(backupIndexPath(ctx)), ctx.state.records, ctx.ui);
  Look look;
  lookUpPreviewImages(ctx, look);
  ctx.state.startupTextToggle = false;
  look.startupTextToggle = false;
  look.overlay = chooseOverlay(false, ctx.state.version18);
  look.description = "Photoshop 的默认启动画面（备份的画面）";
  ctx.view.showLook(look);
  return look;
}

}  // namespace lumaset
