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
  // The language file takes the startup text: a folder outside the host's Locales folder
  // would send that write anywhere.
  bool folderSound = languageFolder == kLanguageFolderUnset ||
                     (isAbsolutePath(languageFolder, sep) && languageFolderInHost(hostFolder, languageFolder, sep));
  // Both empty: a host located without a language file.
  bool absent = languageFileName.empty() && languageFolder.empty();
  const bool hostSound = isAbsolutePath(hostFolder, sep) && partWindowsRenames(hostFolder, sep).empty();
  return hostSound && (absent || (fileSound && folderSound));
}

namespace {

StoredLocation readStoredLocation(Context& ctx) {
  const std::string file = ctx.settingsFile();
  auto read = [&](const char* key, const char* def) {
    return ctx.files.readProfileString(file, kSettingsSection, key, def);
  };
  return {read(kKeyHostFolder, ""), read(kKeyHostVersion, ""), read(kKeyLanguageFile, kLanguageFileUnset),
          collapseDoubledSeparators(read(kKeyLanguageFolder, kLanguageFolderUnset), ctx.sep())};
}

}  // namespace

LoadedSettings loadSettings(Context& ctx, Outcome& out) {
  const StoredLocation stored = ctx.givenLocation ? *ctx.givenLocation : readStoredLocation(ctx);
  LoadedSettings loaded;
  loaded.hostFolder = stored.hostFolder;
  if (leadingInteger(stored.hostVersion) >= 18) ctx.state.release18OrLater = true;
  ctx.state.languageFileName = stored.languageFileName;
  ctx.state.languageFolder = stored.languageFolder;
  // A file edited by hand (or planted) could send every later write elsewhere: a
  // relative or dotted value counts as no stored host at all, and so does a host folder
  // that Windows would take for another one.
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

bool storeLocation(Context& ctx, const std::string& hostFolder, float version, const std::string& languageFileName,
                   const std::string& languageFolder) {
  auto write = [&](const char* key, const std::string& value) { return ctx.writeSetting(kSettingsSection, key, value); };
  return write(kKeyHostFolder, hostFolder) && write(kKeyHostVersion, versionToText(version)) &&
         write(kKeyLanguageFile, languageFileName) && write(kKeyLanguageFolder, languageFolder);
}

}  // namespace lumaset
