#include "themes/theme_list.h"

#include <algorithm>

#include "formats/web_address.h"
#include "iconstore/host_images.h"
#include "run/index_reading.h"
#include "themes/theme_folder.h"

namespace lumaset {

std::vector<std::string> themeList(const Context& ctx) {
  std::vector<std::string> entries = {kCurrentEntry, kDefaultEntry};
  const std::vector<std::string> own = ctx.files.subfolders(themeLibrary(ctx));
  for (const std::string& folder : own)
    if (isTheme(ctx, folder)) entries.push_back(folder);
  // The shipped themes follow, but for those the user's library holds a theme of its own for.
  const std::string shipped = shippedThemeLibrary(ctx);
  if (shipped.empty()) return entries;
  for (const std::string& folder : ctx.files.subfolders(shipped))
    if (std::find(own.begin(), own.end(), folder) == own.end() && isTheme(ctx, folder)) entries.push_back(folder);
  return entries;
}

namespace {

// A link of the theme: its text always, its target only when it is a web page; anything
// else stays text that nothing opens.
Link themeLink(const Context& ctx, const std::string& theme, const char* textKey, const char* targetKey) {
  std::string target = readThemeKey(ctx, theme, targetKey);
  if (!isWebAddress(target)) target.clear();
  return {readThemeKey(ctx, theme, textKey), std::move(target)};
}

// An apply puts the backed-up icon files back before it adds a theme's images: an icon
// the theme lacks is the host's own after it (before any backup, the current one, which
// the apply backs up first). The preview shows that one, never the entry shown before.
void fillInHostIcons(const Context& ctx, const std::string& theme, Look& look) {
  const bool dark = ctx.files.exists(themeFile(ctx, theme, kDarkLow));
  const bool light = ctx.files.exists(themeFile(ctx, theme, kLightLow));
  if ((dark && light) || ctx.state.hostFolder.empty()) return;
  Look own = defaultLook(ctx);
  if (!dark) look.darkIcon = std::move(own.darkIcon);
  if (!light) look.lightIcon = std::move(own.lightIcon);
}

// A theme's image for which the host has no resource is never applied: the preview shows
// the host's (empty) place instead. The host is the one whose index was parsed last.
void leaveOutWhatHostLacks(const RecordTable& host, Look& look) {
  if (host.count() == 0) return;
  look.hostLacks = missingImages(host);
  const std::pair<HostImage, std::pair<Bytes*, Bytes*>> images[] = {
      {HostImage::Splash, {&look.splash, &look.splashHigh}},
      {HostImage::DarkIcon, {&look.darkIcon, &look.darkIconHigh}},
      {HostImage::LightIcon, {&look.lightIcon, &look.lightIconHigh}}};
  for (const auto& [image, bytes] : images) {
    if (hostResource(host, image)) continue;
    bytes.first->clear();
    bytes.second->clear();
  }
}

}  // namespace

Preview previewTheme(const Context& ctx, const std::string& theme) {
  Preview p;
  p.indicatorsShown = true;
  auto file = [&](const char* name) { return themeFile(ctx, theme, name); };
  p.look.description = readThemeKey(ctx, theme, "info");
  p.has1x = ctx.files.exists(file(kSplashLow));
  p.has2x = ctx.files.exists(file(kSplashHigh));
  p.hasText = themeCarriesText(ctx, theme);
  p.author = themeLink(ctx, theme, "by", "byurl");
  p.credit = themeLink(ctx, theme, "re", "reurl");
  p.look.startupTextToggle = startupTextToggleFor(ctx, theme);
  p.look.splash = ctx.files.readFile(file(kSplashLow));
  p.look.darkIcon = ctx.files.readFile(file(kDarkLow));
  p.look.lightIcon = ctx.files.readFile(file(kLightLow));
  p.look.splashHigh = ctx.files.readFile(file(kSplashHigh));
  p.look.darkIconHigh = ctx.files.readFile(file(kDarkHigh));
  p.look.lightIconHigh = ctx.files.readFile(file(kLightHigh));
  p.look.overlay = chooseOverlay(p.look.startupTextToggle, ctx.state.release18OrLater);
  p.look.startupTextAvailable = !ctx.state.languageAbsent();
  fillInHostIcons(ctx, theme, p.look);
  // What the host's index holds now; an index that does not read leaves the theme whole.
  RecordTable host;
  Outcome unread;
  parseIndexFile(ctx.files, ctx.state.currentIndexPath, host, unread);
  leaveOutWhatHostLacks(host, p.look);
  return p;
}

Preview previewEntry(Context& ctx, const std::string& entry) {
  Preview p;
  if (entry == kCurrentEntry) {
    p.look = currentLook(ctx);
  } else if (entry == kDefaultEntry) {
    p.look = defaultLook(ctx);
  } else {
    p = previewTheme(ctx, entry);
  }
  return p;
}

}  // namespace lumaset
