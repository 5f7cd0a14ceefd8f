// setting.ini beside the executable: where the host is and which language file is its.
#pragma once
#include <string>

#include "run/run_state.h"

namespace lumaset {

inline constexpr const char* kSettingsSection = "lumaset";
inline constexpr const char* kKeyHostFolder = "photoshop";
inline constexpr const char* kKeyHostVersion = "photoshop_var";
inline constexpr const char* kKeyLanguageFile = "photoshop_locaal_file";
inline constexpr const char* kKeyLanguageFolder = "photoshop_locaal_dir";

inline constexpr const char* kLanguageFileUnset = "语言文件名未设置";
inline constexpr const char* kLanguageFolderUnset = "语言文件路径未设置";

struct LoadedSettings {
  std::string hostFolder;  // stored, or left by the location that ran for want of one
  bool locateRan = false;
};

// Whether stored values may be used to build paths: the host folder and the language
// folder absolute, the language file name one plain name, and no part of the host folder
// a name that Windows resolves to another (ending in a dot or a space). The unset
// defaults pass, and both left empty (the mark of a host without a language file).
bool storedLocationIsSound(const std::string& hostFolder, const std::string& languageFileName,
                           const std::string& languageFolder, char sep);

// Reads the four keys (or the context's given location) into the run state; runs Locate
// host when no host folder is stored, or when the stored values are not sound (they are
// then dropped); the location's reports go to `out`.
LoadedSettings loadSettings(Context& ctx, Outcome& out);

// Four writes, in this order, stopping at the first that fails (a program folder the
// user may not write to fails them all); whether all four were made.
[[nodiscard]] bool storeLocation(Context& ctx, const std::string& hostFolder, float version,
                                 const std::string& languageFileName, const std::string& languageFolder);

// Every doubled separator becomes one, scanning left to right without overlap.
std::string collapseDoubledSeparators(const std::string& text, char sep);

}  // namespace lumaset
