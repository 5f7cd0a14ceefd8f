#include "run/settings.h"

#include "run/host_location.h"
#include "run/name_rules.h"
#include "run/version.h"

namespace lumaset {

std::string collapseDoubledSeparators(const std::string& text, char sep) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == sep && i + 1 < text.size() && text[i + 1] == sep) ++i;
  }
  return out;
}

bool storedLocationIsSound(const std::string& hostFolder, const std::string& languageFileName,
                           const std::string& languageFolder, char sep) {
  // A key that is missing reads as its default text, which is no path at all; the
  // operations that need the language file refuse to work with it.
  bool fileSound = languageFileName == kLanguageFileUnset || isPlainName(languageFileName);
  bool folderSound = languageFolder == kLanguageFolderUnset || isAbsolutePath(languageFolder, sep);
  // Both empty: a host located without a language file.
  bool absent = languageFileName.empty() && languageFolder.empty();
  return isAbsolutePath(hostFolder, sep) && (absent || (fileSound && folderSound));
}

LoadedSettings loadSettings(Context& ctx, Outcome& out) {
  const std::string file = ctx.settingsFile();
  auto read = [&](const char* key, const char* def) {
    return ctx.files.readProfileString(file, kSettingsSection, key, def);
  };
  LoadedSettings loaded;
  loaded.hostFolder = read(kKeyHostFolder, "");
  if (leadingInteger(read(kKeyHostVersion, "")) >= 18) ctx.state.release18OrLater = true;
  ctx.state.languageFileName = read(kKeyLanguageFile, kLanguageFileUnset);
  ctx.state.languageFolder = collapseDoubledSeparators(read(kKeyLanguageFolder, kLanguageFolderUnset), ctx.sep());
  // A file edited by hand (or planted) could send every later write elsewhere: a
  // relative or dotted value counts as no stored host at all.
  if (!loaded.hostFolder.empty() &&
      !storedLocationIsSound(loaded.hostFolder, ctx.state.languageFileName, ctx.state.languageFolder, ctx.sep())) {
    loaded.hostFolder.clear();
    ctx.state.release18OrLater = false;
    ctx.state.languageFileName = kLanguageFileUnset;
    ctx.state.languageFolder = kLanguageFolderUnset;
  }
  if (loaded.hostFolder.empty()) {
    locateHost(ctx, out, LocateReason::FirstStart);
    loaded.hostFolder = ctx.state.hostFolder;
    loaded.locateRan = true;
  }
  return loaded;
}

void storeLocation(Context& ctx, const std::string& hostFolder, float version, const std::string& languageFileName,
                   const std::string& languageFolder) {
  const std::string file = ctx.settingsFile();
  ctx.files.writeProfileString(file, kSettingsSection, kKeyHostFolder, hostFolder);
  ctx.files.writeProfileString(file, kSettingsSection, kKeyHostVersion, versionToText(version));
  ctx.files.writeProfileString(file, kSettingsSection, kKeyLanguageFile, languageFileName);
  ctx.files.writeProfileString(file, kSettingsSection, kKeyLanguageFolder, languageFolder);
}

}  // namespace lumaset
