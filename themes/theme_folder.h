// A theme: a folder of the theme library LumasetTheme (beside the executable) that holds
// info.ini and loading_low.png, with optional images, a startup text and a description.
#pragma once
#include <cstdint>
#include <string>

#include "iconstore/host_images.h"
#include "iconstore/record_table.h"
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
inline constexpr const char* kThemeText = "word.text";  // the startup text that is applied; it lights the T mark
// Older releases lit the T mark by this file's presence. It lights nothing now: a theme
// of theirs that has it is read as it is, `check` calls it obsolete, `pack` keeps it.
inline constexpr const char* kObsoleteTextMarker = "word.txt";
inline constexpr const char* kThemeInfo = "info.ini";

// The six images a theme may hold, in the order of the apply's image slots: the file,
// the host's image it replaces, the pack it goes into, and the size the host shows.
struct ThemeImage {
  const char* file;
  HostImage image;
  Pack pack;
  std::uint32_t width, height;
};
inline constexpr ThemeImage kThemeImages[6] = {
    {kSplashLow, HostImage::Splash, Pack::LowRes, 838, 506},
    {kSplashHigh, HostImage::Splash, Pack::HighRes, 1676, 1012},
    {kDarkLow, HostImage::DarkIcon, Pack::LowRes, 32, 32},
    {kDarkHigh, HostImage::DarkIcon, Pack::HighRes, 64, 64},
    {kLightLow, HostImage::LightIcon, Pack::LowRes, 32, 32},
    {kLightHigh, HostImage::LightIcon, Pack::HighRes, 64, 64},
};

// Data folder + "/LumasetTheme": the library that imports add to.
std::string themeLibrary(const Context& ctx);
// Program folder + "/LumasetTheme", the themes that ship with the program, when the
// library is kept apart from them; empty when the two are one.
std::string shippedThemeLibrary(const Context& ctx);
// The folder of a theme of that name: the library's, else a shipped one (a theme the user
// imports under a shipped theme's name is the one used).
std::string themeFolder(const Context& ctx, const std::string& theme);
// themeFolder + "/" + file.
std::string themeFile(const Context& ctx, const std::string& theme, const std::string& file);
// A folder of the library with info.ini and loading_low.png whose name is one plain name
// that Windows holds as it is and no work name (formats/work_names.h).
bool isTheme(const Context& ctx, const std::string& theme);
// A key of the theme's info.ini, with its default ("未知" for info, else empty).
std::string readThemeKey(const Context& ctx, const std::string& theme, const std::string& key);
// The theme carries a startup text: its word.text, the file an apply takes (and the T mark
// shows).
bool themeCarriesText(const Context& ctx, const std::string& theme);
// The theme's loadtext key turns the startup-text toggle on only when it is exactly "no".
bool themeHidesStartupText(const Context& ctx, const std::string& theme);

}  // namespace lumaset
