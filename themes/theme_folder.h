// A theme: a folder of the theme library LumasetTheme (beside the executable) that holds
// info.ini and loading_low.png, with optional images, a startup text and a description.
#pragma once
#include <string>

#include "run/run_state.h"

namespace lumaset {

inline constexpr const char* kThemeSection = "Lumaset_theme";
inline constexpr const char* kCurrentEntry = "[当前]";
inline constexpr const char* kDefaultEntry = "[默认]";

inline constexpr const char* kSplashLow = "loading_low.png";
inline constexpr const char* kSplashHigh = "loading_high.png";
inline constexpr const char* kDarkLow = "ico_dark_low.png";
inline constexpr const char* kDarkHigh = "ico_dark_high.png";
inline constexpr const char* kLightLow = "ico_light_low.png";
inline constexpr const char* kLightHigh = "ico_light_high.png";
inline constexpr const char* kThemeTextMarker = "word.txt";  // its presence lights the T indicator
inline constexpr const char* kThemeText = "word.text";       // the text that is applied
inline constexpr const char* kThemeInfo = "info.ini";

// Names in the library that begin with ".lumaset-" are the imports' own (staging
// folders, the lock) and never themes.
bool isWorkFolderName(const std::string& name);
// The name of a temporary file that a write left beside its target: "." + the target's
// name + ".lumaset-" + six characters.
bool isTemporaryFileName(const std::string& name);

// Program folder + "/LumasetTheme".
std::string themeLibrary(const Context& ctx);
// Library + "/" + theme + "/" + file.
std::string themeFile(const Context& ctx, const std::string& theme, const std::string& file);
bool isTheme(const Context& ctx, const std::string& theme);
// A key of the theme's info.ini, with its default ("未知" for info, else empty).
std::string readThemeKey(const Context& ctx, const std::string& theme, const std::string& key);
// The theme's loadtext key turns the startup-text toggle on only when it is exactly "no".
bool themeHidesStartupText(const Context& ctx, const std::string& theme);

}  // namespace lumaset
