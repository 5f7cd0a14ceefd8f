#include "themes/theme_folder.h"

#include "formats/windows_names.h"
#include "formats/work_names.h"

namespace lumaset {

std::string themeLibrary(const Context& ctx) { return ctx.programFolder + ctx.sep() + "LumasetTheme"; }

std::string themeFile(const Context& ctx, const std::string& theme, const std::string& file) {
  return themeLibrary(ctx) + ctx.sep() + theme + ctx.sep() + file;
}

bool isTheme(const Context& ctx, const std::string& theme) {
  // A name that is no single plain entry of the library ("", "..", "a/b", an absolute
  // path) would reach a folder outside it.
  if (!isPlainName(theme) || isWorkName(theme)) return false;
  return ctx.files.exists(themeFile(ctx, theme, kThemeInfo)) && ctx.files.exists(themeFile(ctx, theme, kSplashLow));
}

std::string readThemeKey(const Context& ctx, const std::string& theme, const std::string& key) {
  return ctx.files.readProfileString(themeFile(ctx, theme, kThemeInfo), kThemeSection, key,
                                     key == "info" ? "未知" : "");
}

bool themeHidesStartupText(const Context& ctx, const std::string& theme) {
  return readThemeKey(ctx, theme, "loadtext") == "no";
}

}  // namespace lumaset
