#include "themes/theme_folder.h"

#include <algorithm>
#include <cctype>

namespace lumaset {

std::string themeLibrary(const Context& ctx) { return ctx.programFolder + ctx.sep() + "LumasetTheme"; }

std::string themeFile(const Context& ctx, const std::string& theme, const std::string& file) {
  return themeLibrary(ctx) + ctx.sep() + theme + ctx.sep() + file;
}

bool isWorkFolderName(const std::string& name) { return name.rfind(".lumaset-", 0) == 0; }

bool isTemporaryFileName(const std::string& name) {
  static const std::string marker = ".lumaset-";
  const std::size_t suffix = 6;
  if (name.size() < 2 + marker.size() + suffix || name[0] != '.') return false;
  const std::size_t at = name.size() - suffix - marker.size();
  if (name.compare(at, marker.size(), marker) != 0) return false;
  return std::all_of(name.end() - suffix, name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool isTheme(const Context& ctx, const std::string& theme) {
  if (isWorkFolderName(theme)) return false;
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
