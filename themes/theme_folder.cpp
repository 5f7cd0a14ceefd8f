#include "themes/theme_folder.h"

#include "formats/windows_names.h"
#include "formats/work_names.h"

namespace lumaset {

namespace {
constexpr const char* kLibraryName = "LumasetTheme";
}

std::string themeLibrary(const Context& ctx) { return ctx.dataFolder + ctx.sep() + kLibraryName; }

std::string shippedThemeLibrary(const Context& ctx) {
  if (ctx.dataFolder == ctx.programFolder) return {};
  return ctx.programFolder + ctx.sep() + kLibraryName;
}

std::string themeFolder(const Context& ctx, const std::string& theme) {
  const std::string own = themeLibrary(ctx) + ctx.sep() + theme;
  const std::string shipped = shippedThemeLibrary(ctx);
  if (shipped.empty() || ctx.files.info(own).isFolder) return own;
  const std::string shippedTheme = shipped + ctx.sep() + theme;
  return ctx.files.info(shippedTheme).isFolder ? shippedTheme : own;
}

std::string themeFile(const Context& ctx, const std::string& theme, const std::string& file) {
  return themeFolder(ctx, theme) + ctx.sep() + file;
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

bool themeCarriesText(const Context& ctx, const std::string& theme) {
  return ctx.files.exists(themeFile(ctx, theme, kThemeText));
}

bool themeHidesStartupText(const Context& ctx, const std::string& theme) {
  return readThemeKey(ctx, theme, "loadtext") == "no";
}

}  // namespace lumaset
