#include "starttext/startup_text.h"

#include <algorithm>

#include "backup/backup_copies.h"
#include "backup/restore.h"
#include "formats/startup_text_marker.h"
#include "formats/text_guess.h"
#include "formats/utf.h"
#include "run/host_location.h"
#include "starttext/marker.h"

namespace lumaset {
namespace {

const char* const kRotatingNamesPrefix = "$$$/private/Credits/RotatingNames/";

const char* const kSplashKeys[] = {"AddingExtension",
                                   "BuildingConversionTables",
                                   "BuildingMenus",
                                   "FindingSystemProfiles",
                                   "Initializing",
                                   "InitializingAXE",
                                   "InitializingAssetManagement",
                                   "InitializingColorPrefs",
                                   "InitializingCoreTech",
                                   "InitializingICC",
                                   "InitializingMenus",
                                   "InitializingPalettes",
                                   "InitializingSuitePea",
                                   "InitializingTools",
                                   "InitializingTwain",
                                   "InitializingVM",
                                   "LoadingBrushes",
                                   "LookingForPrefs",
                                   "ReadingBrushes",
                                   "ReadingColorSettings",
                                   "ReadingPrefs",
                                   "ReadingPrefsObjectID",
                                   "ScanningForPlugIns",
                                   "ScanningForPlugIns/NameAppended",
                                   "ScanningForPresets",
                                   "StartingUpPlugIns"};

std::string emptyValueLine(const std::string& key) { return "\"" + key + "=\""; }

}  // namespace

const Bytes& openingBlock() {
  static const Bytes block = utf8ToUtf16le(std::string("\r\n") + kStartupTextMarkerText + "\r\n");
  return block;
}

const Bytes& closingBlock() {
  static const Bytes block = utf8ToUtf16le(std::string("\r\n\r\n") + kStartupTextEndText);
  return block;
}

std::vector<std::string> rotatingNameKeys(const Bytes& languageFile) {
  std::string text = utf16leToUtf8(languageFile);
  std::vector<std::string> keys;
  const std::string needle = std::string("\"") + kRotatingNamesPrefix;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    std::size_t keyStart = at + 1;
    std::size_t keyEnd = text.find_first_of("=\"\r\n", keyStart);
    if (keyEnd == std::string::npos || text[keyEnd] != '=') continue;
    std::string key = text.substr(keyStart, keyEnd - keyStart);
    bool seen = false;
    for (const std::string& k : keys) seen = seen || k == key;
    if (!seen) keys.push_back(key);
  }
  return keys;
}

Bytes blankStartupTextBlock(const Bytes& languageFile) {
  std::vector<std::string> lines = {"",
                                    kStartupTextMarkerText,
                                    emptyValueLine("$$$/private/Credits/Legal/CopyrightTwoLine"),
                                    emptyValueLine("$$$/About/ReleaseX"),
                                    emptyValueLine("$$$/Credits/Artwork/ArtworkBy"),
                                    ""};
  for (int i = 0; i < 15; ++i)
    lines.push_back(emptyValueLine("$$$/private/Credits/AutoGen/" + std::to_string(101000 + 10 * i)));
  lines.push_back("");
  for (const std::string& key : rotatingNameKeys(languageFile)) lines.push_back(emptyValueLine(key));
  lines.push_back("");
  for (const char* key : {"Reading", "ScanDone", "Sorting", "SortingDone"})
    lines.push_back(emptyValueLine(std::string("$$$/FontServer/Splash/") + key));
  for (const char* key : kSplashKeys) lines.push_back(emptyValueLine(std::string("$$$/Splash/") + key));
  lines.push_back("");
  lines.push_back("");
  lines.push_back(kStartupTextEndText);

  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return utf8ToUtf16le(text);
}

Outcome setStartupText(EditSession& s, Verdict verdict, StartupTextMode mode, const Bytes& themeText) {
  const std::string languageFile = s.layout().hostPath(kLanguageKey);
  Outcome out;
  const bool restored = putBack(s, kLanguageKey, verdict);
  if (!restored) out.fail(MessageId::ResetFailed, languageFile);

  if (mode == StartupTextMode::Restore) {
    if (languageFileCarriesMarker(s.files(), languageFile)) out.fail(MessageId::BadLanguageBackup);
    return out;
  }
  if (s.ctx().state.release18OrLater) {
    out.note(MessageId::StartupTextUnsupported);
    return out;
  }
  // A block appended to a file that was not put back would stack on the one before.
  if (!restored) return out;

  Bytes content = s.files().readFile(languageFile);
  if (mode == StartupTextMode::Hide) {
    content += blankStartupTextBlock(content);
  } else {
    auto gbk = [&s](const std::string& text) { return s.files().chineseCodePageToUtf8(text); };
    content += openingBlock() + startupTextAsUtf16le(themeText, gbk) + closingBlock();
  }
  if (!s.edit().writeFile(languageFile, content)) {
    out.fail(MessageId::WriteFailed, languageFile);
    return out;
  }
  s.record().noteChanged(kLanguageKey);
  return out;
}

}  // namespace lumaset
