#include "themes/theme_list.h"

#include "themes/theme_folder.h"

namespace lumaset {

std::vector<std::string> themeList(const Context& ctx) {
  std::vector<std::string> entries = {kCurrentEntry, kDefaultEntry};
  for (const std::string& folder : ctx.files.subfolders(themeLibrary(ctx))) {
    if (isTheme(ctx, folder)) entries.push_back(folder);
  }
  return entries;
}

Preview previewTheme(const Context& ctx, const std::string& theme) {
  Preview p;
  p.indicatorsShown = true;
  auto file = [&](const char* name) { return themeFile(ctx, theme, name); };
  p.look.description = readThemeKey(ctx, theme, "info");
  p.has1x = ctx.files.exists(file(kSplashLow));
  p.has2x = ctx.files.exists(file(kSplashHigh));
  p.hasText = ctx.files.exists(file(kThemeTextMarker));
  p.author = {readThemeKey(ctx, theme, "by"), readThemeKey(ctx, theme, "byurl")};
  p.credit = {readThemeKey(ctx, theme, "re"), readThemeKey(ctx, theme, "reurl")};
  p.look.startupTextToggle = startupTextToggleFor(ctx, theme);
  p.look.splash = ctx.files.readFile(file(kSplashLow));
  p.look.darkIcon = ctx.files.readFile(file(kDarkLow));
  p.look.lightIcon = ctx.files.readFile(file(kLightLow));
  p.look.overlay = chooseOverlay(p.look.startupTextToggle, ctx.state.version18);
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
